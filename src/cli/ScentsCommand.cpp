#include "cli/CliBox.h"
#include "scents/KeywordScent.h"
#include "scents/SlipScents.h"

namespace fendle::cli {

namespace {
const QString Synopsis = QStringLiteral("scents BOX KEY");

int run(const Arguments& arguments, Io& io) {
    if (!expectArguments(arguments, io, 2, {}, Synopsis)) return 2;
    const auto loaded = loadBoxForCli(arguments.positional().first(), io);
    if (!loaded) return 2;
    const QString key = arguments.positional().at(1);
    const SlipPtr slip = loaded->box->slipForKey(key);
    if (!slip) return fail(io, QStringLiteral("no slip with the key %1").arg(key));
    const KeywordScent index(loaded->box->keywordsDictionary(), false);
    for (const Scent& scent : rankedSlipScents(*slip, index)) io.out << scent.object << '\t' << scent.strength << '\n';
    return 0;
}

const bool registered = registerCommand({QStringLiteral("scents"), Synopsis,
                                         QStringLiteral("the slips related to a slip, strongest first, with strengths"),
                                         {}, run});
}  // namespace

}  // namespace fendle::cli
