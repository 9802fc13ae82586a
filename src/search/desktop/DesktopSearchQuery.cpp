#include "search/desktop/DesktopSearchQuery.h"

#include "platform/text/TextMatching.h"

namespace fendle {

DesktopSearchQuery DesktopSearchQuery::parse(const QString& text) {
    DesktopSearchQuery query;
    QString term;
    bool quoted = false;
    for (const QChar c : text) {
        if (c == u'"') {
            query.addTerm(term);
            term.clear();
            quoted = !quoted;
        } else if (c.isSpace() && !quoted) {
            query.addTerm(term);
            term.clear();
        } else {
            term.append(c);
        }
    }
    query.addTerm(term);
    return query;
}

void DesktopSearchQuery::addTerm(const QString& term) {
    // Control characters would match across the separators of the fields.
    QString cleaned;
    for (const QChar c : term) cleaned.append(c.category() == QChar::Other_Control ? QChar(u' ') : c);
    cleaned = cleaned.simplified();
    if (cleaned.isEmpty() || terms_.contains(cleaned)) return;
    terms_.append(cleaned);
    folded_.append(foldCaseAndDiacritics(cleaned).toUtf8());
}

}  // namespace fendle
