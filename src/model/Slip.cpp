#include "model/Slip.h"

#include "platform/system/DateUtils.h"
#include "platform/text/StringValues.h"
#include "platform/system/UserInfo.h"

#include <QSet>
#include <atomic>

namespace fendle {

Slip::Slip()
    : text_(RichText()),
      source_(QString()),
      slipType_(QString()),
      appendedText_(QString()),
      author_(fullUserName()),
      creationTime_(QDateTime::currentDateTimeUtc()),
      lastModificationTime_(creationTime_) {}

Slip::Slip(quint32 slipID) : Slip() { slipID_ = slipID; }

Slip::Slip(Undecoded) {}

quint64 Slip::nextTextRevision() {
    static std::atomic<quint64> last{0};
    return last.fetch_add(1, std::memory_order_relaxed) + 1;
}

SlipPtr Slip::copy() const {
    auto copy = std::make_shared<Slip>(slipID_);
    copy->restoreFrom(*this);
    return copy;
}

void Slip::restoreFrom(const Slip& saved) {
    setTextWithoutLastModificationDate(saved.text_ ? std::optional<RichText>(saved.text_->deepCopy()) : std::nullopt);
    appendedText_ = saved.appendedText_;
    keywords_ = saved.keywords_;
    source_ = saved.source_;
    slipType_ = saved.slipType_;
    selectedRanges_ = saved.selectedRanges_;
    author_ = saved.author_;
    flagged_ = saved.flagged_;
    creationTime_ = saved.creationTime_;
    lastModificationTime_ = saved.lastModificationTime_;
}

QString Slip::key() const { return QString::number(static_cast<qint32>(slipID_)); }

QDateTime Slip::missingTime() {
    static const QDateTime missing = referenceDate().addSecs(7);
    return missing;
}

// Not value_or: the stand-in would be made on every call.
QDateTime Slip::creationTime() const { return creationTime_ ? *creationTime_ : missingTime(); }

QDateTime Slip::lastModificationTime() const { return lastModificationTime_ ? *lastModificationTime_ : missingTime(); }

void Slip::updateLastModificationTime() { lastModificationTime_ = QDateTime::currentDateTimeUtc(); }

template <typename T>
void Slip::setStamped(std::optional<T>& field, const std::optional<T>& value) {
    // A missing value on either side counts as a change.
    if (!field || !value || !(*field == *value)) updateLastModificationTime();
    field = value;
}

void Slip::setSource(const std::optional<QString>& source) { setStamped(source_, source); }
void Slip::setSlipType(const std::optional<QString>& type) { setStamped(slipType_, type); }
void Slip::setAppendedText(const std::optional<QString>& text) { setStamped(appendedText_, text); }
void Slip::setAuthor(const std::optional<QString>& author) { setStamped(author_, author); }

void Slip::setKeywords(const KeywordsArray& keywords) {
    if (!(keywords_ == keywords)) updateLastModificationTime();
    keywords_ = keywords;
}

void Slip::setKeywordsString(const std::optional<QString>& keywords) {
    setKeywords(splitStringToKeywordsArray(keywords));
}

void Slip::setText(const std::optional<RichText>& text) {
    bool changed = !text_ || !text;
    if (!changed) {
        // With pictures in the text only the characters count: attachments
        // come back from the editor with new attribute details every time.
        changed = text->hasAttachments() ? text_->string() != text->string() : !(*text_ == *text);
    }
    if (changed) updateLastModificationTime();
    setTextWithoutLastModificationDate(text);
    deleteModificationByMobileVersion(TextChanged | AppendedTextChanged | ReplacesWholeSlip);
}

void Slip::setTextWithoutLastModificationDate(const std::optional<RichText>& text) {
    text_ = text;
    textRevision_ = nextTextRevision();
}

QString Slip::textString() const { return text_ ? text_->string() : QString(); }

QString Slip::title() const {
    if (!text_) return NoTextTitle;
    const QString& s = text_->string();
    const qsizetype lineFeed = s.indexOf(QLatin1Char('\n'));
    return lineFeed < 0 ? s : s.left(lineFeed);
}

namespace {
bool isNewline(QChar c) {
    switch (c.unicode()) {
    case 0x0A: case 0x0B: case 0x0C: case 0x0D: case 0x85: case 0x2028: case 0x2029:
        return true;
    default:
        return false;
    }
}
}  // namespace

QString Slip::textBody() const {
    if (!text_) return NoTextBody;
    const QString& s = text_->string();
    for (qsizetype i = 0; i < s.size(); ++i) {
        if (isNewline(s[i])) return s.mid(i).trimmed();
    }
    return QString();
}

QDateTime Slip::creationDay() const { return dayOf(creationTime()); }
QDateTime Slip::lastModificationDay() const { return dayOf(lastModificationTime()); }

int Slip::numberOfSharedKeywords(const QStringList& keywords) const {
    QSet<QString> mine(keywords_.begin(), keywords_.end());
    const QSet<QString> theirs(keywords.begin(), keywords.end());
    return static_cast<int>(mine.intersect(theirs).size());
}

QString Slip::description() const {
    return QStringLiteral("<Slip: 0x%1>{ID: %2, title: %3}")
        .arg(reinterpret_cast<quintptr>(this), 0, 16)
        .arg(key(), title());
}

KeywordsArray Slip::splitStringToKeywordsArray(const std::optional<QString>& keywords) {
    if (!keywords) return KeywordsArray();
    // Split and trim in one pass: one string per keyword, not two.
    const QString& all = *keywords;
    auto blank = [&all](qsizetype i) { return all[i] == u' ' || all[i] == u'\t'; };
    QStringList parts;
    parts.reserve(all.count(QLatin1Char(',')) + 1);
    for (qsizetype from = 0;;) {
        qsizetype comma = all.indexOf(QLatin1Char(','), from);
        const qsizetype stop = comma < 0 ? all.size() : comma;
        qsizetype start = from, end = stop;
        while (start < end && blank(start)) ++start;
        while (end > start && blank(end - 1)) --end;
        parts.append(all.mid(start, end - start));
        if (comma < 0) break;
        from = comma + 1;
    }
    return KeywordsArray(std::move(parts));
}

unsigned Slip::replaceOccurrencesOfKeyword(const QString& oldKeyword, const QString& newKeyword) {
    QStringList list = keywords_.toStringList();
    unsigned count = 0;
    for (QString& keyword : list) {
        if (keyword == oldKeyword) {
            keyword = newKeyword;
            ++count;
        }
    }
    setKeywords(KeywordsArray(std::move(list)));
    return count;
}

void Slip::mergeSlipTextAndAppendedText() {
    const QString appended = appendedText();
    RichText merged = text_.value_or(RichText());
    const Attributes attributes = merged.isEmpty() ? Attributes() : merged.attributesAt(merged.length() - 1);
    merged.append(appended, attributes);
    setText(merged);
    setAppendedText(std::nullopt);
    deleteModificationByMobileVersion(AppendedTextChanged);
}

namespace {
template <typename T>
QVariant optionalVariant(const std::optional<T>& value) {
    return value ? QVariant::fromValue(*value) : QVariant();
}

std::optional<QString> optionalString(const QVariant& value) {
    if (!value.isValid() || value.isNull()) return std::nullopt;
    return value.toString();
}
}  // namespace

QVariant Slip::valueForKey(const QString& key) const {
    if (key == u"slipID") return QVariant::fromValue(slipID_);
    if (key == u"key") return this->key();
    if (key == u"text") return optionalVariant(text_);
    if (key == u"textString") return textString();
    if (key == u"title") return title();
    if (key == u"textBody") return textBody();
    if (key == u"source") return optionalVariant(source_);
    if (key == u"keywords" || key == u"keywordsArray") return QVariant::fromValue(keywords_);
    if (key == u"keywordsString") return keywordsString();
    if (key == u"slipType" || key == u"type") return optionalVariant(slipType_);
    if (key == u"appendedText") return appendedText();
    if (key == u"isFlagged" || key == u"flagged") return flagged_;
    if (key == u"author") return optionalVariant(author_);
    if (key == u"creationTime") return creationTime();
    if (key == u"lastModificationTime") return lastModificationTime();
    if (key == u"creationDay") return creationDay();
    if (key == u"lastModificationDay") return lastModificationDay();
    if (key == u"modificationByMobileVersion") return mobileBits_;
    return QVariant();
}

bool Slip::setValueForKey(const QVariant& value, const QString& key) {
    if (key == u"slipType" || key == u"type") setSlipType(optionalString(value));
    else if (key == u"source") setSource(optionalString(value));
    else if (key == u"author") setAuthor(optionalString(value));
    else if (key == u"appendedText") setAppendedText(optionalString(value));
    else if (key == u"keywords" && value.canConvert<KeywordsArray>() && value.userType() == qMetaTypeId<KeywordsArray>())
        setKeywords(value.value<KeywordsArray>());
    else if (key == u"keywords" || key == u"keywordsString") setKeywordsString(optionalString(value));
    else if (key == u"text" && value.userType() == qMetaTypeId<RichText>()) setText(value.value<RichText>());
    else if (key == u"isFlagged" || key == u"flagged") setFlagged(value.toBool());
    else if (key == u"slipID") setSlipID(value.toUInt());
    else if (key == u"creationTime") setCreationTime(value.toDateTime());
    else if (key == u"lastModificationTime") setLastModificationTime(value.toDateTime());
    else if (key == u"modificationByMobileVersion") setModificationByMobileVersion(value.toInt());
    else return false;
    return true;
}

}  // namespace fendle
