#include "cli/SearchRules.h"

#include "search/SearchRuleEditor.h"

#include <QFile>
#include <QJsonDocument>

namespace fendle::cli {

namespace {
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

}  // namespace

std::optional<QVariantList> readSearchRules(const QString& path, Io& io) {
    const std::optional<QByteArray> bytes = readRules(path, io);
    if (!bytes) return std::nullopt;
    return parseRules(*bytes, io);
}

QList<SlipPtr> searchBox(const BoxData& box, const std::optional<QVariantList>& rules, const QString& keyword) {
    CliSearchHost host(box);
    SearchRuleEditor editor(host);
    if (rules)
        editor.setRuleEditorContent(*rules);
    else
        editor.addKeywordToSearch(keyword);
    return host.results;
}

}  // namespace fendle::cli
