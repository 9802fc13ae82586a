#include "plugins/PlugInMenu.h"

#include "plugins/PlugInShortcuts.h"

namespace fendle {

void PlugInMenu::addMenuItems(const QList<plugin::MenuItemDescription>& descriptions, const QString& plugInName,
                              plugin::GeneralProtocol& instance) {
    add(descriptions, plugInName, instance, items_);
}

void PlugInMenu::add(const QList<plugin::MenuItemDescription>& descriptions, const QString& plugInName,
                     plugin::GeneralProtocol& instance, QList<PlugInMenuItem>& menu) {
    for (const plugin::MenuItemDescription& description : descriptions) {
        QString key = description.keyEquivalent;
        quint64 flags = description.modifierFlags;
        if (const auto stored = PlugInShortcuts::stored(defaults_, plugInName, description.title)) {
            if (stored->keyCode == -1) {
                key.clear();
                flags = 0;
            } else {
                const QString character = PlugInShortcuts::characterForKeyCode(stored->keyCode);
                key = stored->flags & PlugInShortcuts::Shift ? character : character.toLower();
                flags = stored->flags;
            }
        }
        PlugInMenuItem item{description.title, key, flags ? flags | PlugInShortcuts::Command : PlugInShortcuts::Command,
                            std::nullopt};
        plugInMenuToPlugInObjects_[description.title] = &instance;
        plugInMenuItemValidForClasses_[description.title] = description.enabledIn;
        if (description.submenu) {
            item.submenu.emplace();
            add(*description.submenu, plugInName, instance, *item.submenu);
        }
        menu.append(std::move(item));
    }
}

void PlugInMenu::removeMenuItems(const QList<plugin::MenuItemDescription>& descriptions) { remove(descriptions, items_); }

void PlugInMenu::remove(const QList<plugin::MenuItemDescription>& descriptions, QList<PlugInMenuItem>& menu) {
    for (const plugin::MenuItemDescription& description : descriptions) {
        const auto item = std::find_if(menu.begin(), menu.end(),
                                       [&](const PlugInMenuItem& i) { return i.title == description.title; });
        if (item != menu.end()) {
            if (description.submenu && item->submenu) remove(*description.submenu, *item->submenu);
            menu.erase(item);
        }
        plugInMenuToPlugInObjects_.erase(description.title);
        plugInMenuItemValidForClasses_.erase(description.title);
    }
}

PlugInMenuItem* PlugInMenu::find(const QString& title, QList<PlugInMenuItem>& menu) {
    for (PlugInMenuItem& item : menu) {
        if (item.submenu)
            if (PlugInMenuItem* inner = find(title, *item.submenu)) return inner;
        if (item.title == title) return &item;
    }
    return nullptr;
}

bool PlugInMenu::executePluginMenuAction(const QString& title) {
    const auto it = plugInMenuToPlugInObjects_.find(title);
    if (it == plugInMenuToPlugInObjects_.end()) return false;
    it->second->executeMenuAction(title);
    return true;
}

bool PlugInMenu::validateMenuItem(const QString& title, const std::optional<QString>& windowName) const {
    const auto it = plugInMenuItemValidForClasses_.find(title);
    // An empty list, as a submenu's own item has, counts as none.
    if (it == plugInMenuItemValidForClasses_.end() || it->second.isEmpty()) return true;
    return windowName && it->second.contains(*windowName);
}

}  // namespace fendle
