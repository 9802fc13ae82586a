#pragma once
#include "platform/plist/PlistValue.h"
#include "platform/system/Result.h"

#include <QByteArray>

namespace fendle {

// Property lists in their XML form. A one-entry dictionary {"CF$UID": n}
// is read as a UID and a UID is written that way.
Result<PlistValue> readXmlPlist(const QByteArray& bytes);
QByteArray writeXmlPlist(const PlistValue& value);

// Either form, chosen by the first bytes.
Result<PlistValue> readPlist(const QByteArray& bytes);

}  // namespace fendle
