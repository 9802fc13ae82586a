#include "cli/CliBox.h"
#include "search/SearchRuleEditor.h"

#include <QFile>
#include <QJsonDocument>
#include <algorithm>

namespace fendle::cli {

namespace {
const QString Synopsis = QStringLiteral("search BOX (RULES | --keyword WORD)");
const QString KeywordOption = QStringLiteral("--keyword");
constexpr qint64 MaxRulesSize = 16 * 1024 * 1024;

// The rule editor's box, for one search.
class CliSearchHost : public SearchRuleEditorHost {
public:
    explicit CliSearchHost(const BoxData& box) : box_(box) {}
    const BoxData& boxData() const override { return box_; }
    bool addKeywordToBoxSearch() const override { return false; }
    void setSearchResultsToSlips(const QList<SlipPtr>& slips) override { results = slips; }
    // No window: no tab to show, no field to type in.
    void selectSearchTab() override {}
    void focusValueControlOfRow(int) override {}
    QList<SlipPtr> results;

private:
    const BoxData& box_;
};

std::optional<QByteArray> readRules(const QString& path, Io& io) {
    QFile file;
    const bool opened = path == u"-" ? file.open(stdin, QIODevice::ReadOnly) : (file.setFileName(path), file.open(QIODevice::ReadOnly));
    if (!opened) {
        fail(io, QStringLiteral("cannot read the rules %1: %2").arg(path, file.errorString()));
        return std::nullopt;
    }
    QByteArray bytes = file.read(MaxRulesSize + 1);
    if (bytes.size() > MaxRulesSize) {
        fail(io, QStringLiteral("the rules %1 are larger than 16 MB").arg(path));
        return std::nullopt;
    }
    return bytes;
}

std::optional<QVariantList> parseRules(const QByteArray& bytes, Io& io) {
    QJsonParseError error{};
    const QJsonDocument document = QJsonDocument::fromJson(bytes, &error);
    if (error.error != QJsonParseError::NoError || !document.isArray()) {
        fail(io, QStringLiteral("the rules are not a JSON array of row records%1")
                     .arg(error.error != QJsonParseError::NoError ? QStringLiteral(": ") + error.errorString() : QString()));
        return std::nullopt;
    }
    return document.toVariant().toList();
}

int run(const Arguments& arguments, Io& io) {
    const bool byKeyword = arguments.has(KeywordOption);
    if (!expectArguments(arguments, io, byKeyword ? 1 : 2, {KeywordOption}, Synopsis)) return 2;
    std::optional<QVariantList> rules;
    if (!byKeyword) {
        const std::optional<QByteArray> bytes = readRules(arguments.positional().at(1), io);
        if (!bytes || !(rules = parseRules(*bytes, io))) return 2;
    }
    const auto loaded = loadBoxForCli(arguments.positional().first(), io);
    if (!loaded) return 2;
    CliSearchHost host(*loaded->box);
    SearchRuleEditor editor(host);
    if (rules)
        editor.setRuleEditorContent(*rules);
    else
        editor.addKeywordToSearch(arguments.value(KeywordOption));
    QList<quint32> numbers;
    for (const SlipPtr& slip : host.results) numbers.append(slip->slipID());
    std::sort(numbers.begin(), numbers.end());
    for (quint32 number : numbers) io.out << BoxData::makeKey(number) << '\n';
    return 0;
}

const bool registered = registerCommand({QStringLiteral("search"), Synopsis,
                                         QStringLiteral("the keys of the slips matching archived rules (JSON) or a keyword"),
                                         {KeywordOption}, run});
}  // namespace

}  // namespace fendle::cli
