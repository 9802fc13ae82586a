#include "scents/KeywordScent.h"

#include "model/BoxData.h"
#include "scents/ScentOutlineAnswers.h"

#include <algorithm>

namespace fendle {
namespace {
using Answers = ScentOutlineAnswers<KeywordScentEntry>;
}

KeywordScent::KeywordScent(const QHash<QString, QString>& keywordDictionary, bool showDuplicates)
    : keywordDictionary_(keywordDictionary), table_(std::make_shared<KeywordTable>()), showDuplicates_(showDuplicates) {
    build();
}

void KeywordScent::build() {
    // Work on numbers: slips by visiting order, pieces by interned id.
    QStringList keys;
    std::vector<std::vector<int>> piecesOfSlip;
    std::vector<std::vector<int>> slipsOfKeyword;
    keys.reserve(keywordDictionary_.size());
    piecesOfSlip.reserve(static_cast<std::size_t>(keywordDictionary_.size()));
    keywordDictionaryMut_.reserve(keywordDictionary_.size());
    for (auto it = keywordDictionary_.cbegin(); it != keywordDictionary_.cend(); ++it) {
        const QStringList pieces = splitCommaDelimitedString(it.value());
        keywordDictionaryMut_.insert(it.key(), pieces);
        const int slip = static_cast<int>(keys.size());
        keys.append(it.key());
        std::vector<int>& ids = piecesOfSlip.emplace_back();
        ids.reserve(static_cast<std::size_t>(pieces.size()));
        for (const QString& piece : pieces) {
            const int id = table_->intern(piece);
            ids.push_back(id);
            if (piece.isEmpty()) continue;
            if (slipsOfKeyword.size() <= static_cast<std::size_t>(id)) slipsOfKeyword.resize(id + 1);
            slipsOfKeyword[static_cast<std::size_t>(id)].push_back(slip);
        }
    }
    slipsOfKeyword.resize(static_cast<std::size_t>(table_->size()));
    table_->computeRanks();

    std::vector<int> seenFor(static_cast<std::size_t>(table_->size()), -1);
    std::vector<int> keywordIds;
    for (int w = 0; w < table_->size(); ++w) {
        const std::vector<int>& slips = slipsOfKeyword[static_cast<std::size_t>(w)];
        if (slips.empty()) continue;
        keywordIds.push_back(w);
        QStringList& carriers = keywordsInBox_[table_->keyword(w)];
        carriers.reserve(static_cast<qsizetype>(slips.size()));
        std::vector<int> related;
        seenFor[static_cast<std::size_t>(w)] = w;
        for (int slip : slips) {
            carriers.append(keys[slip]);
            for (int piece : piecesOfSlip[static_cast<std::size_t>(slip)]) {
                if (seenFor[static_cast<std::size_t>(piece)] == w) continue;
                seenFor[static_cast<std::size_t>(piece)] = w;
                related.push_back(piece);
            }
        }
        table_->setRelated(w, std::move(related));
    }

    std::sort(keywordIds.begin(), keywordIds.end(), [this](int a, int b) { return table_->rank(a) < table_->rank(b); });
    const QStringList topPath{QString()};
    keywordScents_.reserve(keywordIds.size());
    for (int w : keywordIds)
        keywordScents_.push_back(std::make_shared<KeywordScentEntry>(table_->keyword(w), topPath, table_, showDuplicates_));
}

QHash<QString, QStringList> KeywordScent::keywordTable() const {
    QHash<QString, QStringList> result;
    for (auto it = keywordsInBox_.cbegin(); it != keywordsInBox_.cend(); ++it)
        result.insert(it.key(), table_->relatedKeywords(table_->idOf(it.key())));
    return result;
}

std::optional<QStringList> KeywordScent::scentsForKeyword(const QString& keyword) const {
    const int id = table_->idOf(keyword);
    if (!table_->related(id)) return std::nullopt;
    return table_->relatedKeywords(id);
}

std::optional<QStringList> KeywordScent::slipsContainingKeyword(const QString& keyword) const {
    const auto it = keywordsInBox_.constFind(keyword);
    if (it == keywordsInBox_.cend()) return std::nullopt;
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
