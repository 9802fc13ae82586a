#pragma once
#include <QString>
#include <memory>
#include <vector>

namespace fendle {

// The outline-view answers shared by the keyword-scent and alternating-scent
// trees: the root (nullptr) holds the top-level entries, an entry its
// children; an entry is expandable once it has children made.
template <typename Entry>
class ScentOutlineAnswers {
public:
    using EntryPtr = std::shared_ptr<Entry>;

    static qsizetype numberOfChildrenOfItem(const std::vector<EntryPtr>& top, Entry* item) {
        return item ? item->numberOfScents() : static_cast<qsizetype>(top.size());
    }
    static EntryPtr child(const std::vector<EntryPtr>& top, qsizetype index, Entry* item) {
        if (item) return item->keywordScentAtIndex(index);
        if (index < 0 || index >= static_cast<qsizetype>(top.size())) return nullptr;
        return top[static_cast<std::size_t>(index)];
    }
    static bool isItemExpandable(Entry* item) { return !item || item->numberOfScents() != 0; }
    static QString objectValue(const Entry* item) { return item ? item->relativePath() : QStringLiteral("/"); }
};

}  // namespace fendle
