#include "cli/CliBox.h"

namespace fendle::cli {

namespace {
const QString Synopsis = QStringLiteral("replace-keyword BOX OLD NEW");

int run(const Arguments& arguments, Io& io) {
    if (!expectArguments(arguments, io, 3, {}, Synopsis)) return 2;
    const QString& path = arguments.positional().at(0);
    const auto loaded = loadBoxForCli(path, io);
    if (!loaded) return 2;
    const unsigned count =
        loaded->box->replaceAllOccurrencesOfKeyword(arguments.positional().at(1), arguments.positional().at(2));
    const int status = saveBoxForCli(*loaded->box, path, io);
    if (status != 0) return status;
    io.out << count << '\n';
    return 0;
}

const bool registered = registerCommand({QStringLiteral("replace-keyword"), Synopsis,
                                         QStringLiteral("renames a keyword on every slip; prints the slips changed"),
                                         {}, run});
}  // namespace

}  // namespace fendle::cli
