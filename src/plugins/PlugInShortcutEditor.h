#pragma once
#include "platform/plist/PlistValue.h"

#include <QList>
#include <QString>
#include <optional>

namespace fendle {

class Defaults;
class PlugInController;

// What the shortcut editor does, without its window: the menu items of the
// loaded plug-ins, each one's shortcut as the "Plug-ins" menu has it, a new
// combination applied to the menu at once unless the program's own menus use
// it, and every listed item's shortcut stored when the window closes (taking
// effect when the menu is built at the next start).
class PlugInShortcutEditor {
public:
    // A key combination as stored: key code -1 is none.
    struct KeyCombo {
        quint64 flags = 0;
        qint64 keyCode = -1;
        friend bool operator==(const KeyCombo&, const KeyCombo&) = default;
    };
    struct MenuItem {
        QString plugInName;
        QString title;
    };
    // The recorder takes Command, Option, Control and Shift, and needs Command.
    static constexpr quint64 AllowedFlags = 0x1E0000;
    static constexpr quint64 RequiredFlags = 0x100000;

    PlugInShortcutEditor(PlugInController& plugIns, Defaults& defaults);

    // [plug-in name, item title] of the loaded plug-ins' items; an item with
    // a submenu gives the titles of its sub-items instead of its own.
    static QList<MenuItem> menuItemsOfLoadedPlugIns(PlugInController& plugIns);
    void setMenuItems(QList<MenuItem> items) { menuItems_ = std::move(items); }
    const QList<MenuItem>& menuItems() const { return menuItems_; }
    PlugInController& plugIns() { return plugIns_; }

    KeyCombo keyComboForMenuItemTitle(const QString& title);
    // Applies the combination to the item, or answers why it is refused
    // (empty for a combination the recorder does not take at all).
    std::optional<QString> keyComboDidChange(const QString& title, KeyCombo combo);
    void windowWillClose();

    static PlistValue arrayForKeyCombo(KeyCombo combo);

private:
    PlugInController& plugIns_;
    Defaults& defaults_;
    QList<MenuItem> menuItems_;
};

}  // namespace fendle
