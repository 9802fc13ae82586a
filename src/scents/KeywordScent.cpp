#include "scents/KeywordScent.h"

#include "scents/KeywordPieces.h"
#include "scents/ScentOutlineAnswers.h"

#include <algorithm>
#include <limits>

namespace fendle {
namespace {
using Answers = ScentOutlineAnswers<KeywordScentEntry>;
constexpr qint64 NotCanonical = std::numeric_limits<qint64>::min();

// The number a key is the decimal form of ("%d", no leading zeros), so the
// ranking can leave out the slip's own key without comparing strings.
qint64 canonicalKeyValue(QStringView key) {
    const bool negative = key.startsWith(u'-');
    const QStringView digits = negative ? key.mid(1) : key;
    if (digits.isEmpty() || digits.size() > 10 || (digits.size() > 1 && digits[0] == u'0')) return NotCanonical;
    qint64 value = 0;
    for (QChar c : digits) {
        if (c < u'0' || c > u'9') return NotCanonical;
        value = value * 10 + (c.unicode() - u'0');
    }
    return negative ? (value == 0 ? NotCanonical : -value) : value;
}
}  // namespace

KeywordScent::KeywordScent(const QHash<QString, QString>& keywordDictionary, bool showDuplicates)
    : keywordDictionary_(keywordDictionary), table_(std::make_shared<KeywordTable>()), showDuplicates_(showDuplicates) {
    readPieces();
    collectCarriers();
    table_->computeRanks();
    relateKeywords();
}

// Slips equally strong keep the order of the index, so it must not be the
// dictionary's hash order: that differs from run to run.
std::vector<std::pair<qint64, QHash<QString, QString>::const_iterator>> KeywordScent::slipsInNumberOrder() const {
    std::vector<std::pair<qint64, QHash<QString, QString>::const_iterator>> slips;
    slips.reserve(static_cast<std::size_t>(keywordDictionary_.size()));
    for (auto it = keywordDictionary_.cbegin(); it != keywordDictionary_.cend(); ++it)
        slips.emplace_back(canonicalKeyValue(it.key()), it);
    std::sort(slips.begin(), slips.end(), [](const auto& a, const auto& b) {
        if (a.first != b.first) return a.first < b.first;
        return a.second.key() < b.second.key();
    });
    return slips;
}

void KeywordScent::readPieces() {
    const auto slips = static_cast<std::size_t>(keywordDictionary_.size());
    keys_.reserve(static_cast<qsizetype>(slips));
    pieceStart_.reserve(slips + 1);
    keyValues_.reserve(slips);
    pieceIds_.reserve(slips * 5);
    pieceStart_.push_back(0);
    for (const auto& [value, it] : slipsInNumberOrder()) {
        // A key of our own, so that the index's keys lie close together.
        keys_.append(QString(it.key().constData(), it.key().size()));
        keyValues_.push_back(value);
        forEachKeywordPiece(it.value(), [&](QStringView piece) { pieceIds_.push_back(table_->intern(piece)); });
        pieceStart_.push_back(static_cast<int>(pieceIds_.size()));
    }
    strength_.assign(slips, 0);
}

// Counting sort of (piece, slip) by piece: one allocation instead of a
// growing list per keyword. The empty piece carries no slips.
void KeywordScent::collectCarriers() {
    const auto pieces = static_cast<std::size_t>(table_->size());
    carrierStart_.assign(pieces + 1, 0);
    for (int id : pieceIds_)
        if (id != KeywordTable::EmptyPiece) ++carrierStart_[static_cast<std::size_t>(id) + 1];
    for (std::size_t w = 1; w <= pieces; ++w) carrierStart_[w] += carrierStart_[w - 1];
    carriers_.resize(static_cast<std::size_t>(carrierStart_[pieces]));
    std::vector<int> next(carrierStart_.begin(), carrierStart_.end() - 1);
    for (int slip = 0; slip < static_cast<int>(keys_.size()); ++slip)
        for (int p = pieceStart_[slip]; p < pieceStart_[slip + 1]; ++p) {
            const int id = pieceIds_[static_cast<std::size_t>(p)];
            if (id != KeywordTable::EmptyPiece) carriers_[static_cast<std::size_t>(next[static_cast<std::size_t>(id)]++)] = slip;
        }
}

void KeywordScent::relateKeywords() {
    const auto pieces = static_cast<std::size_t>(table_->size());
    // seenFor[rank] == w: the piece of that rank stands with keyword w.
    std::vector<int> seenFor(pieces, -1);
    std::vector<int> related;
    for (int w = 0; w < table_->size(); ++w) {
        const Carriers slips = carriersOf(w);
        if (slips.empty()) continue;
        related.clear();
        seenFor[static_cast<std::size_t>(table_->rank(w))] = w;
        for (int slip : slips) {
            for (int p = pieceStart_[slip]; p < pieceStart_[slip + 1]; ++p) {
                const int rank = table_->rank(pieceIds_[static_cast<std::size_t>(p)]);
                if (seenFor[static_cast<std::size_t>(rank)] == w) continue;
                seenFor[static_cast<std::size_t>(rank)] = w;
                related.push_back(rank);
            }
        }
        // Many related pieces: reading the marks in rank order beats sorting them.
        if (related.size() * 16 >= pieces) {
            related.clear();
            for (std::size_t rank = 0; rank < pieces; ++rank)
                if (seenFor[rank] == w && table_->idOfRank(static_cast<int>(rank)) != w) related.push_back(static_cast<int>(rank));
        } else {
            std::sort(related.begin(), related.end());
        }
        table_->setRelatedRanks(w, related);
    }
    const QStringList topPath{QString()};
    for (int rank = 0; rank < table_->size(); ++rank) {
        const int w = table_->idOfRank(rank);
        if (carriersOf(w).empty()) continue;
        keywordScents_.push_back(std::make_shared<KeywordScentEntry>(table_->keyword(w), topPath, table_, showDuplicates_));
    }
}

QHash<QString, QStringList> KeywordScent::keywordDictionaryMut() const {
    QHash<QString, QStringList> result;
    result.reserve(keys_.size());
    for (qsizetype slip = 0; slip < keys_.size(); ++slip) {
        QStringList pieces;
        for (int p = pieceStart_[slip]; p < pieceStart_[slip + 1]; ++p)
            pieces.append(table_->keyword(pieceIds_[static_cast<std::size_t>(p)]));
        result.insert(keys_[slip], pieces);
    }
    return result;
}

const QHash<QString, QStringList>& KeywordScent::keywordsInBox() const {
    if (keywordsInBox_) return *keywordsInBox_;
    QHash<QString, QStringList>& map = keywordsInBox_.emplace();
    for (int w = 0; w < table_->size(); ++w) {
        const Carriers slips = carriersOf(w);
        if (slips.empty()) continue;
        QStringList& carriers = map[table_->keyword(w)];
        carriers.reserve(static_cast<qsizetype>(slips.size()));
        for (int slip : slips) carriers.append(keys_[slip]);
    }
    return map;
}

std::vector<std::pair<int, quint32>> KeywordScent::rankSlipNumbers(const QStringList& pieces,
                                                                  const QString& ownKey) const {
    quint32 strongest = 0;
    for (const QString& piece : pieces) {
        if (piece.isEmpty()) continue;
        const int id = table_->idOf(piece);
        if (id < 0) continue;
        for (int slip : carriersOf(id)) {
            quint32& strength = strength_[static_cast<std::size_t>(slip)];
            if (strength++ == 0) touched_.push_back(slip);
            strongest = std::max(strongest, strength);
        }
    }
    const qint64 ownValue = canonicalKeyValue(ownKey);
    const auto isOwn = [&](int slip) {
        const qint64 value = keyValues_[static_cast<std::size_t>(slip)];
        return value != NotCanonical || ownValue != NotCanonical ? value == ownValue : keys_[slip] == ownKey;
    };
    // Counting sort by strength, keeping the order of first appearance.
    std::vector<int> start(strongest + 2, 0);
    for (int slip : touched_) ++start[strongest - strength_[static_cast<std::size_t>(slip)] + 1];
    for (std::size_t s = 1; s < start.size(); ++s) start[s] += start[s - 1];
    std::vector<std::pair<int, quint32>> ranked(touched_.size());
    for (int slip : touched_) {
        quint32& strength = strength_[static_cast<std::size_t>(slip)];
        ranked[static_cast<std::size_t>(start[strongest - strength]++)] = {slip, strength};
        strength = 0;
    }
    touched_.clear();
    ranked.erase(std::remove_if(ranked.begin(), ranked.end(), [&](const auto& r) { return isOwn(r.first); }),
                 ranked.end());
    return ranked;
}

QList<Scent> KeywordScent::rankSlipsForPieces(const QStringList& pieces, const QString& ownKey) const {
    QList<Scent> scents;
    const auto ranked = rankSlipNumbers(pieces, ownKey);
    scents.reserve(static_cast<qsizetype>(ranked.size()));
    for (const auto& [slip, strength] : ranked) scents.append(Scent{keys_[slip], strength});
    return scents;
}

std::vector<int> KeywordScent::rankedPositionsForPieces(const QStringList& pieces, const QString& ownKey) const {
    const auto ranked = rankSlipNumbers(pieces, ownKey);
    std::vector<int> positions(ranked.size());
    std::transform(ranked.begin(), ranked.end(), positions.begin(), [](const auto& r) { return r.first; });
    return positions;
}

QHash<QString, QStringList> KeywordScent::keywordTable() const {
    QHash<QString, QStringList> result;
    for (int w = 0; w < table_->size(); ++w)
        if (table_->related(w)) result.insert(table_->keyword(w), table_->relatedKeywords(w));
    return result;
}

std::optional<QStringList> KeywordScent::scentsForKeyword(const QString& keyword) const {
    const int id = table_->idOf(keyword);
    if (!table_->related(id)) return std::nullopt;
    return table_->relatedKeywords(id);
}

std::optional<QStringList> KeywordScent::slipsContainingKeyword(const QString& keyword) const {
    const auto& map = keywordsInBox();
    const auto it = map.constFind(keyword);
    if (it == map.cend()) return std::nullopt;
    return *it;
}

void KeywordScent::setShowDuplicates(bool showDuplicates) {
    showDuplicates_ = showDuplicates;
    for (const KeywordScentEntryPtr& entry : keywordScents_) entry->setShowDuplicates(showDuplicates);
}

qsizetype KeywordScent::numberOfChildrenOfItem(KeywordScentEntry* item) const {
    return Answers::numberOfChildrenOfItem(keywordScents_, item);
}

KeywordScentEntryPtr KeywordScent::child(qsizetype index, KeywordScentEntry* item) const {
    return Answers::child(keywordScents_, index, item);
}

bool KeywordScent::isItemExpandable(KeywordScentEntry* item) const { return Answers::isItemExpandable(item); }

QString KeywordScent::objectValueForItem(const KeywordScentEntry* item) const { return Answers::objectValue(item); }

}  // namespace fendle
