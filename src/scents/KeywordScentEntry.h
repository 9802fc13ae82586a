#pragma once
#include "scents/KeywordTable.h"

#include <QString>
#include <QStringList>
#include <memory>
#include <vector>

namespace fendle {

class KeywordScentEntry;
using KeywordScentEntryPtr = std::shared_ptr<KeywordScentEntry>;

// One row of the keyword-scent tree: a keyword reached along a scent path.
// The tree has no end, so children exist only one level ahead of what is
// fetched. "Making" the children records that they are due and builds them
// when first asked for; the answers are those of building them at once.
class KeywordScentEntry {
public:
    using Path = std::shared_ptr<const std::vector<int>>;

    // A top-level entry, its children made.
    KeywordScentEntry(const QString& keyword, const QStringList& path, std::shared_ptr<const KeywordTable> table,
                      bool showDuplicates);
    // A child entry, no children yet.
    static KeywordScentEntryPtr initEmptyScent(const QString& keyword, const QStringList& path,
                                               std::shared_ptr<const KeywordTable> table, bool showDuplicates);

    void makeScents();
    // The children, each with its own children made anew.
    const std::vector<KeywordScentEntryPtr>& scents();
    qsizetype numberOfScents();
    KeywordScentEntryPtr keywordScentAtIndex(qsizetype index);

    QString entry() const { return keyword_; }
    void setEntry(const QString& keyword);
    QStringList path() const;
    QString relativePath() const { return keyword_; }
    bool showDuplicates() const { return showDuplicates_; }
    void setShowDuplicates(bool showDuplicates);

    int compare(const KeywordScentEntry& other) const;
    int caseInsensitiveCompare(const KeywordScentEntry& other) const;
    QString description() const;

    struct PrivateTag {};
    KeywordScentEntry(PrivateTag, const QString& keyword, Path path, std::shared_ptr<const KeywordTable> table,
                      bool showDuplicates);

private:
    enum class Children { None, Due, Made };

    QString keyword_;
    int id_ = -1;
    Path pathToMyself_;
    std::shared_ptr<const KeywordTable> table_;
    bool showDuplicates_ = false;
    Children state_ = Children::None;
    bool dueWithDuplicates_ = false;
    std::vector<KeywordScentEntryPtr> scents_;

    void buildDueChildren();
    bool pathContains(int id) const;
};

}  // namespace fendle
