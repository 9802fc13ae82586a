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

    // The keyword under the cursor: keywords are separated by commas; the
    // typed part runs from the keyword's first non-space character to the cursor.
    struct KeywordToken {
        qsizetype start = 0;
        qsizetype end = 0;
        QString typed;
    };
    static KeywordToken keywordTokenAt(const QString& fieldText, qsizetype cursor);
    // The field text with the keyword under the cursor replaced by the
    // completion, and the cursor just behind it.
    struct Completed {
        QString text;
        qsizetype cursor = 0;
    };
    static Completed completeKeywordAt(const QString& fieldText, qsizetype cursor, const QString& completion);
};

}  // namespace fendle
