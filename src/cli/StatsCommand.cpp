#include "cli/CliBox.h"
#include "document/BoxStatistics.h"
#include "scents/KeywordScent.h"

namespace fendle::cli {

namespace {
const QString Synopsis = QStringLiteral("stats BOX");

int run(const Arguments& arguments, Io& io) {
    if (!expectArguments(arguments, io, 1, {}, Synopsis)) return 2;
    const auto loaded = loadBoxForCli(arguments.positional().first(), io);
    if (!loaded) return 2;
    const KeywordScent index(loaded->box->keywordsDictionary(), false);
    for (const auto& [label, value] : BoxStatistics::compute(*loaded->box, index).figures())
        io.out << label << ": " << value << '\n';
    return 0;
}

const bool registered = registerCommand({QStringLiteral("stats"), Synopsis,
                                         QStringLiteral("the thirteen figures of the statistics sheet"), {}, run});
}  // namespace

}  // namespace fendle::cli
