#pragma once
#include "scents/KeywordScentEntry.h"
#include "scents/KeywordTable.h"

#include <QHash>
#include <QString>
#include <QStringList>
#include <memory>
#include <optional>
#include <vector>

namespace fendle {

// The keyword index of one box: which slips carry each keyword, which
// keywords stand together, and the top level of the keyword-scent tree.
class KeywordScent {
public:
    KeywordScent(const QHash<QString, QString>& keywordDictionary, bool showDuplicates);

    const QHash<QString, QString>& keywordDictionary() const { return keywordDictionary_; }
    const QHash<QString, QStringList>& keywordDictionaryMut() const { return keywordDictionaryMut_; }
    // keyword → keys of the slips carrying it, one per occurrence; all
    // entries of one slip share one string, which rankings rely on.
    const QHash<QString, QStringList>& keywordsInBox() const { return keywordsInBox_; }
    // keyword → co-occurring keywords in case-insensitive order.
    QHash<QString, QStringList> keywordTable() const;
    std::optional<QStringList> scentsForKeyword(const QString& keyword) const;
    std::optional<QStringList> slipsContainingKeyword(const QString& keyword) const;
    const std::vector<KeywordScentEntryPtr>& keywordScents() const { return keywordScents_; }
    const KeywordTable& table() const { return *table_; }

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
    QHash<QString, QStringList> keywordDictionaryMut_;
    QHash<QString, QStringList> keywordsInBox_;
    std::shared_ptr<KeywordTable> table_;
    std::vector<KeywordScentEntryPtr> keywordScents_;
    bool showDuplicates_ = false;

    void build();
};

}  // namespace fendle
