#include "cli/CliBox.h"
#include "document/KeywordMaintenance.h"
#include "scents/KeywordScent.h"

namespace fendle::cli {

namespace {
const QString Synopsis = QStringLiteral("singletons BOX");

int run(const Arguments& arguments, Io& io) {
    if (!expectArguments(arguments, io, 1, {}, Synopsis)) return 2;
    const auto loaded = loadBoxForCli(arguments.positional().first(), io);
    if (!loaded) return 2;
    const KeywordScent index(loaded->box->keywordsDictionary(), false);
    for (const auto& row : KeywordMaintenance::singletonKeywords(index)) io.out << row.text << '\t' << row.key << '\n';
    return 0;
}

const bool registered = registerCommand({QStringLiteral("singletons"), Synopsis,
                                         QStringLiteral("keywords carried by one slip: keyword<TAB>key"), {}, run});
}  // namespace

}  // namespace fendle::cli
