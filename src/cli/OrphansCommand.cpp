#include "cli/CliBox.h"
#include "document/KeywordMaintenance.h"
#include "scents/KeywordScent.h"
#include "scents/SlipScents.h"

namespace fendle::cli {

namespace {
const QString Synopsis = QStringLiteral("orphans BOX");

int run(const Arguments& arguments, Io& io) {
    if (!expectArguments(arguments, io, 1, {}, Synopsis)) return 2;
    const auto loaded = loadBoxForCli(arguments.positional().first(), io);
    if (!loaded) return 2;
    const KeywordScent index(loaded->box->keywordsDictionary(), false);
    const auto rows = KeywordMaintenance::orphanedSlips(
        *loaded->box, [&index](const Slip& slip) { return rankedSlipScents(slip, index).size(); });
    for (const auto& row : rows) io.out << row.text << '\t' << row.key << '\n';
    return 0;
}

const bool registered = registerCommand({QStringLiteral("orphans"), Synopsis,
                                         QStringLiteral("slips without keywords or slip scents: problem<TAB>key"), {},
                                         run});
}  // namespace

}  // namespace fendle::cli
