#pragma once
#include <QString>
#include <QStringList>
#include <optional>

namespace fendle {

// The completions the keywords, source and slip-type fields offer.
class FieldCompletion {
public:
    static inline const QStringList KnownSourceFieldLinkPrefixes{
        QStringLiteral("http://"),     QStringLiteral("https://"),  QStringLiteral("file://"),
        QStringLiteral("ftp://"),      QStringLiteral("bookends://"), QStringLiteral("x-bdsk://")};

    // Keywords of the box (already distinct and sorted) that begin with the
    // typed text, case-sensitively; none for the empty text.
    static QStringList possibleKeywordCompletions(const QStringList& keywordsInBox, const QString& typed);
    // Sources beginning with the partial word, distinct, in plain string order.
    static QStringList sourceCompletions(const QStringList& allSources, const QString& partial);
    // The first type, in list order, whose lower case begins with the typed text's.
    static std::optional<QString> firstTypeMatchingPrefix(const QStringList& slipTypes, const QString& typed);
    // The snap-back button shows for sources that are links.
    static bool isLinkSource(const QString& source);

    // The keyword being typed: the text after the last comma, trimmed.
    static QString currentKeywordToken(const QString& fieldText);
    // The field text with its last keyword replaced by the completion.
    static QString completeLastKeyword(const QString& fieldText, const QString& completion);
};

}  // namespace fendle
