#pragma once
#include "app/commands/CommandTable.h"
#include "app/commands/Mnemonics.h"

#include <QHash>
#include <QMenuBar>
#include <QAction>
#include <functional>
#include <list>
#include <map>

namespace fendle {

// The main menu of a box window, built from the command table, with Alt-key
// mnemonics on every menu and item. Items are known by their plain titles,
// as the enabling rules know them; a retitled item ("Browse Trash" / "Close
// Trash") keeps its command.
class BoxMenuBar : public QMenuBar {
    Q_OBJECT
public:
    explicit BoxMenuBar(QWidget* parent = nullptr);

    QMenu* menu(const QString& title) const { return menus_.value(title); }
    // The item of a menu that now has this title; none when there is none.
    QAction* item(const QString& menu, const QString& title) const;
    // The item of any menu by its current title.
    QAction* item(const QString& title) const;
    QAction* item(Command command) const { return actions_.at(command); }
    // Every item takes the title it has in or out of the trash.
    void showTrashTitles(bool inTrash);
    // Enables every item by the rule for its current title.
    void validateAll(const std::function<bool(const QString& title)>& enabled);
    // "Undo" and "Redo" carry the name of the step they would take.
    void setUndoTitles(const QString& undoName, bool canUndo, const QString& redoName, bool canRedo);
    // A menu of the program's own (the plug-ins'), placed before another, with its mnemonic.
    void insertMenuBefore(QMenu* menu, QMenu* before);
    // An item's title without its mnemonic mark.
    static QString plainTitle(const QAction* action) { return Mnemonics::plain(action->text()); }
    // The recent boxes, newest first, for "Open Recent".
    void setRecentBoxes(const QStringList& paths) { recentBoxes_ = paths; }

signals:
    void commandTriggered(fendle::Command command);
    // A menu opens: its items are about to be validated.
    void aboutToShowMenu();
    void openRecentBox(const QString& path);
    void clearRecentBoxes();

private:
    QHash<QString, QMenu*> menus_;
    std::map<Command, QAction*> actions_;
    // The marked titles of each item, out of and in the trash.
    std::map<Command, std::pair<QString, QString>> markedTitles_;
    Mnemonics menuBarMnemonics_;
    QHash<QMenu*, Mnemonics*> itemMnemonics_;
    std::list<Mnemonics> mnemonicsStore_;
    QMenu* recentMenu_ = nullptr;
    QStringList recentBoxes_;

    QMenu* menuFor(const CommandEntry& entry);
    QMenu* addMarkedMenu(QMenu* parent, const QString& title);
    Mnemonics& mnemonicsOf(QMenu* menu);
    void fillRecentMenu();
};

}  // namespace fendle
