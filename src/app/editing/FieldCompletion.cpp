#include "app/editing/FieldCompletion.h"

#include <algorithm>

namespace fendle {

QStringList FieldCompletion::possibleKeywordCompletions(const QStringList& keywordsInBox, const QString& typed) {
    QStringList result;
    if (typed.isEmpty()) return result;
    for (const QString& keyword : keywordsInBox)
        if (keyword.startsWith(typed, Qt::CaseSensitive)) result.append(keyword);
    return result;
}

QStringList FieldCompletion::sourceCompletions(const QStringList& allSources, const QString& partial) {
    QStringList result;
    for (const QString& source : allSources)
        if (source.startsWith(partial, Qt::CaseSensitive)) result.append(source);
    std::sort(result.begin(), result.end());
    result.erase(std::unique(result.begin(), result.end()), result.end());
    return result;
}

std::optional<QString> FieldCompletion::firstTypeMatchingPrefix(const QStringList& slipTypes, const QString& typed) {
    const QString wanted = typed.toLower();
    for (const QString& type : slipTypes)
        if (type.toLower().startsWith(wanted)) return type;
    return std::nullopt;
}

bool FieldCompletion::isLinkSource(const QString& source) {
    return std::any_of(KnownSourceFieldLinkPrefixes.cbegin(), KnownSourceFieldLinkPrefixes.cend(),
                       [&](const QString& prefix) { return source.startsWith(prefix); });
}

FieldCompletion::KeywordToken FieldCompletion::keywordTokenAt(const QString& fieldText, qsizetype cursor) {
    cursor = std::clamp<qsizetype>(cursor, 0, fieldText.size());
    qsizetype start = cursor > 0 ? fieldText.lastIndexOf(QLatin1Char(','), cursor - 1) + 1 : 0;
    qsizetype end = fieldText.indexOf(QLatin1Char(','), cursor);
    if (end < 0) end = fieldText.size();
    while (start < cursor && fieldText.at(start).isSpace()) ++start;
    return {start, end, fieldText.mid(start, cursor - start).trimmed()};
}

FieldCompletion::Completed FieldCompletion::completeKeywordAt(const QString& fieldText, qsizetype cursor,
                                                              const QString& completion) {
    const KeywordToken token = keywordTokenAt(fieldText, cursor);
    // A keyword right behind a comma gets the space the others have.
    const bool needsSpace = token.start > 0 && fieldText.at(token.start - 1) == QLatin1Char(',');
    const QString head = fieldText.left(token.start) + (needsSpace ? QStringLiteral(" ") : QString()) + completion;
    return {head + fieldText.mid(token.end), head.size()};
}

}  // namespace fendle
