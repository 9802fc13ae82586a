#include "scents/KeywordTable.h"

#include "platform/text/TextMatching.h"

#include <algorithm>
#include <numeric>

namespace fendle {

KeywordTable::KeywordTable() : slots_(64, -1) { intern(QStringView()); }

std::size_t KeywordTable::slotOf(QStringView piece) const {
    const std::size_t mask = slots_.size() - 1;
    std::size_t slot = qHash(piece, 0) & mask;
    while (slots_[slot] >= 0 && pieces_[static_cast<std::size_t>(slots_[slot])] != piece) slot = (slot + 1) & mask;
    return slot;
}

void KeywordTable::grow() {
    slots_.assign(slots_.size() * 2, -1);
    for (std::size_t id = 0; id < pieces_.size(); ++id) slots_[slotOf(pieces_[id])] = static_cast<int>(id);
}

int KeywordTable::intern(QStringView piece) {
    std::size_t slot = slotOf(piece);
    if (slots_[slot] >= 0) return slots_[slot];
    if ((pieces_.size() + 1) * 2 > slots_.size()) {
        grow();
        slot = slotOf(piece);
    }
    const int id = static_cast<int>(pieces_.size());
    pieces_.push_back(piece.toString());
    slots_[slot] = id;
    return id;
}

int KeywordTable::idOf(QStringView piece) const { return slots_[slotOf(piece)]; }

void KeywordTable::computeRanks() {
    std::vector<QString> folded;
    folded.reserve(pieces_.size());
    for (const QString& piece : pieces_) folded.push_back(foldCase(piece));
    std::vector<int> order(pieces_.size());
    std::iota(order.begin(), order.end(), 0);
    std::sort(order.begin(), order.end(), [&](int a, int b) {
        const int byFolded = folded[a].compare(folded[b]);
        return byFolded != 0 ? byFolded < 0 : pieces_[a] < pieces_[b];
    });
    ranks_.assign(pieces_.size(), 0);
    for (std::size_t i = 0; i < order.size(); ++i) ranks_[static_cast<std::size_t>(order[i])] = static_cast<int>(i);
    byRank_ = std::move(order);
    related_.resize(pieces_.size());
    isKeyword_.assign(pieces_.size(), false);
}

void KeywordTable::setRelatedRanks(int id, const std::vector<int>& ranks) {
    std::vector<int>& ids = related_[static_cast<std::size_t>(id)];
    ids.resize(ranks.size());
    std::transform(ranks.begin(), ranks.end(), ids.begin(), [this](int r) { return idOfRank(r); });
    isKeyword_[static_cast<std::size_t>(id)] = true;
}

const std::vector<int>* KeywordTable::related(int id) const {
    if (id < 0 || id >= size() || !isKeyword_[static_cast<std::size_t>(id)]) return nullptr;
    return &related_[static_cast<std::size_t>(id)];
}

QStringList KeywordTable::relatedKeywords(int id) const {
    QStringList result;
    if (const std::vector<int>* ids = related(id)) {
        result.reserve(static_cast<qsizetype>(ids->size()));
        for (int r : *ids) result.append(keyword(r));
    }
    return result;
}

}  // namespace fendle
