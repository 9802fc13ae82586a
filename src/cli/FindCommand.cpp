#include "cli/CliBox.h"
#include "cli/CliUiPort.h"
#include "search/desktop/CacheFileIndex.h"

#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>

namespace fendle::cli {

namespace {
const QString Synopsis = QStringLiteral("find QUERY [--json] [--box-of BOX]");
const QString JsonOption = QStringLiteral("--json");
const QString BoxOfOption = QStringLiteral("--box-of");

QJsonObject resultJson(const DesktopSearchResult& result) {
    return QJsonObject{
        {QStringLiteral("box"), result.boxName},
        {QStringLiteral("boxPath"), result.slip.boxPath},
        {QStringLiteral("boxMissing"), result.boxMissing},
        {QStringLiteral("key"), result.slip.slipKey},
        {QStringLiteral("title"), result.slip.title},
        {QStringLiteral("keywords"), QJsonArray::fromStringList(result.slip.keywords)},
        {QStringLiteral("source"), result.slip.source},
        {QStringLiteral("modified"), result.slip.modificationDate},
        {QStringLiteral("keywordHits"), result.keywordHits},
        {QStringLiteral("cacheFile"), result.cacheFile},
    };
}

// One line a result; a tab or line break inside a field would split it.
QString resultLine(const DesktopSearchResult& result) {
    QStringList fields{result.boxName, result.slip.slipKey, result.slip.title};
    for (QString& field : fields) field.replace(QRegularExpression(QStringLiteral("[\\t\\r\\n]")), QStringLiteral(" "));
    return fields.join(u'\t');
}

int run(const Arguments& arguments, Io& io) {
    if (!expectArguments(arguments, io, 1, {JsonOption, BoxOfOption}, Synopsis)) return 2;
    CliUiPort ui(io);
    CacheFileIndex index;
    if (!index.refresh(ui)) return fail(io, QStringLiteral("cannot read the cache folder %1").arg(index.folder()));
    std::optional<QString> box;
    if (arguments.has(BoxOfOption)) box = QFileInfo(arguments.value(BoxOfOption)).absoluteFilePath();
    const QList<DesktopSearchResult> results = index.search(DesktopSearchQuery::parse(arguments.positional().first()), box);
    if (arguments.has(JsonOption)) {
        QJsonArray out;
        for (const DesktopSearchResult& result : results) out.append(resultJson(result));
        io.out << QString::fromUtf8(QJsonDocument(out).toJson(QJsonDocument::Indented));
    } else {
        for (const DesktopSearchResult& result : results) io.out << resultLine(result) << '\n';
    }
    if (index.skippedCount() > 0)
        io.err << "fendle-cli: skipped " << index.skippedCount() << " unreadable cache files\n";
    return 0;
}

const bool registered = registerCommand({QStringLiteral("find"), Synopsis,
                                         QStringLiteral("desktop search over the cache files of all boxes: box, key "
                                                        "and title of each slip matching every quoted term"),
                                         {BoxOfOption}, run});
}  // namespace

}  // namespace fendle::cli
