#pragma once
#include "model/Slip.h"

#include <QHash>
#include <QList>
#include <QString>
#include <QVariant>
#include <functional>
#include <optional>
#include <variant>

namespace fendle {

using SlipDictionary = QHash<QString, SlipPtr>;

// The slips of one box under their keys, the trash, numbering and key order.
// While the trash is browsed the two dictionaries are swapped, so everything
// that works on `slips` then works on the trash.
class BoxData {
public:
    // Answered by the key finders when there is no key; looks up no slip.
    static inline const QString NoKeyFound = QStringLiteral("no key found");
    // Stands in slipsForKeys() where a key has no slip.
    static inline const QString SlipNotFound = QStringLiteral("slip with ID not found");
    using SlipOrMissing = std::variant<SlipPtr, QString>;

    BoxData();

    static QString makeKey(quint32 number);

    // Filing.
    SlipPtr createSlip();
    SlipPtr createSlipWithTemplate();
    void addSlip(const SlipPtr& slip);
    void setSlip(const SlipPtr& slip);
    void setSlipInTrash(const SlipPtr& slip);
    void deleteSlipForKey(const QString& key);
    void putSlipInTrash(const SlipPtr& slip);
    void restoreSlipFromTrash(const SlipPtr& slip);
    void emptyTrash();

    // Lookup.
    SlipPtr slipForKey(const QString& key) const { return slips_.value(key); }
    SlipPtr slipInTrashForKey(const QString& key) const { return deletedSlips_.value(key); }
    QList<SlipOrMissing> slipsForKeys(const QStringList& keys) const;
    bool slipForKeyExists(const QString& key) const { return slips_.contains(key); }
    bool isSlipInTrash(const SlipPtr& slip) const;
    SlipPtr lastSlip() const { return slipForKey(findLastKey()); }

    // Key order.
    QString findFirstKey() const;
    QString findLastKey() const { return findLastKeyInDictionary(slips_); }
    QString findLastKeyInTrash() const { return findLastKeyInDictionary(deletedSlips_); }
    static QString findLastKeyInDictionary(const SlipDictionary& dictionary);
    QString findPreviousKey(const Slip& slip) const;
    QString findNextKey(const Slip& slip) const;

    // Box-wide views over `slips`.
    QStringList keywordsInBox() const;
    QHash<QString, QString> keywordsDictionary() const;
    QHash<QString, KeywordsArray> keywordsDictionaryWithKeywordsArrays() const;
    QStringList allSources() const;
    QHash<QString, QString> sourcesDictionary() const;
    QList<SlipPtr> flaggedSlips() const;
    QList<SlipPtr> filterUsingPredicate(const std::function<bool(const Slip&)>& predicate) const;
    unsigned replaceAllOccurrencesOfKeyword(const QString& oldKeyword, const QString& newKeyword);

    // Trash mode.
    void swapDictionaries() { std::swap(slips_, deletedSlips_); }
    void enterTrashMode();
    void leaveTrashMode();
    bool inTrashMode() const { return inTrashMode_; }
    void setInTrashMode(bool inTrashMode) { inTrashMode_ = inTrashMode; }

    // Whole-store replacement used by loading; recomputes the counter.
    void setSlips(SlipDictionary slips, SlipDictionary deletedSlips);
    void recomputeNumberOfLastSlip();

    const SlipDictionary& slips() const { return slips_; }
    const SlipDictionary& deletedSlips() const { return deletedSlips_; }
    quint32 numberOfLastSlip() const { return numberOfLastSlip_; }

    // Only the size of the bytes last read is kept: nothing reads them
    // again, and a large box would hold its file twice. Saving sizes its
    // output buffer by it.
    qsizetype dataFromFileSize() const { return dataFromFileSize_; }
    void setDataFromFile(const QByteArray& data) { dataFromFileSize_ = data.size(); }
    const std::optional<RichText>& slipTemplate() const { return slipTemplate_; }
    void setSlipTemplate(const std::optional<RichText>& slipTemplate) { slipTemplate_ = slipTemplate; }
    const std::optional<QList<TextRange>>& selectedRangesInTemplate() const { return selectedRangesInTemplate_; }
    void setSelectedRangesInTemplate(const std::optional<QList<TextRange>>& ranges) {
        selectedRangesInTemplate_ = ranges;
    }
    // Each entry is a saved search, the pair [name, rules].
    const QVariantList& savedSearches() const { return savedSearches_; }
    void setSavedSearches(const QVariantList& searches) { savedSearches_ = searches; }
    qint32 currentZoomFactor() const { return currentZoomFactor_; }
    void setCurrentZoomFactor(qint32 zoom) { currentZoomFactor_ = zoom; }

private:
    SlipDictionary slips_;
    SlipDictionary deletedSlips_;
    qsizetype dataFromFileSize_ = 0;
    quint32 numberOfLastSlip_ = 1;
    bool inTrashMode_ = false;
    std::optional<RichText> slipTemplate_;
    std::optional<QList<TextRange>> selectedRangesInTemplate_;
    QVariantList savedSearches_;
    qint32 currentZoomFactor_ = 100;

    bool hasNumber(qint64 number) const;
    qint64 nearestNumberAbove(qint64 from, qint64 limit) const;
    qint64 nearestNumberBelow(qint64 from) const;
    void raiseCounterTo(quint32 number);
};

// Helpers for comma-delimited keyword strings.
// Splits at every ",", trimming spaces and tabs; empty parts stay.
QStringList splitCommaDelimitedString(const QString& text);
// Trims every element in place the same way and returns the list.
QStringList& removeWhiteSpace(QStringList& strings);

}  // namespace fendle
