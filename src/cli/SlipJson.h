#pragma once
#include "model/Slip.h"

#include <QJsonObject>

namespace fendle::cli {

// A slip as the dump command prints it; absent fields are null. With runs,
// the text's attribute runs are added in short text forms.
QJsonObject slipJson(const Slip& slip, bool withRuns);
QString attributeText(const AttributeValue& value);

}  // namespace fendle::cli
