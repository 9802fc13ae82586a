#include "cli/CliBox.h"

#include <QFileInfo>

namespace fendle::cli {

namespace {
const QString Synopsis = QStringLiteral("new BOX");

int run(const Arguments& arguments, Io& io) {
    if (!expectArguments(arguments, io, 1, {}, Synopsis)) return 2;
    const QString path = arguments.positional().first();
    // Never replace a box by an empty one by accident.
    if (QFileInfo::exists(path)) return fail(io, QStringLiteral("%1 already exists").arg(path));
    const BoxData box;
    return saveBoxForCli(box, path, io);
}

const bool registered =
    registerCommand({QStringLiteral("new"), Synopsis, QStringLiteral("write a new box with one empty slip"), {}, run});
}  // namespace

}  // namespace fendle::cli
