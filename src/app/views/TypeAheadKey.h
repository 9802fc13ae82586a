#pragma once
#include <QString>

class QKeyEvent;

namespace fendle {

// The characters a key adds to a list's type-ahead text; empty for
// commands, movement and keys with a command modifier.
QString typeAheadText(const QKeyEvent& event);

}  // namespace fendle
