#include "cli/CliBox.h"
#include "openmeta/OpenMeta.h"
#include "openmeta/OpenMetaController.h"

#include <QFileInfo>

namespace fendle::cli {

namespace {
const QString Synopsis = QStringLiteral("tags FILE [--set a,b,c]");
const QString SetOption = QStringLiteral("--set");

// "a, b,,c" gives a, b, c; an empty text gives no tags at all.
QStringList tagsFromOption(const QString& text) {
    QStringList tags;
    for (const QString& piece : text.split(QLatin1Char(','))) {
        const QString tag = piece.trimmed();
        if (!tag.isEmpty()) tags.append(tag);
    }
    return tags;
}

int printTags(const QString& path, Io& io) {
    const OpenMetaAnswer<QStringList> tags = OpenMeta::getUserTags(path);
    if (tags.error) return fail(io, QStringLiteral("%1: %2").arg(path, tags.error->description()));
    for (const QString& tag : tags.value.value_or(QStringList())) io.out << tag << '\n';
    return 0;
}

int run(const Arguments& arguments, Io& io) {
    if (!expectArguments(arguments, io, 1, {SetOption}, Synopsis)) return 2;
    // Backups record where the file is, wherever the command was started.
    const QString path = QFileInfo(arguments.positional().first()).absoluteFilePath();
    if (!arguments.has(SetOption)) return printTags(path, io);
    const OpenMetaStatus written = OpenMetaController().setUserTags(tagsFromOption(arguments.value(SetOption)), path);
    if (written) return fail(io, QStringLiteral("%1: %2").arg(path, written->description()));
    return 0;
}

const bool registered = registerCommand({QStringLiteral("tags"), Synopsis,
                                         QStringLiteral("a file's OpenMeta tags, one per line, or set them"),
                                         {SetOption}, run});
}  // namespace

}  // namespace fendle::cli
