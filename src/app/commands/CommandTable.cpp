#include "app/commands/CommandTable.h"

#include "app/commands/BoxWindowContext.h"
#include "app/dialogs/AboutDialog.h"
#include "app/commands/SlipCommands.h"
#include "app/views/LookUpActions.h"
#include "app/editing/TextStyling.h"
#include "app/windows/BoxWindow.h"
#include "app/windows/ExtraSlipWindows.h"
#include "document/Box.h"
#include "search/SearchRuleEditor.h"

namespace fendle {

namespace {

using C = BoxWindowContext;
using K = QKeySequence;
constexpr auto Ctrl = Qt::ControlModifier;
constexpr auto Shift = Qt::ShiftModifier;
constexpr auto Alt = Qt::AltModifier;

QKeySequence keys(QKeyCombination combination) { return QKeySequence(combination); }

// A box operation as one user event.
template <void (Box::*Operation)()>
void boxOperation(BoxWindow& window) {
    window.perform([&window] { (window.box().*Operation)(); });
}

template <BoxTab Tab>
void showTab(BoxWindow& window) {
    window.perform([&window] { window.box().selectTabViewItemWithLabel(Tab); });
}

template <TextStyling::Command Style>
void textStyle(BoxWindow& window) {
    window.applyTextStyle(Style);
}

bool always(const C&) { return true; }
bool slipTab(const C& c) { return c.selectedTab == BoxTab::Slip; }
bool searchTab(const C& c) { return c.selectedTab == BoxTab::Search; }
bool notInTrash(const C& c) { return !c.inTrashMode; }
bool slipTabNotInTrash(const C& c) { return slipTab(c) && !c.inTrashMode; }
bool slipOrSearchTab(const C& c) { return slipTab(c) || searchTab(c); }
bool notOnLastSlip(const C& c) { return !c.onLastSlip; }
bool notOnFirstSlip(const C& c) { return !c.onFirstSlip; }
bool extraWindowsOpen(const C& c) { return c.hasExtraSlipWindows; }
bool slipTextFocusedInSlipTab(const C& c) { return slipTab(c) && c.slipTextFocused && !c.inTrashMode; }

bool selectedSlipsCanOpen(const C& c) {
    switch (c.selectedTab) {
    case BoxTab::Search: return c.selectedResultCount > 0;
    case BoxTab::KeywordScent: return false;
    case BoxTab::AlternatingScent: return c.alternatingRowIsSlip.value_or(false);
    case BoxTab::Slip: break;
    }
    return true;
}

QList<CommandEntry> makeEntries() {
    const QString file = QStringLiteral("File"), edit = QStringLiteral("Edit"), view = QStringLiteral("View"),
                  slip = QStringLiteral("Slip"), box = QStringLiteral("Box"), window = QStringLiteral("Window"),
                  help = QStringLiteral("Help");
    const QString spelling = QStringLiteral("Spelling"), substitutions = QStringLiteral("Substitutions");
    using W = BoxWindow;
    return {
        {Command::New, file, {}, "New", {}, K::New, false, false, [](W& w) { w.host().newBox(); }, always},
        {Command::Open, file, {}, "Open...", {}, K::Open, false, false, [](W& w) { w.host().openBox(); }, always},
        {Command::Close, file, {}, "Close", {}, K::Close, true, false, [](W& w) { w.close(); }, always},
        {Command::Save, file, {}, "Save", {}, K::Save, false, false, [](W& w) { w.save(); }, always},
        {Command::SaveAs, file, {}, "Save As...", {}, keys(Ctrl | Shift | Qt::Key_S), false, false,
         [](W& w) { w.saveAs(); }, always},
        {Command::RevertToSaved, file, {}, "Revert To Saved", {}, {}, false, false, [](W& w) { w.revertToSaved(); },
         [](const C& c) { return c.documentEdited; }},
        {Command::Import, file, {}, "Import...", {}, {}, true, false, [](W& w) { w.host().importFile(); },
         [](const C& c) { return c.keyWindowIsBox; }},
        {Command::ExportSlips, file, {}, "Export Slip(s)...", {}, {}, false, false, [](W& w) { w.exportSlips(); },
         always},
        {Command::Preferences, file, {}, "Preferences...", {}, keys(Ctrl | Qt::Key_Comma), true, false,
         [](W& w) { w.host().showPreferences(); }, always},
        {Command::Print, file, {}, "Print...", {}, K::Print, false, false, [](W& w) { w.print(); }, always},
        {Command::Quit, file, {}, "Quit", {}, K::Quit, true, false, [](W& w) { w.host().quit(); }, always},

        {Command::Undo, edit, {}, "Undo", {}, K::Undo, false, false, [](W& w) { w.undoOrRedo(true); }, always},
        {Command::Redo, edit, {}, "Redo", {}, keys(Ctrl | Shift | Qt::Key_Z), false, false,
         [](W& w) { w.undoOrRedo(false); }, always},
        {Command::Cut, edit, {}, "Cut", {}, K::Cut, true, false, [](W& w) { w.forwardToFocusWidget("cut"); }, always},
        {Command::Copy, edit, {}, "Copy", {}, K::Copy, false, false, [](W& w) { w.forwardToFocusWidget("copy"); },
         always},
        {Command::Paste, edit, {}, "Paste", {}, K::Paste, false, false, [](W& w) { w.forwardToFocusWidget("paste"); },
         always},
        {Command::SelectAll, edit, {}, "Select All", {}, K::SelectAll, false, false,
         [](W& w) { w.forwardToFocusWidget("selectAll"); }, always},
        {Command::Bold, edit, {}, "Bold", {}, keys(Ctrl | Qt::Key_B), true, false, textStyle<TextStyling::Command::Bold>,
         always},
        {Command::Italic, edit, {}, "Italic", {}, keys(Ctrl | Qt::Key_I), false, false,
         textStyle<TextStyling::Command::Italic>, always},
        {Command::Underline, edit, {}, "Underline", {}, keys(Ctrl | Qt::Key_U), false, false,
         textStyle<TextStyling::Command::Underline>, always},
        {Command::Highlight, edit, {}, "Highlight", {}, keys(Ctrl | Shift | Qt::Key_H), false, false,
         textStyle<TextStyling::Command::Highlight>, always},
        {Command::ConvertSelectedTextToDefault, edit, {}, "Convert Selected Text To Default", {}, {}, false, false,
         [](W& w) { w.slipCommands().convertSelectedTextToDefault(); }, slipTextFocusedInSlipTab},
        {Command::CheckSpellingWhileTyping, edit, spelling, "Check Spelling While Typing", {}, {}, true, true,
         [](W& w) { w.toggleTextChecking(Command::CheckSpellingWhileTyping); }, always, "CheckSpellingAsYouType"},
        {Command::CheckGrammarWithSpelling, edit, spelling, "Check Grammar With Spelling", {}, {}, false, true,
         [](W& w) { w.toggleTextChecking(Command::CheckGrammarWithSpelling); }, always, "FDLCheckGrammarWithSpelling"},
        {Command::SmartCopyPaste, edit, substitutions, "Smart Copy/Paste", {}, {}, false, true,
         [](W& w) { w.toggleTextChecking(Command::SmartCopyPaste); }, always, "FDLSmartCopyPaste"},
        {Command::SmartQuotes, edit, substitutions, "Smart Quotes", {}, {}, false, true,
         [](W& w) { w.toggleTextChecking(Command::SmartQuotes); }, always, "FDLSmartQuotes"},
        {Command::SmartLinks, edit, substitutions, "Smart Links", {}, {}, false, true,
         [](W& w) { w.toggleTextChecking(Command::SmartLinks); }, always, "FDLSmartLinks"},

        {Command::SlipView, view, {}, "Slip View", {}, keys(Ctrl | Qt::Key_1), false, false, showTab<BoxTab::Slip>,
         always},
        {Command::SearchView, view, {}, "Search View", {}, keys(Ctrl | Qt::Key_2), false, false,
         showTab<BoxTab::Search>, always},
        {Command::KeywordScentView, view, {}, "Keyword Scent View", {}, keys(Ctrl | Qt::Key_3), false, false,
         showTab<BoxTab::KeywordScent>, always},
        {Command::AlternatingScentView, view, {}, "Alternating Scent View", {}, keys(Ctrl | Qt::Key_4), false, false,
         showTab<BoxTab::AlternatingScent>, always},
        {Command::BrowseTrash, view, {}, "Browse Trash", "Close Trash", {}, true, false, boxOperation<&Box::browseTrash>,
         always},
        {Command::ZoomIn, view, {}, "Zoom In", {}, K::ZoomIn, true, false, [](W& w) { w.changeZoomFactorAction(2); },
         always},
        {Command::ZoomOut, view, {}, "Zoom Out", {}, K::ZoomOut, false, false,
         [](W& w) { w.changeZoomFactorAction(0); }, always},
        {Command::ActualSize, view, {}, "Actual Size", {}, keys(Ctrl | Qt::Key_0), false, false,
         [](W& w) { w.changeZoomFactorAction(1); }, always},
        {Command::ShowInspector, view, {}, "Show Inspector", {}, keys(Ctrl | Alt | Qt::Key_I), true, false,
         [](W& w) { w.host().toggleInspector(); }, always},
        {Command::ShowSavedSearches, view, {}, "Saved Searches", {}, {}, false, false,
         [](W& w) { w.host().showInspectorPage(BoxWindow::Host::InspectorPage::SavedSearches); }, always},
        {Command::ShowKeywordsList, view, {}, "Keywords List", {}, {}, false, false,
         [](W& w) { w.host().showInspectorPage(BoxWindow::Host::InspectorPage::KeywordsList); }, always},
        {Command::FloatWindow, view, {}, "Float Window", {}, {}, true, true, [](W& w) { w.host().floatWindows(); },
         always},

        {Command::Add, slip, {}, "Add", {}, keys(Ctrl | Qt::Key_Return), false, false, boxOperation<&Box::addSlip>,
         notInTrash},
        {Command::Remove, slip, {}, "Remove", "Restore", keys(Ctrl | Qt::Key_Delete), false, false,
         boxOperation<&Box::removeSlip>, always},
        {Command::CopySlip, slip, {}, "Copy Slip", {}, keys(Ctrl | Alt | Qt::Key_C), false, false,
         boxOperation<&Box::copySlip>, always},
        {Command::PasteSlip, slip, {}, "Paste Slip", {}, keys(Ctrl | Alt | Qt::Key_V), false, false,
         boxOperation<&Box::pasteSlip>, [](const C& c) { return c.pasteboardHasSlips; }},
        {Command::ClearAllFields, slip, {}, "Clear All Fields", {}, {}, false, false, boxOperation<&Box::clearSlip>,
         slipTabNotInTrash},
        {Command::Split, slip, {}, "Split", {}, {}, false, false, boxOperation<&Box::splitSlip>, slipTabNotInTrash},
        {Command::Merge, slip, {}, "Merge", {}, {}, false, false, boxOperation<&Box::mergeSlips>,
         [](const C& c) { return slipOrSearchTab(c) && !c.inTrashMode; }},
        {Command::Next, slip, {}, "Next", {}, keys(Ctrl | Qt::Key_PageDown), true, false, boxOperation<&Box::nextSlip>,
         notOnLastSlip},
        {Command::Previous, slip, {}, "Previous", {}, keys(Ctrl | Qt::Key_PageUp), false, false,
         boxOperation<&Box::previousSlip>, notOnFirstSlip},
        {Command::First, slip, {}, "First", {}, keys(Ctrl | Qt::Key_Home), false, false, boxOperation<&Box::firstSlip>,
         notOnFirstSlip},
        {Command::Last, slip, {}, "Last", {}, keys(Ctrl | Qt::Key_End), false, false, boxOperation<&Box::lastSlip>,
         notOnLastSlip},
        {Command::GoBack, slip, {}, "Go Back", {}, keys(Ctrl | Qt::Key_BracketLeft), false, false,
         boxOperation<&Box::goBackSlip>, [](const C& c) { return c.historyPosition != 0; }},
        {Command::GoForward, slip, {}, "Go Forward", {}, keys(Ctrl | Qt::Key_BracketRight), false, false,
         boxOperation<&Box::goForwardSlip>, [](const C& c) { return c.historyPosition < c.historyLength - 1; }},
        {Command::GoToSlip, slip, {}, "Go To Slip...", {}, keys(Ctrl | Qt::Key_L), false, false,
         boxOperation<&Box::goToSlip>, always},
        {Command::RandomSlip, slip, {}, "Random Slip", {}, keys(Ctrl | Alt | Qt::Key_R), false, false,
         boxOperation<&Box::randomSlip>, always},
        {Command::MostRecentSlip, slip, {}, "Most Recent Slip", {}, {}, false, false,
         boxOperation<&Box::mostRecentSlip>, always},
        {Command::SuggestSlip, slip, {}, "Suggest Slip", {}, keys(Ctrl | Alt | Qt::Key_S), false, false,
         boxOperation<&Box::suggestSlip>, always},
        {Command::ToggleFlagged, slip, {}, "Toggle Flagged", {}, {}, true, false,
         [](W& w) { w.slipCommands().toggleFlagged(); }, slipOrSearchTab},
        {Command::FlagAllSearchResults, slip, {}, "Flag All Search Results", {}, {}, false, false,
         [](W& w) { w.slipCommands().flagAllSearchResults(); }, searchTab},
        {Command::UnflagAllSlips, slip, {}, "Unflag All Slips", {}, {}, false, false,
         [](W& w) { w.slipCommands().unflagAllSlips(); }, always},
        {Command::AddKeywordToSelectedResults, slip, {}, "Add Keyword to Selected Results", {}, {}, false, false,
         [](W& w) { w.slipCommands().addKeywordToSelectedResults(); },
         [](const C& c) { return searchTab(c) && c.selectedResultCount > 0; }},
        {Command::MakeSlipLink, slip, {}, "Make Slip Link", {}, {}, false, false,
         [](W& w) { w.slipCommands().makeSlipLink(); }, [](const C& c) { return slipTab(c) && c.slipTextFocused; }},
        {Command::FindNextOrphanedSlipLink, slip, {}, "Find Next Orphaned Slip Link", {}, {}, false, false,
         [](W& w) { w.slipCommands().findNextOrphanedSlipLink(); }, always},
        {Command::EditSlipTemplate, slip, {}, "Edit Slip Template...", {}, {}, true, false,
         boxOperation<&Box::editSlipTemplate>, always},
        {Command::EmptyTrash, slip, {}, "Empty Trash", {}, {}, false, false, boxOperation<&Box::emptyTrash>,
         [](const C& c) { return !c.trashEmpty; }},

        {Command::SearchForKeyword, box, {}, "Search for Keyword", {}, keys(Ctrl | Alt | Qt::Key_K), false, false,
         [](W& w) { w.perform([&w] { w.box().searchRuleEditor().initiateKeywordSearch(); }); }, always},
        {Command::SearchForSource, box, {}, "Search for Source", {}, {}, false, false,
         [](W& w) { w.perform([&w] { w.box().searchRuleEditor().initiateSearch(QStringLiteral("source")); }); },
         always},
        {Command::SearchInAnyTextualField, box, {}, "Search in Any Textual Field", {}, keys(Ctrl | Shift | Qt::Key_F),
         false, false,
         [](W& w) { w.perform([&w] { w.box().searchRuleEditor().initiateSearch(QStringLiteral("any textual field")); }); },
         always},
        {Command::SearchSpotlight, box, {}, "Search Spotlight", {}, keys(Ctrl | Alt | Qt::Key_F), false, false,
         [](W& w) { w.lookUpActions().searchSpotlightForSelectedTab(); }, always},
        {Command::Statistics, box, {}, "Statistics...", {}, {}, true, false, [](W& w) { w.slipCommands().statistics(); },
         always},
        {Command::FindSingletonKeywords, box, {}, "Find Singleton Keywords", {}, {}, false, false,
         [](W& w) { w.slipCommands().findSingletonKeywords(); }, always},
        {Command::FindOrphanedSlips, box, {}, "Find Orphaned Slips", {}, {}, false, false,
         [](W& w) { w.slipCommands().findOrphanedSlips(); }, always},

        {Command::ShowSelectedSlipsInExtraWindow, window, {}, "Show Selected Slips In Extra Window", {}, {}, false,
         false, [](W& w) { w.extraSlipWindows().openSelectedSlipsInExtraWindow(); }, selectedSlipsCanOpen},
        {Command::ShowFlaggedSlipsInExtraWindow, window, {}, "Show Flagged Slips In Extra Window", {}, {}, false, false,
         [](W& w) { w.extraSlipWindows().openFlaggedSlipsInExtraWindow(); }, always},
        {Command::ArrangeExtraSlipWindows, window, {}, "Arrange Extra Slip Windows", {}, {}, true, false,
         [](W& w) { w.extraSlipWindows().arrangeExtraSlipWindows(); }, extraWindowsOpen},
        {Command::CloseAllExtraSlipWindows, window, {}, "Close All Extra Slip Windows", {}, {}, false, false,
         [](W& w) { w.extraSlipWindows().closeAllExtraSlipWindows(); }, extraWindowsOpen},
        {Command::Inspector, window, {}, "Inspector", {}, {}, true, false, [](W& w) { w.host().toggleInspector(); },
         always},

        {Command::DesktopSearch, window, {}, "Desktop Search", {}, keys(Ctrl | Shift | Qt::Key_Space), true, false,
         [](W& w) { w.lookUpActions().openDesktopSearch(); }, always},

        {Command::FendleHelp, help, {}, "Fendle Help", {}, K::HelpContents, false, false,
         [](W& w) { w.host().showHelp(); }, always},
        {Command::AboutFendle, help, {}, "About Fendle", {}, {}, true, false, [](W& w) { AboutDialog::present(&w); },
         always},
    };
}

}  // namespace

const QList<CommandEntry>& CommandTable::entries() {
    static const QList<CommandEntry> table = makeEntries();
    return table;
}

const CommandEntry& CommandTable::entry(Command command) {
    for (const CommandEntry& row : entries())
        if (row.command == command) return row;
    // Every command has its row; the table test holds this.
    Q_UNREACHABLE();
}

const CommandEntry* CommandTable::entryForTitle(const QString& title) {
    for (const CommandEntry& row : entries())
        if (row.title == title || (!row.titleInTrash.isEmpty() && row.titleInTrash == title)) return &row;
    return nullptr;
}

QStringList CommandTable::iconNames(Command command) {
    switch (command) {
    case Command::New: return {"document-new"};
    case Command::Open: return {"document-open"};
    case Command::Close: return {"document-close", "window-close"};
    case Command::Save: return {"document-save"};
    case Command::SaveAs: return {"document-save-as"};
    case Command::RevertToSaved: return {"document-revert"};
    case Command::Import: return {"document-import"};
    case Command::ExportSlips: return {"document-export"};
    case Command::Preferences: return {"preferences-system", "configure"};
    case Command::Print: return {"document-print"};
    case Command::Quit: return {"application-exit"};
    case Command::Undo: return {"edit-undo"};
    case Command::Redo: return {"edit-redo"};
    case Command::Cut: return {"edit-cut"};
    case Command::Copy: return {"edit-copy"};
    case Command::Paste: return {"edit-paste"};
    case Command::SelectAll: return {"edit-select-all"};
    case Command::Bold: return {"format-text-bold"};
    case Command::Italic: return {"format-text-italic"};
    case Command::Underline: return {"format-text-underline"};
    case Command::Highlight: return {"draw-highlight", "format-text-color"};
    case Command::BrowseTrash: return {"user-trash"};
    case Command::ZoomIn: return {"zoom-in"};
    case Command::ZoomOut: return {"zoom-out"};
    case Command::ActualSize: return {"zoom-original"};
    case Command::ShowInspector:
    case Command::Inspector: return {"document-properties", "dialog-information"};
    case Command::Add: return {"list-add"};
    case Command::Remove: return {"list-remove"};
    case Command::Next: return {"go-down"};
    case Command::Previous: return {"go-up"};
    case Command::First: return {"go-top"};
    case Command::Last: return {"go-bottom"};
    case Command::GoBack: return {"go-previous"};
    case Command::GoForward: return {"go-next"};
    case Command::GoToSlip: return {"go-jump"};
    case Command::SearchForKeyword: return {"edit-find"};
    case Command::ShowSelectedSlipsInExtraWindow: return {"window-new"};
    case Command::FendleHelp: return {"help-contents"};
    case Command::AboutFendle: return {"help-about"};
    default: return {};
    }
}

QString CommandTable::toolTip(Command command) {
    const CommandEntry& row = entry(command);
    QString title = row.title;
    if (title.endsWith(QLatin1String("..."))) title.chop(3);
    if (row.shortcut.isEmpty()) return title;
    return QStringLiteral("%1 (%2)").arg(title, row.shortcut.toString(QKeySequence::NativeText));
}

const QStringList& CommandTable::menus() {
    static const QStringList order = [] {
        QStringList names;
        for (const CommandEntry& row : entries())
            if (!names.contains(row.menu)) names.append(row.menu);
        return names;
    }();
    return order;
}

}  // namespace fendle
