// Runs before every test program: a fixed local time zone, so that tests of
// local days and date descriptions mean the same on every machine, and
// widgets without a display.
#include <QByteArray>
#include <QtGlobal>
#include <ctime>

namespace {
const bool environmentReady = [] {
    qputenv("TZ", "Europe/Berlin");
    qputenv("QT_QPA_PLATFORM", "offscreen");
    tzset();
    return true;
}();
}  // namespace
