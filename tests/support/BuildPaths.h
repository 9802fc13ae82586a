#pragma once
#include <QString>

namespace fendle::test {

// The fendle-cli built together with the tests.
QString cliPath();
// The helper that saves a box over and over, for the kill test.
QString saveLoopPath();
// A folder inside the build tree, on the checkout's disk (unlike /tmp, which
// may not keep extended attributes).
QString scratchFolder();
// The top of the build tree, laid out as an installation is.
QString binaryFolder();
// The top of the checkout (test data, the example box).
QString sourceFolder();

}  // namespace fendle::test
