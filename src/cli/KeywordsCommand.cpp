#include "cli/CliBox.h"

namespace fendle::cli {

namespace {
const QString Synopsis = QStringLiteral("keywords BOX");

int run(const Arguments& arguments, Io& io) {
    if (!expectArguments(arguments, io, 1, {}, Synopsis)) return 2;
    const auto loaded = loadBoxForCli(arguments.positional().first(), io);
    if (!loaded) return 2;
    for (const QString& keyword : loaded->box->keywordsInBox()) io.out << keyword << '\n';
    return 0;
}

const bool registered = registerCommand({QStringLiteral("keywords"), Synopsis,
                                         QStringLiteral("the box's keywords, one per line, case-insensitively sorted"),
                                         {}, run});
}  // namespace

}  // namespace fendle::cli
