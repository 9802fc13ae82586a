#include "cli/CliBox.h"

#include "platform/system/Log.h"

namespace fendle::cli {

std::optional<LoadedBox> loadBoxForCli(const QString& path, Io& io) {
    LoadedBox loaded{std::make_unique<BoxData>(), BoxFile::Form::Keyed};
    const auto form = BoxFile::readFromURL(*loaded.box, path);
    if (!form) {
        fail(io, form.error().startsWith(path) ? form.error() : QStringLiteral("%1: %2").arg(path, form.error()));
        return std::nullopt;
    }
    loaded.form = *form;
    return loaded;
}

bool expectArguments(const Arguments& arguments, Io& io, qsizetype count, const QStringList& allowedOptions,
                     const QString& synopsis) {
    if (const QString unknown = arguments.unknownOption(allowedOptions); !unknown.isEmpty()) {
        fail(io, QStringLiteral("unknown option %1 (usage: fendle-cli %2)").arg(unknown, synopsis));
        return false;
    }
    if (arguments.positional().size() != count) {
        fail(io, QStringLiteral("usage: fendle-cli %1").arg(synopsis));
        return false;
    }
    return true;
}

int saveBoxForCli(const BoxData& box, const QString& path, Io& io, bool olderForm) {
    const Status saved = BoxFile::writeToURL(box, path, olderForm ? BoxFile::Form::Sequential : BoxFile::Form::Keyed);
    if (!saved) return fail(io, saved.error());
    return 0;
}

}  // namespace fendle::cli
