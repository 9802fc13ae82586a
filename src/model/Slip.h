#pragma once
#include "model/KeywordsArray.h"
#include "platform/richtext/RichText.h"
#include "platform/richtext/TextRange.h"

#include <QDateTime>
#include <QList>
#include <QMetaType>
#include <QString>
#include <QVariant>
#include <memory>
#include <optional>

namespace fendle {

class Slip;
using SlipPtr = std::shared_ptr<Slip>;

// One numbered note of a box. Fields that a decoded slip may lack are
// optional: absent is not the same as empty.
class Slip {
public:
    static constexpr quint32 PlaceholderID = 9999999;

    // Bits of modificationByMobileVersion: what the mobile side changed.
    enum MobileChange : qint32 {
        KeywordsChanged = 1,
        SourceChanged = 2,
        TypeChanged = 4,
        TextChanged = 8,
        ReplacesWholeSlip = 16,
        NoDesktopMeaning = 32,
        AppendedTextChanged = 64,
        FlagChanged = 128,
    };

    static inline const QString NoTextTitle =
        QStringLiteral("Fendle: Some error occurred while determining the slip title!");
    static inline const QString NoTextBody =
        QStringLiteral("Fendle: Some error occurred while determining the body of the slip text!");

    // Plain initialisation: empty text and fields, the user as author, now as times.
    Slip();
    explicit Slip(quint32 slipID);
    // A slip with every field absent, as decoding starts from.
    struct Undecoded {};
    explicit Slip(Undecoded);

    static SlipPtr create(quint32 slipID = PlaceholderID) { return std::make_shared<Slip>(slipID); }
    // A deep copy with the same number and times; the mobile bits are not copied.
    SlipPtr copy() const;
    // Takes every field a copy holds from a slip saved earlier, keeping this
    // slip's own number: undo puts a state back into the very slip that
    // other undo steps refer to.
    void restoreFrom(const Slip& saved);

    // Identity and plain fields.
    quint32 slipID() const { return slipID_; }
    void setSlipID(quint32 slipID) { slipID_ = slipID; }
    QString key() const;
    bool isFlagged() const { return flagged_; }
    void setFlagged(bool flagged) { flagged_ = flagged; }
    void toggleFlagged() { flagged_ = !flagged_; }
    const std::optional<QList<TextRange>>& selectedRanges() const { return selectedRanges_; }
    void setSelectedRanges(std::optional<QList<TextRange>> ranges) { selectedRanges_ = std::move(ranges); }
    qint32 modificationByMobileVersion() const { return mobileBits_; }
    void setModificationByMobileVersion(qint32 bits) { mobileBits_ = bits; }
    void addModificationByMobileVersion(qint32 bits) { mobileBits_ |= bits; }
    void deleteModificationByMobileVersion(qint32 bits) { mobileBits_ &= ~bits; }

    // Fields with a normal setter (stamps the time when the value changes)
    // and a quiet one (stores only).
    const std::optional<RichText>& text() const { return text_; }
    void setText(const std::optional<RichText>& text);
    void setTextWithoutLastModificationDate(const std::optional<RichText>& text);
    // Changes whenever the text is set; no two settings anywhere share a
    // value, so caches of derived text can check it instead of the text.
    quint64 textRevision() const { return textRevision_; }
    // For loops over many slips that will read the revision soon.
    void prefetchTextRevision() const { __builtin_prefetch(&textRevision_); }

    const std::optional<QString>& source() const { return source_; }
    void setSource(const std::optional<QString>& source);
    void setSourceWithoutLastModificationDate(const std::optional<QString>& source) { source_ = source; }

    const std::optional<QString>& slipType() const { return slipType_; }
    void setSlipType(const std::optional<QString>& type);
    void setSlipTypeWithoutLastModificationDate(const std::optional<QString>& type) { slipType_ = type; }

    // "" when absent; appendedTextField() tells absence apart.
    QString appendedText() const { return appendedText_.value_or(QString()); }
    const std::optional<QString>& appendedTextField() const { return appendedText_; }
    void setAppendedText(const std::optional<QString>& text);
    void setAppendedTextWithoutLastModificationDate(const std::optional<QString>& text) { appendedText_ = text; }

    const std::optional<QString>& author() const { return author_; }
    void setAuthor(const std::optional<QString>& author);
    void setAuthorWithoutLastModificationDate(const std::optional<QString>& author) { author_ = author; }

    const KeywordsArray& keywords() const { return keywords_; }
    void setKeywords(const KeywordsArray& keywords);
    void setKeywordsWithoutLastModificationDate(const KeywordsArray& keywords) { keywords_ = keywords; }
    void setKeywordsString(const std::optional<QString>& keywords);

    // Times; an absent time reads as 2001-01-01 00:00:07 UTC.
    QDateTime creationTime() const;
    QDateTime lastModificationTime() const;
    const std::optional<QDateTime>& creationTimeField() const { return creationTime_; }
    const std::optional<QDateTime>& lastModificationTimeField() const { return lastModificationTime_; }
    void setCreationTime(const std::optional<QDateTime>& time) { creationTime_ = time; }
    void setLastModificationTime(const std::optional<QDateTime>& time) { lastModificationTime_ = time; }
    void updateLastModificationTime();
    static QDateTime missingTime();

    // Derived values.
    QString textString() const;
    QString title() const;
    QString textBody() const;
    QString keywordsString() const { return keywords_.joined(); }
    QDateTime creationDay() const;
    QDateTime lastModificationDay() const;
    int numberOfSharedKeywords(const QStringList& keywords) const;
    QString description() const;

    // Keyword operations.
    static KeywordsArray splitStringToKeywordsArray(const std::optional<QString>& keywords);
    unsigned replaceOccurrencesOfKeyword(const QString& oldKeyword, const QString& newKeyword);
    void mergeSlipTextAndAppendedText();

    // Key-value access by accessor name ("type" is slipType); an absent
    // field gives an invalid QVariant.
    QVariant valueForKey(const QString& key) const;
    bool setValueForKey(const QVariant& value, const QString& key);

private:
    quint32 slipID_ = PlaceholderID;
    std::optional<RichText> text_;
    quint64 textRevision_ = nextTextRevision();
    std::optional<QString> source_;
    KeywordsArray keywords_;
    std::optional<QString> slipType_;
    std::optional<QString> appendedText_;
    std::optional<QList<TextRange>> selectedRanges_;
    bool flagged_ = false;
    std::optional<QString> author_;
    std::optional<QDateTime> creationTime_;
    std::optional<QDateTime> lastModificationTime_;
    qint32 mobileBits_ = 0;

    static quint64 nextTextRevision();
    template <typename T>
    void setStamped(std::optional<T>& field, const std::optional<T>& value);
};

}  // namespace fendle

