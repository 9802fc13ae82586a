#include "cli/Command.h"
#include "plugins/PlugInPublishing.h"

namespace fendle::cli {

namespace {
const QString Synopsis = QStringLiteral("publish-plugins BUNDLE... --out DIR");
const QString OutOption = QStringLiteral("--out");

int run(const Arguments& arguments, Io& io) {
    if (const QString unknown = arguments.unknownOption({OutOption}); !unknown.isEmpty())
        return fail(io, QStringLiteral("unknown option %1; usage: %2").arg(unknown, Synopsis));
    if (!arguments.missingValue().isEmpty() || !arguments.has(OutOption) || arguments.positional().isEmpty())
        return fail(io, QStringLiteral("usage: %1").arg(Synopsis));
    const Result<QStringList> written = publishPlugIns(arguments.positional(), arguments.value(OutOption));
    if (!written) return fail(io, written.error());
    for (const QString& path : *written) io.out << path << '\n';
    return 0;
}

const bool registered = registerCommand(
    {QStringLiteral("publish-plugins"), Synopsis,
     QStringLiteral("writes NAME.tgz per bundle and pluginCatalogue.xml into DIR, for a catalogue folder or web server"),
     {OutOption}, run});
}  // namespace

}  // namespace fendle::cli
