#include "appcore/FendleApplication.h"
#include "cli/CliBox.h"
#include "io/BoxImport.h"
#include "io/DelimitedImport.h"
#include "io/ImportRoute.h"
#include "platform/richtext/RichTextFile.h"
#include "platform/text/TextEncoding.h"

#include <QFileInfo>

namespace fendle::cli {

namespace {
const QString Synopsis =
    QStringLiteral("import BOX FILE... [--kind box|tab|csv|file] [--columns \"1:Slip Text:1,2:Keywords:\"] [--encoding N]");
const QString Kind = QStringLiteral("--kind");
const QString Columns = QStringLiteral("--columns");
const QString Encoding = QStringLiteral("--encoding");

std::optional<ImportRoute> routeNamed(const QString& name) {
    if (name == QLatin1String("box")) return ImportRoute::Box;
    if (name == QLatin1String("tab")) return ImportRoute::TabDelimited;
    if (name == QLatin1String("csv")) return ImportRoute::CommaDelimited;
    if (name == QLatin1String("file")) return ImportRoute::FileIntoSlip;
    return std::nullopt;
}

// "1:Slip Text:1,2:Keywords:" — column, field title and order text, the
// order possibly empty.
Result<QList<ColumnAssignment>> parseColumns(const QString& text) {
    using R = Result<QList<ColumnAssignment>>;
    QList<ColumnAssignment> assignments;
    for (const QString& entry : text.split(QLatin1Char(','), Qt::SkipEmptyParts)) {
        const QStringList parts = entry.split(QLatin1Char(':'));
        bool numeric = false;
        const int column = parts.value(0).trimmed().toInt(&numeric);
        if (parts.size() < 2 || parts.size() > 3 || !numeric || column < 1 ||
            column > ColumnAssignmentsForImport::ColumnCount)
            return R::failure(QStringLiteral("cannot read the column assignment \"%1\" (column 1 to %2, field, order)")
                                  .arg(entry)
                                  .arg(ColumnAssignmentsForImport::ColumnCount));
        const QString field = parts[1].trimmed();
        if (field == ColumnAssignmentsForImport::NotImported || !ColumnAssignmentsForImport::fieldTitles().contains(field))
            return R::failure(QStringLiteral("unknown field \"%1\" (Slip Text, Keywords, Source or Type)").arg(field));
        assignments.append({column, field, parts.value(2)});
    }
    return assignments;
}

// What one run of the command needs besides the box.
struct Options {
    std::optional<ImportRoute> kind;
    QList<ColumnAssignment> columns;
    int encoding = encoding::UTF8;
};

std::optional<Options> readOptions(const Arguments& arguments, Io& io) {
    Options options;
    if (arguments.has(Kind)) {
        options.kind = routeNamed(arguments.value(Kind));
        if (!options.kind) {
            fail(io, QStringLiteral("unknown kind %1 (box, tab, csv or file)").arg(arguments.value(Kind)));
            return std::nullopt;
        }
    }
    const Result<QList<ColumnAssignment>> columns = parseColumns(arguments.value(Columns));
    if (!columns) {
        fail(io, columns.error());
        return std::nullopt;
    }
    options.columns = *columns;
    bool numeric = true;
    if (arguments.has(Encoding)) options.encoding = arguments.value(Encoding).toInt(&numeric);
    if (!numeric || !TextEncoding::isSupported(options.encoding)) {
        fail(io, QStringLiteral("unknown encoding %1").arg(arguments.value(Encoding)));
        return std::nullopt;
    }
    return options;
}

// The slips one file gives, numbered after the box's last slip. A failure
// comes with the slips made before it.
struct Imported {
    QList<SlipPtr> slips;
    QString error;
};

Imported importBox(const QString& path, const BoxData& box) {
    BoxData source;
    if (const auto read = BoxFile::readFromURL(source, path); !read) return {{}, QStringLiteral("%1: %2").arg(path, read.error())};
    Result<QList<SlipPtr>> slips = importedSlipsOfBox(source, box.numberOfLastSlip());
    if (!slips) return {{}, QStringLiteral("%1: %2").arg(path, slips.error())};
    return {*slips, QString()};
}

Imported importDelimited(const QString& path, QChar separator, const Options& options, const BoxData& box) {
    if (options.columns.isEmpty()) return {{}, QStringLiteral("delimited text needs --columns")};
    DelimitedImport import(options.columns, box.numberOfLastSlip());
    import.parseTextInputFile(path, separator, options.encoding);
    QString error;
    if (const auto& failure = import.failure())
        error = QStringLiteral("%1: %2 %3").arg(path, failure->message, failure->informativeText).trimmed();
    return {import.slips(), error};
}

// Pictures, films, sounds and PDF files come in as attachments, texts as
// their text.
Result<RichText> slipTextOfFile(const QString& path) {
    if (FendleApplication::isMediaFile(path)) return FendleApplication::attachmentOfFile(path);
    static const QStringList textExtensions{"txt", "rtf", "rtfd"};
    if (textExtensions.contains(QFileInfo(path).suffix().toLower())) return RichTextFile::read(path);
    return Result<RichText>::failure(QStringLiteral("not a text, picture, film, sound or PDF file"));
}

Imported importFileIntoSlip(const QString& path, const BoxData& box) {
    const Result<RichText> text = slipTextOfFile(path);
    if (!text) return {{}, QStringLiteral("%1: %2").arg(path, text.error())};
    SlipPtr slip = Slip::create(box.numberOfLastSlip() + 1);
    slip->setText(*text);
    return {{slip}, QString()};
}

Imported importOne(const QString& path, const Options& options, const BoxData& box) {
    // Without --kind a .txt file is tab-delimited, as the window's tab kind reads it.
    switch (options.kind.value_or(importRouteOf(path, true))) {
    case ImportRoute::Box: return importBox(path, box);
    case ImportRoute::TabDelimited: return importDelimited(path, u'\t', options, box);
    case ImportRoute::CommaDelimited: return importDelimited(path, u',', options, box);
    case ImportRoute::FileIntoSlip: return importFileIntoSlip(path, box);
    }
    return {};
}

int run(const Arguments& arguments, Io& io) {
    if (const QString unknown = arguments.unknownOption({Kind, Columns, Encoding}); !unknown.isEmpty())
        return fail(io, QStringLiteral("unknown option %1 (usage: fendle-cli %2)").arg(unknown, Synopsis));
    if (arguments.positional().size() < 2) return fail(io, QStringLiteral("usage: fendle-cli %1").arg(Synopsis));
    const std::optional<Options> options = readOptions(arguments, io);
    if (!options) return 2;
    const QString boxPath = arguments.positional().first();
    std::optional<LoadedBox> loaded = loadBoxForCli(boxPath, io);
    if (!loaded) return 2;
    QStringList keys;
    QString error;
    for (const QString& path : arguments.positional().mid(1)) {
        const Imported imported = importOne(path, *options, *loaded->box);
        for (const SlipPtr& slip : imported.slips) {
            loaded->box->setSlip(slip);
            keys.append(slip->key());
        }
        error = imported.error;
        if (!error.isEmpty()) break;
    }
    // Slips made before a failure stay, as they do in the window.
    if (!keys.isEmpty()) {
        if (const int status = saveBoxForCli(*loaded->box, boxPath, io); status != 0) return status;
        for (const QString& key : keys) io.out << key << '\n';
    }
    return error.isEmpty() ? 0 : fail(io, error);
}

const bool registered = registerCommand({QStringLiteral("import"), Synopsis,
                                         QStringLiteral("add the slips of other boxes, delimited text or files, save "
                                                        "the box and print the new slips' keys"),
                                         {Kind, Columns, Encoding}, run});
}  // namespace

}  // namespace fendle::cli
