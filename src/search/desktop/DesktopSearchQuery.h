#pragma once
#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

namespace fendle {

// The text a box hands to desktop search ("alpha" "two words"), read as
// terms that must all match: each quoted run is one term, phrase or
// keyword; an unquoted word is a term too, and an unclosed quote runs to
// the end. Terms are kept folded for case and diacritics.
class DesktopSearchQuery {
public:
    static DesktopSearchQuery parse(const QString& text);

    const QStringList& terms() const { return terms_; }
    // The folded terms as UTF-8, what the index compares.
    const QList<QByteArray>& foldedTerms() const { return folded_; }
    bool isEmpty() const { return terms_.isEmpty(); }

private:
    QStringList terms_;
    QList<QByteArray> folded_;

    void addTerm(const QString& term);
};

}  // namespace fendle
