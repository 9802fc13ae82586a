#pragma once
#include <QWidget>
#include <optional>

class QLineEdit;
class QPushButton;
class QTableView;
class QTextBrowser;

namespace fendle {

class Defaults;
class PlugInController;
class PlugInHelpPanel;
class PlugInTableModel;

// The "Plug-ins" page of the preferences: the plug-in table with its check
// boxes, the selected plug-in's description, its help, the catalogue's base
// address and the button that checks it for new plug-ins and updates. The
// table is rebuilt each time the page is shown and disabled while a
// download runs.
class PlugInsPreferencesPage : public QWidget {
    Q_OBJECT
public:
    static inline const QString Title = QStringLiteral("Plug-ins");

    PlugInsPreferencesPage(PlugInController& plugIns, Defaults& defaults, QWidget* parent = nullptr);
    ~PlugInsPreferencesPage() override;

    QTableView* plugInTableView() const { return tableView_; }
    PlugInTableModel* plugInTableModel() const { return model_; }
    QTextBrowser* plugInInfoTextView() const { return infoText_; }
    QPushButton* helpButton() const { return help_; }
    QPushButton* checkNowButton() const { return checkNow_; }
    QLineEdit* baseAddressField() const { return baseAddress_; }
    PlugInHelpPanel* plugInHelpPanel() const { return helpPanel_; }

protected:
    void showEvent(QShowEvent* event) override;

private:
    PlugInController& plugIns_;
    Defaults& defaults_;
    PlugInTableModel* model_;
    QTableView* tableView_;
    QTextBrowser* infoText_;
    QPushButton* help_;
    QPushButton* checkNow_;
    QLineEdit* baseAddress_;
    PlugInHelpPanel* helpPanel_ = nullptr;
    QString selectedIdentifier_;

    std::optional<qsizetype> selectedRow() const;
    void selectionChanged();
    void keepSelection();
    void showHelp();
};

}  // namespace fendle
