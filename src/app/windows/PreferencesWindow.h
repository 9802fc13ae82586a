#pragma once
#include "appcore/Preferences.h"

#include <QColor>
#include <QDialog>
#include <QFont>
#include <functional>
#include <map>
#include <optional>

class QButtonGroup;
class QCheckBox;
class QComboBox;
class QLineEdit;
class QPushButton;
class QTabWidget;

namespace fendle {

class CacheTimers;
class Defaults;

// The preferences window: its controls show the preference set's displayed
// values, every change goes back through Preferences, and closing it saves.
// The pop-up for the first slip of a box is bound to its defaults key.
class PreferencesWindow : public QDialog {
    Q_OBJECT
public:
    static inline const QString SlipToDisplayKey = QStringLiteral("FDLSlipToDisplayWhenOpeningBox");

    PreferencesWindow(Preferences& preferences, Defaults& defaults, CacheTimers& cacheTimers, QWidget* parent = nullptr);
    ~PreferencesWindow() override;

    // Refreshes the controls and brings the window to front.
    void showPreferences();
    // The controls as the window shows them now.
    Preferences::Controls controls() const;
    void updateUI();

    // The font and colour panels; tests answer them instead.
    std::function<std::optional<QFont>(const QFont& current, const QString& title)> chooseFont;
    std::function<std::optional<QColor>(const QColor& current)> chooseColour;

    static QFont toQFont(const FontAttribute& font);
    static FontAttribute fromQFont(const QFont& font);

    QTabWidget* pages() const { return pages_; }
    // A page that lives in files of its own (the plug-ins) joins the window.
    void addPage(QWidget* page, const QString& title);
    QButtonGroup* startupModeMatrix() const { return startupMode_; }
    QLineEdit* defaultDocumentField() const { return defaultDocument_; }
    QPushButton* selectDefaultDocumentButton() const { return selectDefaultDocument_; }
    QCheckBox* checkBox(const QString& key) const;
    QLineEdit* autoSaveIntervalField() const { return autoSaveInterval_; }
    QLineEdit* spotlightIntervalField() const { return spotlightInterval_; }
    QPushButton* highlightColourWell() const { return colourWell_; }
    QLineEdit* slipTextFontField() const { return slipTextFont_; }
    QLineEdit* plainTextFontField() const { return plainTextFont_; }
    QPushButton* changeSlipTextFontButton() const { return changeSlipTextFont_; }
    QPushButton* changePlainTextFontButton() const { return changePlainTextFont_; }
    QPushButton* deleteSpotlightFilesButton() const { return deleteSpotlightFiles_; }
    QComboBox* slipToDisplayPopUp() const { return slipToDisplay_; }

protected:
    void hideEvent(QHideEvent* event) override;

private:
    Preferences& preferences_;
    Defaults& defaults_;
    CacheTimers& cacheTimers_;
    QTabWidget* pages_;
    QButtonGroup* startupMode_;
    QLineEdit* defaultDocument_;
    QPushButton* selectDefaultDocument_;
    std::map<QString, QCheckBox*> checks_;
    QLineEdit* autoSaveInterval_;
    QLineEdit* spotlightInterval_;
    QPushButton* colourWell_;
    QColor colour_;
    ColorAttribute colourAttribute_;
    QLineEdit* slipTextFont_;
    QLineEdit* plainTextFont_;
    QPushButton* changeSlipTextFont_;
    QPushButton* changePlainTextFont_;
    QPushButton* deleteSpotlightFiles_;
    QComboBox* slipToDisplay_;
    bool updating_ = false;
    bool ownsDocumentChooser_ = false;

    QWidget* makeGeneralPage();
    QWidget* makeFontPage();
    QWidget* makeSpotlightPage();
    void miscChanged(Preferences::Sender sender = Preferences::Sender::Control);
    void showControls(const Preferences::Controls& controls);
    void selectDefaultDocument();
    void changeFont(const QString& key);
    void pickColour();
    void showColour(const QColor& colour);
};

}  // namespace fendle
