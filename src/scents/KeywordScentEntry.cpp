#include "scents/KeywordScentEntry.h"

#include "platform/text/TextOrdering.h"

#include <algorithm>

namespace fendle {
namespace {
KeywordScentEntry::Path pathIds(const QStringList& path, const KeywordTable& table) {
    auto ids = std::make_shared<std::vector<int>>();
    for (const QString& step : path) ids->push_back(table.idOf(step));
    return ids;
}
}  // namespace

KeywordScentEntry::KeywordScentEntry(PrivateTag, const QString& keyword, Path path,
                                     std::shared_ptr<const KeywordTable> table, bool showDuplicates)
    : keyword_(keyword),
      id_(table->idOf(keyword)),
      pathToMyself_(std::move(path)),
      table_(std::move(table)),
      showDuplicates_(showDuplicates) {}

KeywordScentEntry::KeywordScentEntry(const QString& keyword, const QStringList& path,
                                     std::shared_ptr<const KeywordTable> table, bool showDuplicates)
    : KeywordScentEntry(PrivateTag{}, keyword, pathIds(path, *table), table, showDuplicates) {
    makeScents();
}

KeywordScentEntryPtr KeywordScentEntry::initEmptyScent(const QString& keyword, const QStringList& path,
                                                       std::shared_ptr<const KeywordTable> table,
                                                       bool showDuplicates) {
    Path ids = pathIds(path, *table);
    return std::make_shared<KeywordScentEntry>(PrivateTag{}, keyword, std::move(ids), std::move(table),
                                               showDuplicates);
}

void KeywordScentEntry::makeScents() {
    scents_.clear();
    state_ = Children::Due;
    dueWithDuplicates_ = showDuplicates_;
}

bool KeywordScentEntry::pathContains(int id) const {
    return std::find(pathToMyself_->begin(), pathToMyself_->end(), id) != pathToMyself_->end();
}

void KeywordScentEntry::buildDueChildren() {
    if (state_ != Children::Due) return;
    state_ = Children::Made;
    const std::vector<int>* related = table_->related(id_);
    if (!related) return;
    auto childPath = std::make_shared<std::vector<int>>(*pathToMyself_);
    childPath->push_back(id_);
    scents_.reserve(related->size());
    for (int r : *related) {
        if (!dueWithDuplicates_ && pathContains(r)) continue;
        scents_.push_back(std::make_shared<KeywordScentEntry>(PrivateTag{}, table_->keyword(r), childPath, table_,
                                                              showDuplicates_));
    }
}

const std::vector<KeywordScentEntryPtr>& KeywordScentEntry::scents() {
    buildDueChildren();
    for (const KeywordScentEntryPtr& child : scents_) child->makeScents();
    return scents_;
}

qsizetype KeywordScentEntry::numberOfScents() {
    buildDueChildren();
    return static_cast<qsizetype>(scents_.size());
}

KeywordScentEntryPtr KeywordScentEntry::keywordScentAtIndex(qsizetype index) {
    const std::vector<KeywordScentEntryPtr>& children = scents();
    if (index < 0 || index >= static_cast<qsizetype>(children.size())) return nullptr;
    return children[static_cast<std::size_t>(index)];
}

void KeywordScentEntry::setEntry(const QString& keyword) {
    keyword_ = keyword;
    id_ = table_->idOf(keyword);
}

QStringList KeywordScentEntry::path() const {
    QStringList result;
    for (int id : *pathToMyself_) result.append(id >= 0 ? table_->keyword(id) : QString());
    return result;
}

void KeywordScentEntry::setShowDuplicates(bool showDuplicates) {
    showDuplicates_ = showDuplicates;
    if (state_ != Children::Made) return;
    for (const KeywordScentEntryPtr& child : scents_) child->setShowDuplicates(showDuplicates);
}

int KeywordScentEntry::compare(const KeywordScentEntry& other) const {
    const int c = keyword_.compare(other.keyword_);
    return (c > 0) - (c < 0);
}

int KeywordScentEntry::caseInsensitiveCompare(const KeywordScentEntry& other) const {
    return compareIgnoringCase(keyword_, other.keyword_);
}

QString KeywordScentEntry::description() const {
    return QStringLiteral("<KeywordScentEntry>{entry: ") + keyword_ + QStringLiteral(",\n\t\tscents: ") +
           table_->relatedKeywords(id_).join(QStringLiteral(", ")) + QStringLiteral("}");
}

}  // namespace fendle
