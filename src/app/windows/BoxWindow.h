#pragma once
#include "app/commands/BoxWindowContext.h"
#include "app/commands/CommandTable.h"
#include "app/editing/TextStyling.h"
#include "app/program/QtUiPort.h"
#include "document/BoxDocument.h"
#include "platform/richtext/RichText.h"

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
class DesktopServices;
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
// the main menu. It holds no box state: it runs the user's commands on the
// box and shows what the box and its document announce.
class BoxWindow : public QMainWindow {
    Q_OBJECT
public:
    // What lies beyond one box: other boxes, the recent list, the program's
    // panels and switches.
    class Host {
    public:
        enum class InspectorPage { SavedSearches, KeywordsList, ResizeImage };
        virtual ~Host() = default;
        virtual void newBox() = 0;
        virtual void openBox() = 0;
        virtual void openRecentBox(const QString& path) = 0;
        // "Import...": into the box of the key window.
        virtual void importFile() = 0;
        virtual QStringList recentBoxes() const = 0;
        virtual void clearRecentBoxes() = 0;
        virtual void boxSaved(BoxWindow& window, const QString& path) = 0;
        // The window is closing: its frame and switches go to the defaults.
        virtual void storeWindowState(BoxWindow& window) = 0;
        virtual void boxWindowClosed(BoxWindow& window) = 0;
        virtual void quit() = 0;
        virtual void showPreferences() = 0;
        virtual void showHelp() = 0;
        // The one inspector panel of the program.
        virtual void toggleInspector() = 0;
        virtual bool inspectorVisible() const = 0;
        virtual void showInspectorPage(InspectorPage page) = 0;
        virtual void refreshInspector(BoxWindow& window) = 0;
        // The slip text's selection moved: the inspector's resize view follows.
        virtual void slipTextSelectionChanged(BoxWindow& window) = 0;
        // Undo or redo of "Resize Image" takes the picture up again.
        virtual void initiateResizeImage(BoxWindow& window) = 0;
        // The application-wide switches of the menus.
        virtual bool toggleTextChecking(const QString& defaultsKey) = 0;
        virtual bool textCheckingState(const QString& defaultsKey) const = 0;
        virtual void floatWindows() = 0;
        virtual bool windowsFloat() const = 0;
        // Where addresses leave the program.
        virtual DesktopServices& desktopServices() = 0;
        // The desktop search window, searching for the query; false when the
        // cache folder cannot be read.
        virtual bool showDesktopSearch(const QString& query) = 0;
    };

    struct Settings {
        // "FDLSlipToDisplayWhenOpeningBox".
        QString slipToDisplayWhenOpeningBox;
        // The stored frame, when "SaveWindowPositionOnExit" is on.
        std::optional<QByteArray> frame;
        bool autoCompleteKeywords = true;
        bool autoCompleteSources = true;
        // "PlainTextFont", for the fields and the extra slip windows.
        std::optional<QFont> plainTextFont;
        // "UseScentPathForSearch".
        bool useScentPathForSearch = false;
    };

    BoxWindow(std::shared_ptr<Box> box, QtUiPort& port, const Pasteboard& pasteboard, const Settings& settings,
              Host& host, QWidget* parent = nullptr);
    ~BoxWindow() override;

    Box& box() const { return *box_; }
    QtUiPort& uiPort() const { return port_; }
    Host& host() const { return host_; }
    const std::shared_ptr<Box>& boxPointer() const { return box_; }
    const std::optional<QString>& path() const;

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
    ExtraSlipWindows& extraSlipWindows() const { return *extraWindows_; }
    SlipCommands& slipCommands() const { return *slipCommands_; }

    // A link in the slip text: slip links are followed in the box, anything else opened.
    void followLink(const QString& target);

    // The commands of the command table.
    void run(Command command);
    // By a title the command has now or in the trash; false for no command.
    bool runCommand(const QString& title);
    bool validateMenuItem(const QString& title) const;
    BoxWindowContext context() const;
    // One user event: its undo steps form one group; the menus follow.
    void perform(const std::function<void()>& action);
    // The menus' and toolbar's enabled states, once the current event is done.
    void scheduleValidation();
    void validateCommands();

    bool save();
    bool saveAs();
    bool saveTo(const QString& path, BoxDocument::SaveKind kind);
    void revertToSaved();
    void print();
    void exportSlips();
    void undoOrRedo(bool undo);
    void forwardToFocusWidget(const char* slot);
    // The style command on the focused rich text (the slip text or the template).
    void applyTextStyle(TextStyling::Command command);
    // One of the text-checking switches of the "Edit" menu.
    void toggleTextChecking(Command command);
    void setZoomToSize(qint32 percent);
    void changeZoomFactorAction(int tag);
    // The preferences' plain-text font: the keywords, source and type fields and the search preview's source.
    void setDocFont(const QFont& font);
    // The preferences' slip text font: the current slip's whole text takes it (undoable).
    void setDefaultSlipFont(const FontAttribute& font);
    // Keeps the window above others (the "Float Window" switch).
    void setFloating(bool floating);
    void updateToolbarSegmentedControls();

protected:
    void closeEvent(QCloseEvent* event) override;
    bool event(QEvent* event) override;

private:
    std::shared_ptr<Box> box_;
    QtUiPort& port_;
    const Pasteboard& pasteboard_;
    Settings settings_;
    Host& host_;
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
    bool validationPending_ = false;
    bool selectingTab_ = false;
    bool closed_ = false;

    QWidget* makeSlipTab();
    void connectMenus();
    void connectToolbar();
    void connectListMenus();
    void connectBox();
    void setUpWindow();
    void showTab(BoxTab tab);
    // The list of a tab that takes the keyboard when the tab is selected.
    QWidget* listOfTab(BoxTab tab) const;
    bool focusIsIn(const QWidget* widget) const;
    QTextEdit* focusedRichText() const;
    bool confirmClose();
};

}  // namespace fendle
