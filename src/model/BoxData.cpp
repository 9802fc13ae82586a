#include "model/BoxData.h"

#include "platform/text/StringValues.h"
#include "platform/text/TextMatching.h"

#include <QSet>
#include <algorithm>

namespace fendle {

BoxData::BoxData() {
    slips_.reserve(100);
    deletedSlips_.reserve(100);
    savedSearches_.reserve(10);
    setSlip(Slip::create(1));
}

QString BoxData::makeKey(quint32 number) { return QString::number(static_cast<qint32>(number)); }

bool BoxData::hasNumber(qint64 number) const {
    return slips_.contains(QString::number(static_cast<qint32>(number)));
}

void BoxData::raiseCounterTo(quint32 number) {
    if (number > numberOfLastSlip_) numberOfLastSlip_ = number;
}

SlipPtr BoxData::createSlip() {
    ++numberOfLastSlip_;
    SlipPtr slip = Slip::create(numberOfLastSlip_);
    slips_.insert(slip->key(), slip);
    return slip;
}

SlipPtr BoxData::createSlipWithTemplate() {
    SlipPtr slip = createSlip();
    if (slipTemplate_) slip->setText(slipTemplate_->deepCopy());
    return slip;
}

void BoxData::addSlip(const SlipPtr& slip) {
    ++numberOfLastSlip_;
    slip->setSlipID(numberOfLastSlip_);
    setSlip(slip);
}

void BoxData::setSlip(const SlipPtr& slip) {
    slips_.insert(slip->key(), slip);
    raiseCounterTo(slip->slipID());
}

void BoxData::setSlipInTrash(const SlipPtr& slip) {
    deletedSlips_.insert(slip->key(), slip);
    raiseCounterTo(slip->slipID());
}

void BoxData::deleteSlipForKey(const QString& key) {
    slips_.remove(key);
    recomputeNumberOfLastSlip();
}

void BoxData::putSlipInTrash(const SlipPtr& slip) {
    const QString key = slip->key();
    deletedSlips_.insert(key, slip);
    slips_.remove(key);
}

void BoxData::restoreSlipFromTrash(const SlipPtr& slip) {
    const QString key = slip->key();
    slips_.insert(key, slip);
    deletedSlips_.remove(key);
}

void BoxData::emptyTrash() {
    if (inTrashMode_)
        slips_.clear();
    else
        deletedSlips_.clear();
}

QList<BoxData::SlipOrMissing> BoxData::slipsForKeys(const QStringList& keys) const {
    QList<SlipOrMissing> result;
    result.reserve(keys.size());
    for (const QString& key : keys) {
        if (SlipPtr slip = slips_.value(key))
            result.append(slip);
        else
            result.append(SlipNotFound);
    }
    return result;
}

bool BoxData::isSlipInTrash(const SlipPtr& slip) const {
    // Slips are filed under their own key, so identity under that key is enough.
    return slip && deletedSlips_.value(slip->key()) == slip;
}

QString BoxData::findLastKeyInDictionary(const SlipDictionary& dictionary) {
    qint32 best = 0;
    for (auto it = dictionary.keyBegin(); it != dictionary.keyEnd(); ++it) best = std::max(best, intValueOfString(*it));
    return best == 0 ? NoKeyFound : makeKey(static_cast<quint32>(best));
}

// The neighbour searches step through numbers; across a gap wider than the
// box they scan the keys instead, which gives the same answer without
// stepping through billions of numbers in a box with a stray high number.
qint64 BoxData::nearestNumberAbove(qint64 from, qint64 limit) const {
    if (limit - from <= slips_.size()) {
        qint64 k = from + 1;
        while (k < limit && !hasNumber(k)) ++k;
        return k;
    }
    qint64 best = limit;
    for (auto it = slips_.keyBegin(); it != slips_.keyEnd(); ++it) {
        const qint64 number = static_cast<quint32>(intValueOfString(*it));
        if (number > from && number < best && *it == makeKey(static_cast<quint32>(number))) best = number;
    }
    return best;
}

qint64 BoxData::nearestNumberBelow(qint64 from) const {
    if (from - 1 <= slips_.size()) {
        qint64 k = from - 1;
        while (k > 1 && !hasNumber(k)) --k;
        return k;
    }
    qint64 best = 1;
    for (auto it = slips_.keyBegin(); it != slips_.keyEnd(); ++it) {
        const qint64 number = static_cast<quint32>(intValueOfString(*it));
        if (number < from && number > best && *it == makeKey(static_cast<quint32>(number))) best = number;
    }
    return best;
}

QString BoxData::findFirstKey() const {
    const qint64 last = numberOfLastSlip_;
    const qint64 number = (hasNumber(1) || last <= 1) ? 1 : nearestNumberAbove(1, last);
    return hasNumber(number) ? makeKey(static_cast<quint32>(number)) : NoKeyFound;
}

QString BoxData::findPreviousKey(const Slip& slip) const {
    const qint64 n = slip.slipID();
    const qint64 k = n > 1 ? nearestNumberBelow(n) : n;
    return makeKey(static_cast<quint32>(hasNumber(k) ? k : n));
}

QString BoxData::findNextKey(const Slip& slip) const {
    const qint64 n = slip.slipID();
    const qint64 last = numberOfLastSlip_;
    if (n > last) return findPreviousKey(slip);
    if (n == last) return makeKey(static_cast<quint32>(n));
    const qint64 k = nearestNumberAbove(n, last);
    return makeKey(static_cast<quint32>(hasNumber(k) ? k : n));
}

QStringList BoxData::keywordsInBox() const {
    QSet<QString> distinct;
    for (const SlipPtr& slip : slips_) {
        for (const QString& keyword : slip->keywords()) {
            QString trimmed = trimSpacesAndTabs(keyword);
            if (!trimmed.isEmpty()) distinct.insert(std::move(trimmed));
        }
    }
    struct Keyed {
        QString folded;
        QString keyword;
    };
    std::vector<Keyed> keyed;
    keyed.reserve(static_cast<std::size_t>(distinct.size()));
    for (const QString& keyword : distinct) keyed.push_back({foldCase(keyword), keyword});
    std::sort(keyed.begin(), keyed.end(), [](const Keyed& a, const Keyed& b) {
        return a.folded != b.folded ? a.folded < b.folded : a.keyword < b.keyword;
    });
    QStringList result;
    result.reserve(static_cast<qsizetype>(keyed.size()));
    for (Keyed& k : keyed) result.append(std::move(k.keyword));
    return result;
}

QHash<QString, QString> BoxData::keywordsDictionary() const {
    QHash<QString, QString> result;
    result.reserve(slips_.size());
    for (auto it = slips_.cbegin(); it != slips_.cend(); ++it) result.insert(it.key(), it.value()->keywordsString());
    return result;
}

QHash<QString, KeywordsArray> BoxData::keywordsDictionaryWithKeywordsArrays() const {
    QHash<QString, KeywordsArray> result;
    result.reserve(slips_.size());
    for (auto it = slips_.cbegin(); it != slips_.cend(); ++it) result.insert(it.key(), it.value()->keywords());
    return result;
}

QStringList BoxData::allSources() const {
    QSet<QString> distinct;
    for (const SlipPtr& slip : slips_) {
        if (slip->source()) distinct.insert(*slip->source());
    }
    QStringList result(distinct.begin(), distinct.end());
    std::sort(result.begin(), result.end());
    return result;
}

QHash<QString, QString> BoxData::sourcesDictionary() const {
    QHash<QString, QString> result;
    result.reserve(slips_.size());
    for (auto it = slips_.cbegin(); it != slips_.cend(); ++it) {
        if (const auto& source = it.value()->source()) result.insert(it.key(), source->trimmed());
    }
    return result;
}

QList<SlipPtr> BoxData::flaggedSlips() const {
    return filterUsingPredicate([](const Slip& slip) { return slip.isFlagged(); });
}

QList<SlipPtr> BoxData::filterUsingPredicate(const std::function<bool(const Slip&)>& predicate) const {
    QList<SlipPtr> result;
    for (const SlipPtr& slip : slips_) {
        if (predicate(*slip)) result.append(slip);
    }
    return result;
}

unsigned BoxData::replaceAllOccurrencesOfKeyword(const QString& oldKeyword, const QString& newKeyword) {
    unsigned changedSlips = 0;
    for (const SlipPtr& slip : std::as_const(slips_)) {
        if (slip->replaceOccurrencesOfKeyword(oldKeyword, newKeyword) > 0) ++changedSlips;
    }
    return changedSlips;
}

void BoxData::enterTrashMode() {
    swapDictionaries();
    inTrashMode_ = true;
}

void BoxData::leaveTrashMode() {
    swapDictionaries();
    inTrashMode_ = false;
}

void BoxData::setSlips(SlipDictionary slips, SlipDictionary deletedSlips) {
    slips_ = std::move(slips);
    deletedSlips_ = std::move(deletedSlips);
    recomputeNumberOfLastSlip();
}

void BoxData::recomputeNumberOfLastSlip() {
    auto highest = [](const SlipDictionary& dictionary) {
        const QString key = findLastKeyInDictionary(dictionary);
        return key == NoKeyFound ? 0u : static_cast<quint32>(intValueOfString(key));
    };
    numberOfLastSlip_ = std::max(highest(slips_), highest(deletedSlips_));
}

QStringList splitCommaDelimitedString(const QString& text) {
    QStringList parts = text.split(QLatin1Char(','), Qt::KeepEmptyParts);
    return removeWhiteSpace(parts);
}

QStringList& removeWhiteSpace(QStringList& strings) {
    for (QString& s : strings) s = trimSpacesAndTabs(s);
    return strings;
}

}  // namespace fendle
