#pragma once
#include "scents/KeywordScentEntry.h"
#include "scents/KeywordTable.h"
#include "scents/Scent.h"

#include <QHash>
#include <QString>
#include <QStringList>
#include <memory>
#include <optional>
#include <vector>

namespace fendle {

// The keyword index of one box: which slips carry each keyword, which
// keywords stand together, and the top level of the keyword-scent tree.
// Internally slips are numbered in the order the map is visited and keywords
// are interned, which keeps building and ranking fast on large boxes; the
// string maps are made from that when first asked for.
class KeywordScent {
public:
    KeywordScent(const QHash<QString, QString>& keywordDictionary, bool showDuplicates);

    const QHash<QString, QString>& keywordDictionary() const { return keywordDictionary_; }
    // slip key → its keyword pieces, empty pieces kept.
    QHash<QString, QStringList> keywordDictionaryMut() const;
    // keyword → keys of the slips carrying it, one per occurrence; all
    // entries of one slip share one string.
    const QHash<QString, QStringList>& keywordsInBox() const;
    // keyword → co-occurring keywords in case-insensitive order.
    QHash<QString, QStringList> keywordTable() const;
    std::optional<QStringList> scentsForKeyword(const QString& keyword) const;
    std::optional<QStringList> slipsContainingKeyword(const QString& keyword) const;
    const std::vector<KeywordScentEntryPtr>& keywordScents() const { return keywordScents_; }
    const KeywordTable& table() const { return *table_; }

    // The keys of the slips carrying the given keyword pieces, each scoring
    // one point per (piece, occurrence of it on the slip); strongest first,
    // ties in order of first appearance; ownKey left out.
    QList<Scent> rankSlipsForPieces(const QStringList& pieces, const QString& ownKey) const;
    // The same slips without their strengths, as positions in keys().
    std::vector<int> rankedPositionsForPieces(const QStringList& pieces, const QString& ownKey) const;
    // Position → slip key, for the positions the ranking answers.
    const QStringList& keys() const { return keys_; }

    bool showDuplicates() const { return showDuplicates_; }
    void setShowDuplicates(bool showDuplicates);

    // Outline answers; nullptr is the root.
    qsizetype numberOfChildrenOfItem(KeywordScentEntry* item) const;
    KeywordScentEntryPtr child(qsizetype index, KeywordScentEntry* item) const;
    bool isItemExpandable(KeywordScentEntry* item) const;
    QString objectValueForItem(const KeywordScentEntry* item) const;
    bool shouldEditTableColumn() const { return false; }

private:
    QHash<QString, QString> keywordDictionary_;
    std::shared_ptr<KeywordTable> table_;
    QStringList keys_;                              // slip number → key
    std::vector<qint64> keyValues_;                 // slip number → value of a canonical key
    std::vector<int> pieceStart_;                   // slip number → first of its pieces
    std::vector<int> pieceIds_;                     // the pieces of all slips in turn
    // keyword → slip numbers, per occurrence: the slips of keyword w are
    // carriers_[carrierStart_[w] .. carrierStart_[w + 1]), one flat array.
    std::vector<int> carrierStart_;
    std::vector<int> carriers_;
    std::vector<KeywordScentEntryPtr> keywordScents_;
    bool showDuplicates_ = false;
    mutable std::optional<QHash<QString, QStringList>> keywordsInBox_;
    // Scratch of the ranking, kept to avoid clearing a box-sized array per call.
    mutable std::vector<quint32> strength_;
    mutable std::vector<int> touched_;

    void readPieces();
    std::vector<std::pair<qint64, QHash<QString, QString>::const_iterator>> slipsInNumberOrder() const;
    void collectCarriers();
    struct Carriers {
        const int* first;
        const int* last;
        const int* begin() const { return first; }
        const int* end() const { return last; }
        bool empty() const { return first == last; }
        std::size_t size() const { return static_cast<std::size_t>(last - first); }
    };
    Carriers carriersOf(int keyword) const {
        return {carriers_.data() + carrierStart_[static_cast<std::size_t>(keyword)],
                carriers_.data() + carrierStart_[static_cast<std::size_t>(keyword) + 1]};
    }
    // Slip numbers with their strengths in rank order.
    std::vector<std::pair<int, quint32>> rankSlipNumbers(const QStringList& pieces, const QString& ownKey) const;
    void relateKeywords();
};

}  // namespace fendle
