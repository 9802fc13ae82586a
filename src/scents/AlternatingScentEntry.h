#pragma once
#include <QHash>
#include <QString>
#include <QStringList>
#include <memory>
#include <vector>

namespace fendle {

class AlternatingScentEntry;
using AlternatingScentEntryPtr = std::shared_ptr<AlternatingScentEntry>;
using ScentMap = QHash<QString, QStringList>;
using KeywordsStringMap = QHash<QString, QString>;

// One node of the alternating tree: a keyword (type 1) whose children are the
// labels of the slips carrying it, or a slip label (type 2) whose children are
// that slip's keyword pieces (split from its keywords string when needed). Like the keyword-scent tree it is endless, so
// children are made one level ahead and built when first asked for.
class AlternatingScentEntry {
public:
    static constexpr int KeywordType = 1;
    static constexpr int SlipType = 2;

    // A top-level entry, its children made.
    AlternatingScentEntry(const QString& text, int type, std::shared_ptr<const ScentMap> slipDictionary,
                          std::shared_ptr<const KeywordsStringMap> keywordDictionary);
    // A child entry, no children yet.
    static AlternatingScentEntryPtr initEmptyScent(const QString& text, int type,
                                                   std::shared_ptr<const ScentMap> slipDictionary,
                                                   std::shared_ptr<const KeywordsStringMap> keywordDictionary);

    // False (with the alert text logged) for a type that is neither 1 nor 2.
    bool makeScents();
    const std::vector<AlternatingScentEntryPtr>& scents();
    qsizetype numberOfScents();
    AlternatingScentEntryPtr keywordScentAtIndex(qsizetype index);

    const QString& entry() const { return entry_; }
    void setEntry(const QString& text) { entry_ = text; }
    int type() const { return type_; }
    void setType(int type) { type_ = type; }
    QString relativePath() const { return entry_; }
    // The slip key of a slip label: the text up to the first " [".
    static QString slipKeyOfLabel(const QString& label);

    int compare(const AlternatingScentEntry& other) const;
    int caseInsensitiveCompare(const AlternatingScentEntry& other) const;
    // Numeric and case-insensitive, so label "2" comes before label "10".
    int compareAscending(const AlternatingScentEntry& other) const;

    struct PrivateTag {};
    AlternatingScentEntry(PrivateTag, const QString& text, int type, std::shared_ptr<const ScentMap> slipDictionary,
                          std::shared_ptr<const KeywordsStringMap> keywordDictionary);

private:
    QString entry_;
    int type_ = KeywordType;
    std::shared_ptr<const ScentMap> slipDictionary_;
    std::shared_ptr<const KeywordsStringMap> keywordDictionary_;
    bool due_ = false;
    std::vector<AlternatingScentEntryPtr> scents_;

    void buildDueChildren();
};

}  // namespace fendle
