#pragma once
#include <QMetaType>
#include <QString>
#include <QStringList>

namespace fendle {

// The ordered keyword list of one slip. Duplicates and empty keywords are
// kept as the user typed them.
class KeywordsArray {
public:
    KeywordsArray() = default;
    explicit KeywordsArray(QStringList keywords) : keywords_(std::move(keywords)) {}

    qsizetype count() const { return keywords_.size(); }
    bool isEmpty() const { return keywords_.isEmpty(); }
    const QString& objectAtIndex(qsizetype index) const { return keywords_.at(index); }
    const QStringList& toStringList() const { return keywords_; }
    auto begin() const { return keywords_.cbegin(); }
    auto end() const { return keywords_.cend(); }

    // The keywords joined with ", ".
    QString joined() const { return keywords_.join(QStringLiteral(", ")); }

    // The matching tests searches call; each is true as soon as one keyword
    // passes. Case is ignored, diacritics are not; an empty argument never
    // passes the first three.
    bool hasKeywordWithPrefix(const QString& prefix) const;
    bool hasKeywordWithSuffix(const QString& suffix) const;
    bool hasKeywordThatContains(const QString& part) const;
    // The whole keyword must match the ICU regular expression. A pattern that
    // does not compile matches nothing and, when error is given, reports why.
    bool hasKeywordThatMatches(const QString& pattern, QString* error = nullptr) const;
    bool hasKeywordLike(const QString& pattern) const;

    friend bool operator==(const KeywordsArray&, const KeywordsArray&) = default;

private:
    QStringList keywords_;
};

}  // namespace fendle

Q_DECLARE_METATYPE(fendle::KeywordsArray)
