#include "plugins/PlugInShortcutEditor.h"

#include "platform/system/Defaults.h"
#include "plugins/PlugInController.h"
#include "plugins/PlugInShortcuts.h"
#include "plugins/ShortcutRefusals.h"

namespace fendle {

namespace {

void collectTitles(const QList<plugin::MenuItemDescription>& descriptions, const QString& name,
                   QList<PlugInShortcutEditor::MenuItem>& items) {
    for (const plugin::MenuItemDescription& description : descriptions) {
        if (description.submenu)
            collectTitles(*description.submenu, name, items);
        else
            items.append({name, description.title});
    }
}

}  // namespace

PlugInShortcutEditor::PlugInShortcutEditor(PlugInController& plugIns, Defaults& defaults)
    : plugIns_(plugIns), defaults_(defaults) {}

QList<PlugInShortcutEditor::MenuItem> PlugInShortcutEditor::menuItemsOfLoadedPlugIns(PlugInController& plugIns) {
    QList<MenuItem> items;
    for (const PlugInController::LoadedPlugIn& loaded : plugIns.loadedPlugIns()) {
        const PlugInBundle* bundle = plugIns.bundleForPlugInID(loaded.identifier);
        if (const auto descriptions = loaded.instance->addMenuItems(); descriptions && bundle)
            collectTitles(*descriptions, bundle->name(), items);
    }
    return items;
}

PlugInShortcutEditor::KeyCombo PlugInShortcutEditor::keyComboForMenuItemTitle(const QString& title) {
    const PlugInMenuItem* item = plugIns_.plugInMenu().menuItemWithTitle(title);
    if (!item || item->keyEquivalent.isEmpty()) return {};
    return {item->modifierMask, PlugInShortcuts::keyCodeForCharacter(item->keyEquivalent.toUpper())};
}

std::optional<QString> PlugInShortcutEditor::keyComboDidChange(const QString& title, KeyCombo combo) {
    PlugInMenuItem* item = plugIns_.plugInMenu().menuItemWithTitle(title);
    if (!item) return QString();
    if (combo.keyCode == -1) {
        item->keyEquivalent.clear();
        item->modifierMask = 0;
    } else {
        if ((combo.flags & ~AllowedFlags) || !(combo.flags & RequiredFlags)) return QString();
        if (std::optional<QString> reason = shortcutRefusal(combo.keyCode, combo.flags)) return reason;
        const QString character = PlugInShortcuts::characterForKeyCode(combo.keyCode);
        if (character.isEmpty()) return QString();
        item->keyEquivalent = combo.flags & PlugInShortcuts::Shift ? character : character.toLower();
        item->modifierMask = combo.flags;
    }
    emit plugIns_.plugInMenuChanged();
    return std::nullopt;
}

void PlugInShortcutEditor::windowWillClose() {
    const std::optional<PlistValue> stored = defaults_.objectForKey(PlugInShortcuts::DefaultsKey);
    PlistValue::Dictionary shortcuts =
        stored && stored->type() == PlistValue::Type::Dictionary ? stored->dictionary() : PlistValue::Dictionary{};
    for (const MenuItem& item : menuItems_) {
        const QString key = PlugInShortcuts::storeKey(item.plugInName, item.title);
        const PlistValue value = arrayForKeyCombo(keyComboForMenuItemTitle(item.title));
        const auto existing = std::find_if(shortcuts.begin(), shortcuts.end(), [&](const auto& e) { return e.first == key; });
        if (existing != shortcuts.end())
            existing->second = value;
        else
            shortcuts.emplace_back(key, value);
    }
    defaults_.setObject(PlugInShortcuts::DefaultsKey, PlistValue(std::move(shortcuts)));
}

PlistValue PlugInShortcutEditor::arrayForKeyCombo(KeyCombo combo) {
    return PlistValue(PlistValue::Array{PlistValue(combo.keyCode), PlistValue(qint64(combo.flags))});
}


}  // namespace fendle
