#pragma once
#include <QString>

namespace fendle {

// The user's full name: the first field of the password entry's comment,
// else the login name.
QString fullUserName();

}  // namespace fendle
