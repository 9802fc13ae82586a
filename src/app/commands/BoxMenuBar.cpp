#include "app/commands/BoxMenuBar.h"

#include <QFileInfo>

namespace fendle {

namespace {
const QString OpenRecent = QStringLiteral("Open Recent");
const QString Undo = QStringLiteral("Undo");
const QString Redo = QStringLiteral("Redo");
}  // namespace

BoxMenuBar::BoxMenuBar(QWidget* parent) : QMenuBar(parent) {
    for (const QString& title : CommandTable::menus()) {
        QMenu* menu = addMenu(title);
        menus_.insert(title, menu);
        connect(menu, &QMenu::aboutToShow, this, &BoxMenuBar::aboutToShowMenu);
    }
    for (const CommandEntry& entry : CommandTable::entries()) {
        QMenu* menu = menuFor(entry);
        if (entry.separatorBefore) menu->addSeparator();
        QAction* action = menu->addAction(entry.title);
        action->setShortcut(entry.shortcut);
        action->setCheckable(entry.checkable);
        const Command command = entry.command;
        connect(action, &QAction::triggered, this, [this, command] { emit commandTriggered(command); });
        actions_.emplace(command, action);
        if (command == Command::Open) {
            recentMenu_ = menu->addMenu(OpenRecent);
            connect(recentMenu_, &QMenu::aboutToShow, this, &BoxMenuBar::fillRecentMenu);
        }
    }
}

QMenu* BoxMenuBar::menuFor(const CommandEntry& entry) {
    QMenu* menu = menus_.value(entry.menu);
    if (entry.submenu.isEmpty()) return menu;
    const QString key = entry.menu + QLatin1Char('/') + entry.submenu;
    if (QMenu* submenu = menus_.value(key)) return submenu;
    QMenu* submenu = menu->addMenu(entry.submenu);
    menus_.insert(key, submenu);
    return submenu;
}

QAction* BoxMenuBar::item(const QString& menuTitle, const QString& title) const {
    const QMenu* menu = menus_.value(menuTitle);
    if (!menu) return nullptr;
    for (QAction* action : menu->actions())
        if (action->text() == title) return action;
    return nullptr;
}

QAction* BoxMenuBar::item(const QString& title) const {
    for (const auto& [command, action] : actions_)
        if (action->text() == title) return action;
    return nullptr;
}

void BoxMenuBar::showTrashTitles(bool inTrash) {
    for (const CommandEntry& entry : CommandTable::entries())
        if (!entry.titleInTrash.isEmpty()) actions_.at(entry.command)->setText(inTrash ? entry.titleInTrash : entry.title);
}

void BoxMenuBar::validateAll(const std::function<bool(const QString& title)>& enabled) {
    for (const auto& [command, action] : actions_) {
        if (command == Command::Undo || command == Command::Redo) continue;
        action->setEnabled(enabled(action->text()));
    }
}

void BoxMenuBar::setUndoTitles(const QString& undoName, bool canUndo, const QString& redoName, bool canRedo) {
    QAction* undo = actions_.at(Command::Undo);
    undo->setText(canUndo && !undoName.isEmpty() ? Undo + QLatin1Char(' ') + undoName : Undo);
    undo->setEnabled(canUndo);
    QAction* redo = actions_.at(Command::Redo);
    redo->setText(canRedo && !redoName.isEmpty() ? Redo + QLatin1Char(' ') + redoName : Redo);
    redo->setEnabled(canRedo);
}

void BoxMenuBar::fillRecentMenu() {
    recentMenu_->clear();
    for (const QString& path : recentBoxes_) {
        QAction* action = recentMenu_->addAction(QFileInfo(path).fileName());
        action->setToolTip(path);
        connect(action, &QAction::triggered, this, [this, path] { emit openRecentBox(path); });
    }
    recentMenu_->addSeparator();
    QAction* clear = recentMenu_->addAction(QStringLiteral("Clear Menu"));
    clear->setEnabled(!recentBoxes_.isEmpty());
    connect(clear, &QAction::triggered, this, &BoxMenuBar::clearRecentBoxes);
}

}  // namespace fendle
