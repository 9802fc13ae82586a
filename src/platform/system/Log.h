#pragma once
#include <QString>
#include <functional>

namespace fendle {

// Internal inconsistencies go to the log as one line each; there are no levels.
void logLine(const QString& line);

// Tests capture the lines; passing an empty function restores standard error.
using LogSink = std::function<void(const QString&)>;
void setLogSink(LogSink sink);

}  // namespace fendle
