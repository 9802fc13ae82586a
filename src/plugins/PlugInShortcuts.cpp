#include "plugins/PlugInShortcuts.h"

#include "platform/system/Defaults.h"

#include <array>
#include <utility>

namespace fendle {

namespace {

// The other platform's virtual key codes of the character keys.
constexpr std::array<std::pair<int, char>, 48> KeyCodes{{
    {0x00, 'A'}, {0x01, 'S'}, {0x02, 'D'}, {0x03, 'F'}, {0x04, 'H'}, {0x05, 'G'}, {0x06, 'Z'}, {0x07, 'X'},
    {0x08, 'C'}, {0x09, 'V'}, {0x0B, 'B'}, {0x0C, 'Q'}, {0x0D, 'W'}, {0x0E, 'E'}, {0x0F, 'R'}, {0x10, 'Y'},
    {0x11, 'T'}, {0x12, '1'}, {0x13, '2'}, {0x14, '3'}, {0x15, '4'}, {0x16, '6'}, {0x17, '5'}, {0x18, '='},
    {0x19, '9'}, {0x1A, '7'}, {0x1B, '-'}, {0x1C, '8'}, {0x1D, '0'}, {0x1E, ']'}, {0x1F, 'O'}, {0x20, 'U'},
    {0x21, '['}, {0x22, 'I'}, {0x23, 'P'}, {0x25, 'L'}, {0x26, 'J'}, {0x27, '\''}, {0x28, 'K'}, {0x29, ';'},
    {0x2A, '\\'}, {0x2B, ','}, {0x2C, '/'}, {0x2D, 'N'}, {0x2E, 'M'}, {0x2F, '.'}, {0x32, '`'}, {0x31, ' '},
}};

// Keys without a character that the program's own menus use.
constexpr std::array<std::pair<int, int>, 5> SpecialKeyCodes{{
    {Qt::Key_Home, 115}, {Qt::Key_PageUp, 116}, {Qt::Key_Delete, 117}, {Qt::Key_End, 119}, {Qt::Key_PageDown, 121},
}};

}  // namespace

QString PlugInShortcuts::storeKey(const QString& plugInName, const QString& title) {
    return plugInName + QStringLiteral("###") + title;
}

std::optional<PlugInShortcuts::Stored> PlugInShortcuts::stored(const Defaults& defaults, const QString& plugInName,
                                                               const QString& title) {
    const std::optional<PlistValue> all = defaults.objectForKey(DefaultsKey);
    if (!all || all->type() != PlistValue::Type::Dictionary) return std::nullopt;
    const PlistValue* entry = all->value(storeKey(plugInName, title));
    if (!entry || entry->type() != PlistValue::Type::Array || entry->array().size() < 2) return std::nullopt;
    const PlistValue& code = entry->array()[0];
    const PlistValue& flags = entry->array()[1];
    if (code.type() != PlistValue::Type::Integer || flags.type() != PlistValue::Type::Integer) return std::nullopt;
    return Stored{code.toInteger(), static_cast<quint64>(flags.toInteger())};
}

QString PlugInShortcuts::characterForKeyCode(qint64 keyCode) {
    for (const auto& [code, character] : KeyCodes)
        if (code == keyCode) return QString(QLatin1Char(character));
    return QString();
}

qint64 PlugInShortcuts::keyCodeForCharacter(const QString& character) {
    const QString upper = character.toUpper();
    for (const auto& [code, c] : KeyCodes)
        if (upper == QLatin1Char(c)) return code;
    return -1;
}

qint64 PlugInShortcuts::keyCodeForQtKey(int key) {
    for (const auto& [qtKey, code] : SpecialKeyCodes)
        if (qtKey == key) return code;
    // Qt's key codes of the Latin letters and signs are their capital characters.
    return key > 0 && key < 0x80 ? keyCodeForCharacter(QString(QChar(key))) : -1;
}

quint64 PlugInShortcuts::flagsForQtModifiers(Qt::KeyboardModifiers modifiers) {
    quint64 flags = 0;
    if (modifiers & Qt::ControlModifier) flags |= Command;
    if (modifiers & Qt::MetaModifier) flags |= Control;
    if (modifiers & Qt::AltModifier) flags |= Option;
    if (modifiers & Qt::ShiftModifier) flags |= Shift;
    return flags;
}

QKeyCombination PlugInShortcuts::qtKeys(const QString& keyEquivalent, quint64 modifierMask) {
    if (keyEquivalent.size() != 1) return QKeyCombination();
    Qt::KeyboardModifiers modifiers;
    if (modifierMask & Command) modifiers |= Qt::ControlModifier;
    if (modifierMask & Control) modifiers |= Qt::MetaModifier;
    if (modifierMask & Option) modifiers |= Qt::AltModifier;
    // A capital letter stands for the letter with Shift.
    if ((modifierMask & Shift) || keyEquivalent[0].isUpper()) modifiers |= Qt::ShiftModifier;
    // Qt's key codes of the Latin letters and signs are their capital characters.
    return QKeyCombination(modifiers, static_cast<Qt::Key>(keyEquivalent[0].toUpper().unicode()));
}

}  // namespace fendle
