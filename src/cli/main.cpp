#include "platform/AppVersion.h"

#include <QCoreApplication>
#include <QTextStream>

namespace {
const char* const usage =
    "Usage: fendle-cli COMMAND [ARGUMENTS]\n"
    "\n"
    "Works on Fendle box files (.fendle) without opening a window.\n"
    "\n"
    "Commands:\n"
    "  --help       show this text\n"
    "  --version    print the version of Fendle\n";
}

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QTextStream out(stdout);
    QTextStream err(stderr);
    const QStringList args = app.arguments().mid(1);
    if (args.isEmpty() || args.first() == QLatin1String("--help") || args.first() == QLatin1String("-h")) {
        out << usage;
        return args.isEmpty() ? 1 : 0;
    }
    if (args.first() == QLatin1String("--version")) {
        out << fendle::versionString() << '\n';
        return 0;
    }
    err << "fendle-cli: unknown command '" << args.first() << "'\n" << usage;
    return 2;
}
