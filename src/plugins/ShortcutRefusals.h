#pragma once
#include <QString>
#include <optional>

namespace fendle {

// Key combinations the program's own menus use, which plug-in menu items
// may not take: the reason shown to the user, or none when the combination
// is free. Key codes and modifier bits are the stored ones (PlugInShortcuts).
std::optional<QString> shortcutRefusal(qint64 keyCode, quint64 flags);

}  // namespace fendle
