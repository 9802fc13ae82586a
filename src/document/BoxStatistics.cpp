#include "document/BoxStatistics.h"

#include "scents/KeywordScent.h"
#include "scents/SlipScents.h"

#include <cmath>
#include <cstdio>

namespace fendle {

qint64 BoxStatistics::wordCount(const QString& text) {
    qint64 words = 0;
    bool inWord = false;
    const qsizetype length = text.size();
    for (qsizetype i = 0; i < length; ++i) {
        char32_t code = text.at(i).unicode();
        if (QChar::isHighSurrogate(code) && i + 1 < length && text.at(i + 1).isLowSurrogate()) {
            code = QChar::surrogateToUcs4(text.at(i), text.at(i + 1));
            ++i;
        }
        const bool alphanumeric = QChar::isLetterOrNumber(code);
        if (alphanumeric && !inWord) ++words;
        inWord = alphanumeric;
    }
    return words;
}

BoxStatistics BoxStatistics::compute(const BoxData& box, const KeywordScent& index) {
    BoxStatistics stats;
    const QStringList keywords = box.keywordsInBox();
    stats.slips = box.slips().size();
    stats.keywords = keywords.size();
    for (const SlipPtr& slip : box.slips()) {
        if (slip->text()) stats.words += wordCount(slip->text()->string());
        stats.slipScents += rankedSlipScents(*slip, index).size();
    }
    for (const QString& keyword : keywords) {
        if (const auto scents = index.scentsForKeyword(keyword)) stats.keywordScents += scents->size();
    }
    return stats;
}

QString BoxStatistics::averageText(qint64 dividend, qint64 divisor) {
    const double value = static_cast<double>(dividend) / static_cast<double>(divisor);
    // 0.0/0.0 carries the sign bit on common hardware, which would print "-nan".
    if (std::isnan(value)) return QStringLiteral("nan");
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.2f", value);
    return QString::fromLatin1(buffer);
}

QList<QPair<QString, QString>> BoxStatistics::figures() const {
    const auto integer = [](qint64 n) { return QString::number(n); };
    return {
        {QStringLiteral("number of slips"), integer(slips)},
        {QStringLiteral("number of keywords"), integer(keywords)},
        {QStringLiteral("number of words"), integer(words)},
        {QStringLiteral("number of keyword scents"), integer(keywordScents)},
        {QStringLiteral("number of slip scents"), integer(slipScents)},
        {QStringLiteral("average keywords per slip"), averageText(keywords, slips)},
        {QStringLiteral("average words per slip"), averageText(words, slips)},
        {QStringLiteral("average keyword scents per slip"), averageText(keywordScents, slips)},
        {QStringLiteral("average slip scents per slip"), averageText(slipScents, slips)},
        {QStringLiteral("average slips per keyword"), averageText(slips, keywords)},
        {QStringLiteral("average words per keyword"), averageText(words, keywords)},
        {QStringLiteral("average keyword scents per keyword"), averageText(keywordScents, keywords)},
        {QStringLiteral("average slip scents per keyword"), averageText(slipScents, keywords)},
    };
}

}  // namespace fendle
