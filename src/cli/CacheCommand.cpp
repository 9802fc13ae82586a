#include "appcore/Preferences.h"
#include "cli/CliBox.h"
#include "platform/files/Paths.h"
#include "platform/system/AppVersion.h"
#include "platform/system/Defaults.h"
#include "plugins/PlugInBundle.h"
#include "plugins/PlugInFolders.h"
#include "plugins/PlugInServices.h"
#include "plugins/PlugInSurvey.h"
#include "plugins/PreferencesPlugInView.h"
#include "plugins/WindowlessBoxViews.h"

#include <QDir>
#include <QFileInfo>
#include <map>

namespace fendle::cli {

namespace {
const QString Synopsis = QStringLiteral("cache BOX");

// The principal class of the Spotlight plug-in the program would load.
plugin::SpotlightProtocol* spotlightPlugIn() {
    for (const PlugInSurvey::Entry& entry :
         PlugInSurvey::survey(PlugInFolders::defaultSearchFolders(), Defaults::standard(), versionString())) {
        if (!entry.problem.isEmpty()) continue;
        const Result<PlugInBundle> bundle = PlugInBundle::open(entry.path);
        const Result<QObject*> principalClass = bundle ? bundle->principalClass() : Result<QObject*>::failure(QString());
        if (principalClass)
            if (auto* spotlight = qobject_cast<plugin::SpotlightProtocol*>(*principalClass)) return spotlight;
    }
    return nullptr;
}

// Each file of the cache folder with what tells a rewritten one.
std::map<QString, std::pair<quint64, QDateTime>> cacheFolderState() {
    std::map<QString, std::pair<quint64, QDateTime>> state;
    for (const QFileInfo& file : QDir(Paths::spotlightCacheFolder()).entryInfoList(QDir::Files | QDir::Hidden))
        state[file.fileName()] = {quint64(file.size()), file.lastModified()};
    return state;
}

int run(const Arguments& arguments, Io& io) {
    if (!expectArguments(arguments, io, 1, {}, Synopsis)) return 2;
    const QString path = QFileInfo(arguments.positional().first()).absoluteFilePath();
    const auto loaded = loadBoxForCli(path, io);
    if (!loaded) return 2;
    plugin::SpotlightProtocol* principalClass = spotlightPlugIn();
    if (!principalClass) return fail(io, QStringLiteral("no cache-file plug-in is installed and switched on"));

    PlugInServices services(Defaults::standard());
    WindowlessBoxViews views(*loaded->box, path, services);
    PreferencesPlugInView preferences(Preferences::sharedInstance());
    const auto instance = principalClass->initWithBox(views, views, preferences);
    if (!instance) return fail(io, QStringLiteral("the cache-file plug-in refused the box"));
    const auto before = cacheFolderState();
    instance->generateCacheFiles(nullptr);
    const auto after = cacheFolderState();

    int written = 0;
    int removed = 0;
    for (const auto& [name, state] : after) {
        const auto earlier = before.find(name);
        if (earlier == before.end() || earlier->second != state) ++written;
    }
    for (const auto& [name, state] : before)
        if (!after.count(name)) ++removed;
    io.out << "written: " << written << '\n' << "removed: " << removed << '\n';
    return 0;
}

const bool registered = registerCommand({QStringLiteral("cache"), Synopsis,
                                         QStringLiteral("writes the box's cache files as the program does; counts "
                                                        "the files written and removed"),
                                         {}, run});
}  // namespace

}  // namespace fendle::cli
