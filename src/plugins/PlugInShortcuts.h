#pragma once
#include <QKeyCombination>
#include <QString>
#include <optional>

namespace fendle {

class Defaults;

// The user's shortcuts for plug-in menu items, stored as the other
// platform's virtual key code and modifier bits so that stored defaults keep
// working: "FDLPlugInMenuKeyboardShortcuts" maps "name###title" to
// [key code (-1: none), modifier flags].
class PlugInShortcuts {
public:
    static inline const QString DefaultsKey = QStringLiteral("FDLPlugInMenuKeyboardShortcuts");
    static constexpr quint64 Shift = 0x20000;
    static constexpr quint64 Control = 0x40000;
    static constexpr quint64 Option = 0x80000;
    static constexpr quint64 Command = 0x100000;

    struct Stored {
        qint64 keyCode = -1;
        quint64 flags = 0;
    };

    static QString storeKey(const QString& plugInName, const QString& title);
    // The stored entry; none when there is none or it is malformed.
    static std::optional<Stored> stored(const Defaults& defaults, const QString& plugInName, const QString& title);

    // The capital letter or sign of a key code; empty for codes without one.
    static QString characterForKeyCode(qint64 keyCode);
    // The reverse: the key code of a character, upper-cased first; -1 for none.
    static qint64 keyCodeForCharacter(const QString& character);
    // The key code of a key pressed here (letters, digits, signs and the
    // page and deletion keys); -1 for keys without one.
    static qint64 keyCodeForQtKey(int key);
    // The modifier bits of modifiers pressed here.
    static quint64 flagsForQtModifiers(Qt::KeyboardModifiers modifiers);
    // A key equivalent with its modifier bits as Qt keys: Command is the
    // control key here, Control the meta key.
    static QKeyCombination qtKeys(const QString& keyEquivalent, quint64 modifierMask);
};

}  // namespace fendle
