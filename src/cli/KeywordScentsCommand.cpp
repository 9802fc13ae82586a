#include "cli/CliBox.h"
#include "scents/KeywordScent.h"

namespace fendle::cli {

namespace {
const QString Synopsis = QStringLiteral("keyword-scents BOX KEYWORD");

int run(const Arguments& arguments, Io& io) {
    if (!expectArguments(arguments, io, 2, {}, Synopsis)) return 2;
    const auto loaded = loadBoxForCli(arguments.positional().first(), io);
    if (!loaded) return 2;
    const KeywordScent index(loaded->box->keywordsDictionary(), false);
    // A keyword no slip carries has no scents: nothing is printed.
    for (const QString& keyword : index.scentsForKeyword(arguments.positional().at(1)).value_or(QStringList()))
        io.out << keyword << '\n';
    return 0;
}

const bool registered = registerCommand({QStringLiteral("keyword-scents"), Synopsis,
                                         QStringLiteral("the keywords standing together with a keyword on some slip"),
                                         {}, run});
}  // namespace

}  // namespace fendle::cli
