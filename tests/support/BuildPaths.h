#pragma once
#include <QString>

namespace fendle::test {

// The fendle-cli built together with the tests.
QString cliPath();

}  // namespace fendle::test
