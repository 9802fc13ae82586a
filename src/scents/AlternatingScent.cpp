#include "scents/AlternatingScent.h"

#include "platform/TextMatching.h"
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
    : keywordDictionaryMut_(std::make_shared<ScentMap>()), keywordsToSlipIDs_(std::make_shared<ScentMap>()) {
    keywordDictionaryMut_->reserve(keywordDictionary.size());
    for (auto it = keywordDictionary.cbegin(); it != keywordDictionary.cend(); ++it) {
        const QStringList pieces = splitCommaDelimitedString(it.value());
        keywordDictionaryMut_->insert(it.key(), pieces);
        QString label;
        for (const QString& piece : pieces) {
            if (piece.isEmpty()) continue;
            if (label.isNull()) label = slipLabel(it.key(), boxData);
            (*keywordsToSlipIDs_)[piece].append(label);
        }
    }
    keywordsToSlipIDsArray_ = sortedIgnoringCase(keywordsToSlipIDs_->keys());
    scents_.reserve(static_cast<std::size_t>(keywordsToSlipIDsArray_.size()));
    for (const QString& keyword : keywordsToSlipIDsArray_)
        scents_.push_back(std::make_shared<AlternatingScentEntry>(keyword, AlternatingScentEntry::KeywordType,
                                                                  keywordsToSlipIDs_, keywordDictionaryMut_));
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
