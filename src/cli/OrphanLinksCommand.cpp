#include "cli/CliBox.h"
#include "document/OrphanedLinkSearch.h"

namespace fendle::cli {

namespace {
const QString Synopsis = QStringLiteral("orphan-links BOX");

int run(const Arguments& arguments, Io& io) {
    if (!expectArguments(arguments, io, 1, {}, Synopsis)) return 2;
    const auto loaded = loadBoxForCli(arguments.positional().first(), io);
    if (!loaded) return 2;
    for (const auto& link : OrphanedLinkSearch::allOrphanedLinks(*loaded->box))
        io.out << link.slipKey << '\t' << link.range.location << '\t' << link.range.length << '\t' << link.target
               << '\n';
    return 0;
}

const bool registered = registerCommand({QStringLiteral("orphan-links"), Synopsis,
                                         QStringLiteral("links to slips not in the box: key<TAB>location<TAB>length<TAB>target"),
                                         {}, run});
}  // namespace

}  // namespace fendle::cli
