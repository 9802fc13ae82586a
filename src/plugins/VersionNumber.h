#pragma once
#include <QString>

namespace fendle {

// Dotted version numbers compared component by component as integers; a
// missing component of a counts as 0 and components of a beyond b's are not
// looked at: 1.2.1 >= 1.2 and 1.2 >= 1.2.0.
bool versionNumber(const QString& a, const QString& greaterOrEqualThanVersionNumber);

}  // namespace fendle
