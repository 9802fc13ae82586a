#include "app/commands/PlugInsMenu.h"

#include "plugins/PlugInController.h"
#include "plugins/PlugInShortcuts.h"

namespace fendle {

PlugInsMenu::PlugInsMenu(PlugInController& plugIns, Host& host, QWidget* parent)
    : QMenu(Title, parent), plugIns_(plugIns), host_(host) {
    connect(&plugIns_, &PlugInController::plugInMenuChanged, this, &PlugInsMenu::rebuild);
    connect(this, &QMenu::aboutToShow, this, [this] { validate(*this); });
    rebuild();
}

void PlugInsMenu::rebuild() {
    clear();
    fill(*this, plugIns_.plugInMenu().items());
    if (!plugIns_.plugInMenu().items().isEmpty()) addSeparator();
    connect(addAction(PreferencesTitle), &QAction::triggered, this, [this] { host_.showPlugInPreferences(); });
    connect(addAction(ShortcutsTitle), &QAction::triggered, this, [this] { host_.showShortcutRecorder(); });
}

void PlugInsMenu::fill(QMenu& menu, const QList<PlugInMenuItem>& items) {
    for (const PlugInMenuItem& item : items) {
        if (item.submenu) {
            QMenu* submenu = menu.addMenu(item.title);
            connect(submenu, &QMenu::aboutToShow, this, [this, submenu] { validate(*submenu); });
            fill(*submenu, *item.submenu);
            continue;
        }
        QAction* action = menu.addAction(item.title);
        action->setShortcut(QKeySequence(PlugInShortcuts::qtKeys(item.keyEquivalent, item.modifierMask)));
        connect(action, &QAction::triggered, this,
                [this, title = item.title] { plugIns_.plugInMenu().executePluginMenuAction(title); });
    }
}

void PlugInsMenu::validate(QMenu& menu) {
    for (QAction* action : menu.actions())
        if (action->text() != PreferencesTitle && action->text() != ShortcutsTitle)
            action->setEnabled(plugIns_.plugInMenu().validateMenuItem(action->text(), WindowName));
}

}  // namespace fendle
