#pragma once
#include "app/commands/BoxWindowContext.h"
#include "app/program/QtUiPort.h"
#include "platform/richtext/RichText.h"

#include <QColor>
#include <QFont>
#include <QMainWindow>
#include <QUrl>
#include <functional>
#include <memory>
#include <optional>

class QTabWidget;
class QTextEdit;

namespace fendle {

class AlternatingScentView;
class Box;
class BoxMenuBar;
class BoxToolBar;
class ExtraSlipWindows;
class KeywordScentView;
class LookUpActions;
class Pasteboard;
class SearchView;
class SlipCommands;
class SlipFields;
class SlipScentView;
class SlipTextView;

// The window of one box: the four tabs, the slip's fields, the toolbar and
// the main menu. It holds no box state: it forwards the user's commands to
// the box and shows what the box holds when the box asks it to.
class BoxWindow : public QMainWindow, public QtUiPort::Window {
    Q_OBJECT
public:
    // What lies beyond one box: other boxes, the recent list, the program.
    class Host {
    public:
        virtual ~Host() = default;
        virtual void newBox() = 0;
        virtual void openBox() = 0;
        virtual void openRecentBox(const QString& path) = 0;
        virtual QStringList recentBoxes() const = 0;
        virtual void clearRecentBoxes() = 0;
        virtual void boxSaved(BoxWindow& window, const QString& path) = 0;
        virtual void boxWindowClosed(BoxWindow& window) = 0;
        virtual void quit() = 0;
        // The one inspector panel of the program.
        virtual void toggleInspector() {}
        virtual bool inspectorVisible() const { return false; }
        virtual void refreshInspector(BoxWindow&) {}
        // The slip text's selection moved: the inspector's resize view follows.
        virtual void slipTextSelectionChanged(BoxWindow&) {}
        // Undo or redo of "Resize Image" takes the picture up again.
        virtual void initiateResizeImage(BoxWindow&) {}
        virtual void showPreferences() {}
    };

    struct Settings {
        // "FDLSlipToDisplayWhenOpeningBox".
        QString slipToDisplayWhenOpeningBox;
        // The stored frame, when "SaveWindowPositionOnExit" is on.
        std::optional<QByteArray> frame;
        bool autoCompleteKeywords = true;
        bool autoCompleteSources = true;
        bool inspectorVisible = false;
        // "HighlightColour".
        QColor highlightColour{Qt::red};
        // "PlainTextFont", for the fields of extra slip windows.
        std::optional<QFont> plainTextFont;
    };

    BoxWindow(std::shared_ptr<Box> box, QtUiPort& port, const Pasteboard& pasteboard, const Settings& settings,
              Host* host = nullptr, QWidget* parent = nullptr);
    ~BoxWindow() override;

    Box& box() const { return *box_; }
    QtUiPort& uiPort() const { return port_; }
    const std::shared_ptr<Box>& boxPointer() const { return box_; }
    const std::optional<QString>& path() const { return path_; }
    void setPath(const std::optional<QString>& path);

    BoxMenuBar* boxMenuBar() const { return menuBar_; }
    BoxToolBar* toolBar() const { return toolBar_; }
    QTabWidget* tabs() const { return tabs_; }
    SlipFields* fields() const { return fields_; }
    SlipTextView* slipTextView() const { return textView_; }
    SlipScentView* slipScentView() const { return slipScentView_; }
    SearchView* searchView() const { return searchView_; }
    KeywordScentView* keywordScentView() const { return keywordScentView_; }
    AlternatingScentView* alternatingScentView() const { return alternatingScentView_; }
    LookUpActions& lookUpActions() const { return *lookUpActions_; }

    // Where addresses and desktop-search queries leave the program (tests watch them).
    std::function<bool(const QUrl&)> openUrl;
    std::function<bool(const QString& query)> desktopSearch;
    // A link in the slip text: slip links are followed in the box, anything else opened.
    void followLink(const QString& target);
    ExtraSlipWindows& extraSlipWindows() const { return *extraWindows_; }

    // Runs a menu command by the title it was created with.
    void runCommand(const QString& command);
    bool validateMenuItem(const QString& title) const;
    BoxWindowContext context() const;
    // Brings every widget in step with the box.
    void syncFromBox();
    void updateToolbarSegmentedControls();

    bool save();
    bool saveAs();
    bool saveTo(const QString& path, int kind);
    void revertToSaved();
    // The style command on the focused rich text (the slip text or the template).
    void fontCharacteristicsAction(const QString& title);
    void setZoomToSize(qint32 percent);
    void changeZoomFactorAction(int tag);
    // The preferences' plain-text font: the keywords, source and type fields and the search preview's source.
    void setDocFont(const QFont& font);
    // The preferences' slip text font: the current slip's whole text takes it (undoable).
    void setDefaultSlipFont(const FontAttribute& font);

    // QtUiPort::Window
    QWidget* widget() override { return this; }
    void retitleMenuItem(const QString& menu, const QString& from, const QString& to) override;
    void selectTab(const QString& label) override;
    void setWindowTitle(const QString& title) override;
    void setEditorEditable(bool editable) override;
    void refreshToolbar() override;
    void closeExtraSlipWindows() override;
    void updateExtraSlipWindows() override;
    void refreshInspector() override;

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    std::shared_ptr<Box> box_;
    QtUiPort& port_;
    const Pasteboard& pasteboard_;
    Settings settings_;
    Host* host_;
    std::optional<QString> path_;
    BoxMenuBar* menuBar_;
    BoxToolBar* toolBar_;
    QTabWidget* tabs_;
    SlipTextView* textView_;
    SlipFields* fields_;
    SlipScentView* slipScentView_;
    SearchView* searchView_;
    KeywordScentView* keywordScentView_;
    AlternatingScentView* alternatingScentView_;
    std::unique_ptr<SlipCommands> slipCommands_;
    std::unique_ptr<LookUpActions> lookUpActions_;
    std::unique_ptr<ExtraSlipWindows> extraWindows_;
    std::optional<RichText> shownText_;
    // The box's state for one round of menu validation.
    std::optional<BoxWindowContext> validationContext_;
    bool syncPending_ = false;
    bool selectingTab_ = false;
    bool closed_ = false;

    QWidget* makeSlipTab();
    void connectToolbar();
    void connectListMenus();
    void connectBox();
    // Web pages and media files dropped on the slip are fetched with a busy cursor.
    void connectWebResources();
    void connectExtraSlipWindows();
    void setUpWindow();
    // One user event: its undo steps group together, then the window follows the box.
    void perform(const std::function<void()>& action);
    void scheduleSync();
    void forwardToFocusWidget(const char* slot);
    bool focusIsIn(const QWidget* widget) const;
    QTextEdit* focusedRichText() const;
    bool confirmClose();
};

}  // namespace fendle
