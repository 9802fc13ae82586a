#include "cli/CliBox.h"

namespace fendle::cli {

namespace {
const QString Synopsis = QStringLiteral("convert IN OUT [--older-form]");

int run(const Arguments& arguments, Io& io) {
    if (!expectArguments(arguments, io, 2, {QStringLiteral("--older-form")}, Synopsis)) return 2;
    const auto loaded = loadBoxForCli(arguments.positional().at(0), io);
    if (!loaded) return 2;
    return saveBoxForCli(*loaded->box, arguments.positional().at(1), io, arguments.has(QStringLiteral("--older-form")));
}

const bool registered = registerCommand({QStringLiteral("convert"), Synopsis,
                                         QStringLiteral("read any box form and write the current (or older) form"),
                                         {}, run});
}  // namespace

}  // namespace fendle::cli
