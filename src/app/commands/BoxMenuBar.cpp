#include "app/commands/BoxMenuBar.h"

#include "app/program/ThemeIcons.h"

#include <QFileInfo>

namespace fendle {

namespace {
const QString OpenRecent = QStringLiteral("Open Recent");

// The titles a menu ("File", or "Edit/Spelling" for a submenu) will hold, in order.
QStringList titlesOfMenu(const QString& key) {
    QStringList titles;
    for (const CommandEntry& entry : CommandTable::entries()) {
        const QString submenuKey = entry.menu + QLatin1Char('/') + entry.submenu;
        if (entry.submenu.isEmpty() ? entry.menu == key : submenuKey == key)
            titles.append(entry.title);
        else if (entry.menu == key && !titles.contains(entry.submenu))
            titles.append(entry.submenu);
        if (entry.command == Command::Open && entry.menu == key) titles.append(OpenRecent);
    }
    return titles;
}
}  // namespace

BoxMenuBar::BoxMenuBar(QWidget* parent) : QMenuBar(parent), menuBarMnemonics_(CommandTable::menus()) {
    for (const QString& title : CommandTable::menus()) {
        QMenu* menu = addMarkedMenu(nullptr, title);
        menus_.insert(title, menu);
        connect(menu, &QMenu::aboutToShow, this, &BoxMenuBar::aboutToShowMenu);
    }
    for (const CommandEntry& entry : CommandTable::entries()) {
        QMenu* menu = menuFor(entry);
        if (entry.separatorBefore) menu->addSeparator();
        Mnemonics& mnemonics = mnemonicsOf(menu);
        const QString marked = mnemonics.mark(entry.title);
        const QString markedInTrash =
            entry.titleInTrash.isEmpty() ? marked : mnemonics.markAlike(entry.titleInTrash, marked);
        markedTitles_.emplace(entry.command, std::pair{marked, markedInTrash});
        QAction* action = menu->addAction(marked);
        action->setIcon(ThemeIcons::icon(CommandTable::iconNames(entry.command)));
        action->setShortcut(entry.shortcut);
        action->setCheckable(entry.checkable);
        const Command command = entry.command;
        connect(action, &QAction::triggered, this, [this, command] { emit commandTriggered(command); });
        actions_.emplace(command, action);
        if (command == Command::Open) {
            recentMenu_ = addMarkedMenu(menu, OpenRecent);
            connect(recentMenu_, &QMenu::aboutToShow, this, &BoxMenuBar::fillRecentMenu);
        }
    }
}

QMenu* BoxMenuBar::menuFor(const CommandEntry& entry) {
    QMenu* menu = menus_.value(entry.menu);
    if (entry.submenu.isEmpty()) return menu;
    const QString key = entry.menu + QLatin1Char('/') + entry.submenu;
    if (QMenu* submenu = menus_.value(key)) return submenu;
    QMenu* submenu = addMarkedMenu(menu, entry.submenu);
    menus_.insert(key, submenu);
    return submenu;
}

QMenu* BoxMenuBar::addMarkedMenu(QMenu* parent, const QString& title) {
    if (!parent) return addMenu(menuBarMnemonics_.mark(title));
    return parent->addMenu(mnemonicsOf(parent).mark(title));
}

Mnemonics& BoxMenuBar::mnemonicsOf(QMenu* menu) {
    if (Mnemonics* known = itemMnemonics_.value(menu)) return *known;
    Mnemonics& made = mnemonicsStore_.emplace_back(titlesOfMenu(menus_.key(menu)));
    itemMnemonics_.insert(menu, &made);
    return made;
}

void BoxMenuBar::insertMenuBefore(QMenu* menu, QMenu* before) {
    menu->setTitle(menuBarMnemonics_.mark(menu->title()));
    insertMenu(before->menuAction(), menu);
}

QAction* BoxMenuBar::item(const QString& menuTitle, const QString& title) const {
    const QMenu* menu = menus_.value(menuTitle);
    if (!menu) return nullptr;
    for (QAction* action : menu->actions())
        if (plainTitle(action) == title) return action;
    return nullptr;
}

QAction* BoxMenuBar::item(const QString& title) const {
    for (const auto& [command, action] : actions_)
        if (plainTitle(action) == title) return action;
    return nullptr;
}

void BoxMenuBar::showTrashTitles(bool inTrash) {
    for (const auto& [command, titles] : markedTitles_)
        actions_.at(command)->setText(inTrash ? titles.second : titles.first);
}

void BoxMenuBar::validateAll(const std::function<bool(const QString& title)>& enabled) {
    for (const auto& [command, action] : actions_) {
        if (command == Command::Undo || command == Command::Redo) continue;
        action->setEnabled(enabled(plainTitle(action)));
    }
}

void BoxMenuBar::setUndoTitles(const QString& undoName, bool canUndo, const QString& redoName, bool canRedo) {
    // The step's name is the undo manager's text, never a mnemonic.
    auto titled = [this](Command command, const QString& name, bool can) {
        const QString& marked = markedTitles_.at(command).first;
        QString escaped = name;
        escaped.replace(QLatin1Char('&'), QStringLiteral("&&"));
        QAction* action = actions_.at(command);
        action->setText(can && !name.isEmpty() ? marked + QLatin1Char(' ') + escaped : marked);
        action->setEnabled(can);
    };
    titled(Command::Undo, undoName, canUndo);
    titled(Command::Redo, redoName, canRedo);
}

void BoxMenuBar::fillRecentMenu() {
    recentMenu_->clear();
    Mnemonics mnemonics;
    for (const QString& path : recentBoxes_) {
        QAction* action = recentMenu_->addAction(mnemonics.mark(QFileInfo(path).fileName()));
        action->setToolTip(path);
        connect(action, &QAction::triggered, this, [this, path] { emit openRecentBox(path); });
    }
    recentMenu_->addSeparator();
    QAction* clear = recentMenu_->addAction(mnemonics.mark(QStringLiteral("Clear Menu")));
    clear->setEnabled(!recentBoxes_.isEmpty());
    connect(clear, &QAction::triggered, this, &BoxMenuBar::clearRecentBoxes);
}

}  // namespace fendle
