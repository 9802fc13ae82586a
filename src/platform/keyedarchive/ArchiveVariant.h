#pragma once
#include "platform/keyedarchive/ArchiveValue.h"

#include <QVariant>

namespace fendle {

// Plain archive values (strings, numbers, dates, data, arrays, dictionaries)
// as QVariants and back, for stores that keep them untyped (saved searches).
QVariant toVariant(const ArchiveValue& value);
ArchiveValue fromVariant(const QVariant& value);

}  // namespace fendle
