#include "cli/Command.h"
#include "openmeta/OpenMetaBackup.h"
#include "platform/system/AppVersion.h"

#include <QCoreApplication>

using namespace fendle::cli;

namespace {
void printUsage(QTextStream& out) {
    out << "Usage: fendle-cli COMMAND [ARGUMENTS] [OPTIONS]\n\n"
           "Works on Fendle box files (.fendle) without opening a window.\n"
           "Errors go to standard error with exit status 2.\n\n"
           "Commands:\n";
    out << QStringLiteral("  %1%2\n").arg(QStringLiteral("--help"), -32).arg(QStringLiteral("show this text"));
    out << QStringLiteral("  %1%2\n").arg(QStringLiteral("--version"), -32).arg(QStringLiteral("print the version"));
    for (const Command& command : commands()) {
        // Long synopses get their summary on the next line.
        if (command.synopsis.size() >= 32)
            out << QStringLiteral("  %1\n  %2%3\n").arg(command.synopsis).arg(QString(), -32).arg(command.summary);
        else
            out << QStringLiteral("  %1%2\n").arg(command.synopsis, -32).arg(command.summary);
    }
}
}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QTextStream out(stdout);
    QTextStream err(stderr);
    Io io{out, err};
    const QStringList words = app.arguments().mid(1);
    if (words.isEmpty()) {
        printUsage(err);
        return 2;
    }
    const QString& name = words.first();
    if (name == QLatin1String("--help") || name == QLatin1String("-h") || name == QLatin1String("help")) {
        printUsage(out);
        return 0;
    }
    if (name == QLatin1String("--version")) {
        out << fendle::versionString() << '\n';
        return 0;
    }
    for (const Command& command : commands()) {
        if (command.name != name) continue;
        const Arguments arguments(words.mid(1), command.valueOptions);
        if (!arguments.missingValue().isEmpty())
            return fail(io, QStringLiteral("option %1 needs a value").arg(arguments.missingValue()));
        const int status = command.run(arguments, io);
        // Tags written by the command get their backups before the process ends.
        fendle::OpenMetaBackup::sharedInstance().finishBeforeQuit();
        out.flush();
        err.flush();
        return status;
    }
    fail(io, QStringLiteral("unknown command '%1'").arg(name));
    printUsage(err);
    return 2;
}
