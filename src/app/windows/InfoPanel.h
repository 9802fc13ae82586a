#pragma once
#include "app/windows/InspectorTarget.h"
#include "document/InfoPanelModel.h"

#include <QPointer>
#include <QWidget>

#include <functional>

class QButtonGroup;
class QLabel;
class QLineEdit;
class QListView;
class QListWidget;
class QListWidgetItem;
class QPushButton;
class QStackedWidget;
class QStringListModel;

namespace fendle {

class BoxWindow;
class Defaults;
class ResizeImageView;

// The floating panel that always refers to the box of the front window:
// the box's keyword list, its saved searches and the current slip's
// information with an editable author, and the resizing of the picture
// selected in the slip text.
class InfoPanel : public QWidget {
    Q_OBJECT
public:
    static inline const QString SelectedViewKey = QStringLiteral("InspectorSelectedView");
    static inline const QString FrameKey = QStringLiteral("InspectorPositionAndSize");
    static inline const QString KeywordsListView = QStringLiteral("keywordsListView");
    static inline const QString SavedSearchesView = QStringLiteral("savedSearchesView");
    static inline const QString SlipInfoView = QStringLiteral("slipInfoView");
    static inline const QString ResizeImageViewName = QStringLiteral("resizeImageView");

    InfoPanel(Defaults& defaults, const InspectorTarget& target, QWidget* parent = nullptr);

    void show();
    // Refreshes the view shown for the current box.
    void update();
    QString selectedViewName() const;
    void showView(const QString& name);

    QListView* keywordsListTable() const { return keywordsList_; }
    QPushButton* addKeywordToBoxSearchButton() const { return addKeywordToSearch_; }
    QListWidget* savedSearchesTable() const { return savedSearches_; }
    QLineEdit* slipAuthorField() const { return author_; }
    QString slipInfoText(const QString& field) const;
    ResizeImageView* resizeImageView() const { return resizeImage_; }

    // The resize view follows the selection of the slip text.
    void slipTextSelectionChanged();
    // Shows the resize view with the selected picture taken up again.
    void reopenResizeImage();

    void doubleClickOnKeywordsListTable();
    void saveSearch();
    void replaceSearch();
    void deleteSearch();

protected:
    void hideEvent(QHideEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    Defaults& defaults_;
    const InspectorTarget& target_;
    QButtonGroup* buttons_;
    QStackedWidget* pages_;
    QListView* keywordsList_;
    QStringListModel* keywords_;
    QPushButton* addKeywordToSearch_;
    QListWidget* savedSearches_;
    // Replace and Delete, enabled with a selected search.
    QList<QPushButton*> savedSearchButtons_;
    // The hint shown while the box has no saved searches.
    QLabel* noSavedSearches_ = nullptr;
    QLineEdit* author_;
    std::map<QString, QLabel*> infoFields_;
    ResizeImageView* resizeImage_;
    bool movingSelectionMyself_ = false;
    // Whether the panel has a place yet (a stored frame or one beside a box window).
    bool placed_ = false;

    BoxWindow* currentWindow() const { return target_.currentBoxWindow(); }
    QWidget* makeKeywordsPage();
    QWidget* makeSavedSearchesPage();
    QWidget* makeSlipInfoPage();
    // Runs f with the model of the current box and lets its window follow.
    void withModel(const std::function<void(InfoPanelModel&, BoxWindow&)>& f);
    void updateKeywordsList();
    void savedSearchesChanged(int rowToSelect = -1);
    void enableSavedSearchButtons();
    void showSlipInfo();
    void storeState();
    void keepBeside(BoxWindow& window);
};

}  // namespace fendle
