#include "plugins/ShortcutRefusals.h"

#include "plugins/PlugInShortcuts.h"

#include <array>

namespace fendle {

namespace {

using S = PlugInShortcuts;

// One row: the key (a character, or a key code without one), at least one
// of anyOf, all of allOf, none of noneOf.
struct Refusal {
    char key;
    qint64 keyCode;
    quint64 anyOf;
    quint64 allOf;
    quint64 noneOf;
    const char* item;
};

constexpr std::array<Refusal, 15> Refusals{{
    {'S', -1, S::Command | S::Control, 0, S::Shift | S::Option, "Saved Searches"},
    {'S', -1, S::Command | S::Option, 0, S::Shift, "Suggest Slip"},
    {'S', -1, S::Command | S::Shift, 0, 0, "Save As..."},
    {'P', -1, S::Command, 0, S::Shift, "Print..."},
    {'P', -1, S::Command | S::Shift, 0, 0, "Page Setup..."},
    {'Z', -1, S::Command | S::Shift, 0, 0, "Redo"},
    {'V', -1, S::Command | S::Option | S::Shift, 0, 0, "Paste and Match Style"},
    {'G', -1, S::Command | S::Shift, 0, 0, "Find Previous"},
    {'N', -1, S::Command | S::Shift, S::Option, 0, "Show Flagged Slips in Extra Window"},
    {0, 116, S::Command, 0, S::Shift, "Previous Slip"},
    {0, 121, S::Command, 0, S::Shift, "Next Slip"},
    {0, 119, S::Command, 0, S::Shift, "Last Slip"},
    {0, 115, S::Command, 0, S::Shift, "First Slip"},
    {0, 117, S::Command, 0, S::Shift, "Remove"},
    {'H', -1, S::Command | S::Shift, 0, 0, "Highlight"},
}};

}  // namespace

std::optional<QString> shortcutRefusal(qint64 keyCode, quint64 flags) {
    const QString character = PlugInShortcuts::characterForKeyCode(keyCode);
    for (const Refusal& row : Refusals) {
        const bool sameKey = row.key ? character == QLatin1Char(row.key) : keyCode == row.keyCode;
        if (sameKey && (flags & row.anyOf) && (flags & row.allOf) == row.allOf && !(flags & row.noneOf))
            return QStringLiteral("it's already taken by the menu item \"%1\"").arg(QLatin1String(row.item));
    }
    return std::nullopt;
}

}  // namespace fendle
