#pragma once
#include "platform/system/Result.h"

#include <QByteArray>
#include <vector>

namespace fendle {

// A type string taken apart into the values it stands for, in order. A
// byte array ([Nc]) is one value; other arrays and structs are flattened.
struct TypeItem {
    char code = 0;       // '[' for a byte array
    qint64 count = 0;    // byte arrays only
};

Result<std::vector<TypeItem>> parseTypeString(const QByteArray& types);

}  // namespace fendle
