#include "scents/AlternatingScent.h"

#include "platform/text/TextMatching.h"
#include "scents/KeywordPieces.h"
#include "scents/KeywordTable.h"
#include "scents/ScentOutlineAnswers.h"

#include <algorithm>

namespace fendle {
namespace {
using Answers = ScentOutlineAnswers<AlternatingScentEntry>;

QStringList sortedIgnoringCase(QStringList keywords) {
    std::vector<std::pair<QString, QString>> keyed;
    keyed.reserve(static_cast<std::size_t>(keywords.size()));
    for (QString& keyword : keywords) keyed.emplace_back(foldCase(keyword), std::move(keyword));
    std::sort(keyed.begin(), keyed.end());
    QStringList sorted;
    sorted.reserve(static_cast<qsizetype>(keyed.size()));
    for (auto& [folded, keyword] : keyed) sorted.append(std::move(keyword));
    return sorted;
}
}  // namespace

QString AlternatingScent::slipLabel(const QString& key, const BoxData& boxData) {
    const SlipPtr slip = boxData.slipForKey(key);
    if (!slip || !slip->text()) return key;
    return key + QStringLiteral(" [%1]").arg(slip->title());
}

AlternatingScent::AlternatingScent(const QHash<QString, QString>& keywordDictionary, const BoxData& boxData)
    : keywordDictionary_(std::make_shared<const QHash<QString, QString>>(keywordDictionary)),
      keywordsToSlipIDs_(std::make_shared<ScentMap>()) {
    // Interning the pieces spares a string per piece on large boxes.
    KeywordTable keywords;
    std::vector<QStringList> labels;
    for (auto it = keywordDictionary.cbegin(); it != keywordDictionary.cend(); ++it) {
        QString label;
        forEachKeywordPiece(it.value(), [&](QStringView piece) {
            if (piece.isEmpty()) return;
            if (label.isNull()) label = slipLabel(it.key(), boxData);
            const auto id = static_cast<std::size_t>(keywords.intern(piece));
            if (labels.size() <= id) labels.resize(id + 1);
            labels[id].append(label);
        });
    }
    for (std::size_t id = 0; id < labels.size(); ++id)
        if (!labels[id].isEmpty()) keywordsToSlipIDs_->insert(keywords.keyword(static_cast<int>(id)), labels[id]);
    keywordsToSlipIDsArray_ = sortedIgnoringCase(keywordsToSlipIDs_->keys());
    scents_.reserve(static_cast<std::size_t>(keywordsToSlipIDsArray_.size()));
    for (const QString& keyword : keywordsToSlipIDsArray_)
        scents_.push_back(std::make_shared<AlternatingScentEntry>(keyword, AlternatingScentEntry::KeywordType,
                                                                  keywordsToSlipIDs_, keywordDictionary_));
}

ScentMap AlternatingScent::keywordDictionaryMut() const {
    ScentMap result;
    result.reserve(keywordDictionary_->size());
    for (auto it = keywordDictionary_->cbegin(); it != keywordDictionary_->cend(); ++it)
        result.insert(it.key(), splitCommaDelimitedString(it.value()));
    return result;
}

qsizetype AlternatingScent::numberOfChildrenOfItem(AlternatingScentEntry* item) const {
    return Answers::numberOfChildrenOfItem(scents_, item);
}

AlternatingScentEntryPtr AlternatingScent::child(qsizetype index, AlternatingScentEntry* item) const {
    return Answers::child(scents_, index, item);
}

bool AlternatingScent::isItemExpandable(AlternatingScentEntry* item) const { return Answers::isItemExpandable(item); }

QString AlternatingScent::objectValueForItem(const AlternatingScentEntry* item) const {
    return Answers::objectValue(item);
}

}  // namespace fendle
