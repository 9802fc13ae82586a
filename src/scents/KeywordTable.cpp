#include "scents/KeywordTable.h"

#include "platform/TextMatching.h"

#include <algorithm>
#include <numeric>

namespace fendle {

KeywordTable::KeywordTable() { intern(QString()); }

int KeywordTable::intern(const QString& piece) {
    const auto it = ids_.constFind(piece);
    if (it != ids_.cend()) return *it;
    const int id = static_cast<int>(pieces_.size());
    ids_.insert(piece, id);
    pieces_.push_back(piece);
    return id;
}

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
    related_.resize(pieces_.size());
    isKeyword_.assign(pieces_.size(), false);
}

void KeywordTable::setRelated(int id, std::vector<int> related) {
    std::sort(related.begin(), related.end(), [this](int a, int b) { return rank(a) < rank(b); });
    related_[static_cast<std::size_t>(id)] = std::move(related);
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
