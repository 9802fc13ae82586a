#include "app/program/FendleGui.h"
#include "app/program/QuitSignals.h"
#include "appcore/LegacyDefaultsMigration.h"
#include "appcore/Preferences.h"
#include "appcore/SingleInstance.h"
#include "platform/system/Defaults.h"

#include <QApplication>
#include <QFile>
#include <QProcess>
#include <cstdio>

using namespace fendle;

namespace {

std::optional<QByteArray> readStandardInput() {
    QFile input;
    if (!input.open(stdin, QIODevice::ReadOnly)) return std::nullopt;
    QByteArray bytes = input.read(MaxLaunchPayload + 1);
    if (bytes.size() > MaxLaunchPayload) return std::nullopt;
    return bytes;
}

}  // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Fendle"));
    QApplication::setDesktopFileName(QStringLiteral("fendle"));

    const Result<QList<LaunchRequest>> requests = parseCommandLine(app.arguments().mid(1), readStandardInput);
    if (!requests) {
        std::fprintf(stderr, "fendle: %s\n", qPrintable(requests.error()));
        return 2;
    }
    // A program already running takes over what this start asked for.
    // Without a private folder for the socket this start runs on its own.
    const Result<QString> serverName = SingleInstance::defaultServerName();
    if (!serverName) std::fprintf(stderr, "fendle: %s\n", qPrintable(serverName.error()));
    else if (SingleInstance::handOff(*serverName, encodeLaunchRequests(*requests))) return 0;

    Defaults& defaults = Defaults::standard();
    migrateLegacyDefaults(defaults);
    Preferences& preferences = Preferences::sharedInstance();
    FendleGui gui(defaults, preferences);

    std::optional<SingleInstance> instance;
    if (serverName) {
        instance.emplace(*serverName);
        QObject::connect(&*instance, &SingleInstance::received, &gui, &FendleGui::takeHandOff);
        if (const Status listening = instance->listen(); !listening.ok())
            std::fprintf(stderr, "fendle: %s\n", qPrintable(listening.error()));
    }

    // Logging out ends the program as Quit does.
    QuitSignals quitSignals;
    QObject::connect(&quitSignals, &QuitSignals::quitRequested, &gui, &FendleGui::quit);

    gui.start(*requests);
    const int status = app.exec();
    gui.application().applicationShouldTerminate();
    defaults.synchronize();
    // After plug-in updates: the same program with the same arguments, once
    // this one no longer listens for later starts.
    if (gui.relaunchRequested()) {
        if (instance) instance->close();
        QProcess::startDetached(QApplication::applicationFilePath(), app.arguments().mid(1));
    }
    return status;
}
