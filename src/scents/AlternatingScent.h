#pragma once
#include "model/BoxData.h"
#include "scents/AlternatingScentEntry.h"

#include <memory>
#include <vector>

namespace fendle {

// The alternating keyword/slip graph of one box. Slip labels carry the
// slip's title as it was when the graph was built.
class AlternatingScent {
public:
    AlternatingScent(const QHash<QString, QString>& keywordDictionary, const BoxData& boxData);

    const std::vector<AlternatingScentEntryPtr>& scents() const { return scents_; }
    const ScentMap& keywordsToSlipIDs() const { return *keywordsToSlipIDs_; }
    const QStringList& keywordsToSlipIDsArray() const { return keywordsToSlipIDsArray_; }
    // slip key → its keyword pieces, made when asked for.
    ScentMap keywordDictionaryMut() const;

    // "3 [Apples]" for a slip with a text, the bare key for one without a
    // text object or not in the box.
    static QString slipLabel(const QString& key, const BoxData& boxData);

    // Outline answers; nullptr is the root.
    qsizetype numberOfChildrenOfItem(AlternatingScentEntry* item) const;
    AlternatingScentEntryPtr child(qsizetype index, AlternatingScentEntry* item) const;
    bool isItemExpandable(AlternatingScentEntry* item) const;
    QString objectValueForItem(const AlternatingScentEntry* item) const;
    bool shouldEditTableColumn() const { return false; }

private:
    std::shared_ptr<const QHash<QString, QString>> keywordDictionary_;
    std::shared_ptr<ScentMap> keywordsToSlipIDs_;
    QStringList keywordsToSlipIDsArray_;
    std::vector<AlternatingScentEntryPtr> scents_;
};

}  // namespace fendle
