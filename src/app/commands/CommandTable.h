#pragma once
#include <QKeySequence>
#include <QList>
#include <QString>

namespace fendle {

class BoxWindow;
struct BoxWindowContext;

// Every command of a box window, as the menus, the toolbar and the menu
// enabling know it.
enum class Command {
    // File
    New, Open, Close, Save, SaveAs, RevertToSaved, Import, ExportSlips, Preferences, Print, Quit,
    // Edit
    Undo, Redo, Cut, Copy, Paste, SelectAll, Bold, Italic, Underline, Highlight, ConvertSelectedTextToDefault,
    CheckSpellingWhileTyping, CheckGrammarWithSpelling, SmartCopyPaste, SmartQuotes, SmartLinks,
    // View
    SlipView, SearchView, KeywordScentView, AlternatingScentView, BrowseTrash, ZoomIn, ZoomOut, ActualSize,
    ShowInspector, ShowSavedSearches, ShowKeywordsList, FloatWindow,
    // Slip
    Add, Remove, CopySlip, PasteSlip, ClearAllFields, Split, Merge, Next, Previous, First, Last, GoBack, GoForward,
    GoToSlip, RandomSlip, MostRecentSlip, SuggestSlip, ToggleFlagged, FlagAllSearchResults, UnflagAllSlips,
    AddKeywordToSelectedResults, MakeSlipLink, FindNextOrphanedSlipLink, EditSlipTemplate, EmptyTrash,
    // Box
    SearchForKeyword, SearchForSource, SearchInAnyTextualField, Statistics, FindSingletonKeywords,
    FindOrphanedSlips, SearchSpotlight,
    // Window
    ShowSelectedSlipsInExtraWindow, ShowFlaggedSlipsInExtraWindow, ArrangeExtraSlipWindows,
    CloseAllExtraSlipWindows, DesktopSearch, Inspector,
    // Help
    FendleHelp, AboutFendle,
};

// One row of the table: where the command sits in the menus, the title the
// enabling rules know it by (and the one it takes while the trash is shown),
// its shortcut, what it does and when it is enabled.
struct CommandEntry {
    Command command;
    QString menu;
    QString submenu;  // empty: directly in the menu
    QString title;
    QString titleInTrash;  // empty: the same title
    QKeySequence shortcut;
    bool separatorBefore = false;
    bool checkable = false;
    void (*run)(BoxWindow& window) = nullptr;
    bool (*enabled)(const BoxWindowContext& context) = nullptr;
    // The switches stored in the defaults ("FDLSmartQuotes"...).
    QString defaultsKey;
};

class CommandTable {
public:
    // In menu order.
    static const QList<CommandEntry>& entries();
    static const CommandEntry& entry(Command command);
    // By either of its titles; none for a title no command has.
    static const CommandEntry* entryForTitle(const QString& title);
    // The top-level menus in order.
    static const QStringList& menus();
    // The freedesktop names of the command's icon, the preferred first; none for most.
    static QStringList iconNames(Command command);
    // "Go To Slip (Ctrl+L)": the title without its ellipsis and the shortcut.
    static QString toolTip(Command command);
};

}  // namespace fendle
