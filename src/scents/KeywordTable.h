#pragma once
#include <QStringView>
#include <QString>
#include <QStringList>
#include <vector>

namespace fendle {

// The co-occurrence table of one keyword index with every keyword piece
// interned as a number, so the lazily built scent trees compare and filter
// numbers instead of strings. Number 0 is always the empty piece, which
// stands first in every scent path.
class KeywordTable {
public:
    static constexpr int EmptyPiece = 0;

    KeywordTable();

    int intern(QStringView piece);
    // -1 for a text that no slip carries.
    int idOf(QStringView piece) const;
    const QString& keyword(int id) const { return pieces_[static_cast<std::size_t>(id)]; }
    int size() const { return static_cast<int>(pieces_.size()); }

    // Case-insensitive position among all pieces; computed once all are interned.
    void computeRanks();
    int rank(int id) const { return ranks_[static_cast<std::size_t>(id)]; }
    int idOfRank(int rank) const { return byRank_[static_cast<std::size_t>(rank)]; }

    // The co-occurring keywords of a keyword, in case-insensitive order;
    // nullptr for a piece that is not a keyword of the box.
    // Takes the related keywords as ranks in ascending order.
    void setRelatedRanks(int id, const std::vector<int>& ranks);
    const std::vector<int>* related(int id) const;
    QStringList relatedKeywords(int id) const;

private:
    std::vector<QString> pieces_;
    // Open addressing over pieces_, so lookups take views without copying.
    std::vector<int> slots_;
    std::vector<int> ranks_;
    std::vector<int> byRank_;
    std::vector<std::vector<int>> related_;
    std::vector<bool> isKeyword_;

    std::size_t slotOf(QStringView piece) const;
    void grow();
};

}  // namespace fendle
