#include "app/FieldCompletion.h"

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

QString FieldCompletion::currentKeywordToken(const QString& fieldText) {
    return fieldText.mid(fieldText.lastIndexOf(QLatin1Char(',')) + 1).trimmed();
}

QString FieldCompletion::completeLastKeyword(const QString& fieldText, const QString& completion) {
    const qsizetype comma = fieldText.lastIndexOf(QLatin1Char(','));
    if (comma < 0) return completion;
    return fieldText.left(comma + 1) + QLatin1Char(' ') + completion;
}

}  // namespace fendle
