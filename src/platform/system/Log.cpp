#include "platform/system/Log.h"

#include <cstdio>

namespace fendle {
namespace {
LogSink& currentSink() {
    static LogSink sink;
    return sink;
}
}  // namespace

void logLine(const QString& line) {
    if (const LogSink& sink = currentSink()) {
        sink(line);
        return;
    }
    const QByteArray bytes = line.toUtf8();
    std::fprintf(stderr, "%s\n", bytes.constData());
}

void setLogSink(LogSink sink) { currentSink() = std::move(sink); }

}  // namespace fendle
