#pragma once
#include "support/BuildPaths.h"

#include <QString>

namespace fendle::test {

// The hand-written files of tests/io/data.
inline QString importDataPath(const QString& name) { return sourceFolder() + QStringLiteral("/tests/io/data/") + name; }

inline QString welcomeBoxPath() { return sourceFolder() + QStringLiteral("/examples/Welcome.fendle"); }

}  // namespace fendle::test
