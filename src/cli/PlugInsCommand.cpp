#include "cli/CliBox.h"
#include "platform/system/AppVersion.h"
#include "platform/system/Defaults.h"
#include "plugins/PlugInFolders.h"
#include "plugins/PlugInSurvey.h"

namespace fendle::cli {

namespace {
const QString Synopsis = QStringLiteral("plugins");

int run(const Arguments& arguments, Io& io) {
    if (!expectArguments(arguments, io, 0, {}, Synopsis)) return 2;
    const auto entries = PlugInSurvey::survey(PlugInFolders::defaultSearchFolders(), Defaults::standard(), versionString());
    for (const PlugInSurvey::Entry& entry : entries) {
        io.out << entry.identifier << '\t' << entry.version << '\t' << entry.name << '\t'
               << (entry.load ? "load" : "off") << '\t' << entry.path << '\t'
               << (entry.problem.isEmpty() ? QStringLiteral("loads") : entry.problem) << '\n';
    }
    return 0;
}

const bool registered = registerCommand(
    {QStringLiteral("plugins"), Synopsis,
     QStringLiteral("every plug-in bundle found: identifier, version, name, load entry, path, why it would not load"),
     {}, run});
}  // namespace

}  // namespace fendle::cli
