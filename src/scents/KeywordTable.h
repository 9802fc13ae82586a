#pragma once
#include <QHash>
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

    int intern(const QString& piece);
    // -1 for a text that no slip carries.
    int idOf(const QString& piece) const { return ids_.value(piece, -1); }
    const QString& keyword(int id) const { return pieces_[static_cast<std::size_t>(id)]; }
    int size() const { return static_cast<int>(pieces_.size()); }

    // Case-insensitive position among all pieces; computed once all are interned.
    void computeRanks();
    int rank(int id) const { return ranks_[static_cast<std::size_t>(id)]; }

    // The co-occurring keywords of a keyword, in case-insensitive order;
    // nullptr for a piece that is not a keyword of the box.
    void setRelated(int id, std::vector<int> related);
    const std::vector<int>* related(int id) const;
    QStringList relatedKeywords(int id) const;

private:
    std::vector<QString> pieces_;
    QHash<QString, int> ids_;
    std::vector<int> ranks_;
    std::vector<std::vector<int>> related_;
    std::vector<bool> isKeyword_;
};

}  // namespace fendle
