#include "cli/CliBox.h"

namespace fendle::cli {

namespace {
const QString Synopsis = QStringLiteral("info BOX");

int run(const Arguments& arguments, Io& io) {
    if (!expectArguments(arguments, io, 1, {}, Synopsis)) return 2;
    const auto loaded = loadBoxForCli(arguments.positional().first(), io);
    if (!loaded) return 2;
    const BoxData& box = *loaded->box;
    io.out << "form: " << BoxFile::formName(loaded->form) << '\n'
           << "slips: " << box.slips().size() << '\n'
           << "trashed slips: " << box.deletedSlips().size() << '\n'
           << "last number: " << box.numberOfLastSlip() << '\n'
           << "zoom factor: " << box.currentZoomFactor() << '\n'
           << "saved searches: " << box.savedSearches().size() << '\n';
    return 0;
}

const bool registered = registerCommand({QStringLiteral("info"), Synopsis,
                                         QStringLiteral("form, slip and trash counts, last number, zoom, searches"),
                                         {}, run});
}  // namespace

}  // namespace fendle::cli
