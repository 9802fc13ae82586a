#include "cli/Command.h"
#include "openmeta/OpenMetaBackup.h"
#include "platform/system/AppVersion.h"

#include <QGuiApplication>
#include <algorithm>
#include <memory>

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

// Commands that lay out text get a GUI application on the offscreen
// platform: the command line has no display, and needs none.
std::unique_ptr<QCoreApplication> makeApplication(int& argc, char** argv) {
    const bool gui = argc > 1 && std::any_of(commands().cbegin(), commands().cend(), [argv](const Command& command) {
                         return command.needsGuiApplication && command.name == QLatin1String(argv[1]);
                     });
    if (!gui) return std::make_unique<QCoreApplication>(argc, argv);
    qputenv("QT_QPA_PLATFORM", "offscreen");
    return std::make_unique<QGuiApplication>(argc, argv);
}
}  // namespace

int main(int argc, char** argv) {
    const std::unique_ptr<QCoreApplication> application = makeApplication(argc, argv);
    QCoreApplication& app = *application;
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
