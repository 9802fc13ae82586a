#pragma once
#include "platform/richtext/TextAttributes.h"
#include "platform/richtext/TextRange.h"

#include <QSharedDataPointer>
#include <QString>
#include <vector>

namespace fendle {

// Text with attribute runs: an implicitly shared value, cheap to copy.
// Runs are kept canonical (no empty runs, no two equal neighbours), so that
// equality of runs is equality of attributes character by character and the
// run at an index is the longest effective range of its attributes.
class RichText {
public:
    struct Run {
        qsizetype length = 0;
        Attributes attributes;
        friend bool operator==(const Run&, const Run&) = default;
    };

    RichText();
    explicit RichText(const QString& text, const Attributes& attributes = {});
    // Text and its runs at once (readers); the run lengths must add up to
    // the text's length, else the text gets one run without attributes.
    static RichText fromRuns(const QString& text, std::vector<Run> runs);
    RichText(const RichText&);
    RichText(RichText&&) noexcept;
    RichText& operator=(const RichText&);
    RichText& operator=(RichText&&) noexcept;
    ~RichText();

    const QString& string() const;
    qsizetype length() const;
    bool isEmpty() const { return length() == 0; }
    const std::vector<Run>& runs() const;

    // Attributes of the character at index, with the range they hold over.
    Attributes attributesAt(qsizetype index, TextRange* effectiveRange = nullptr) const;
    // One attribute at index, with the longest range over which it keeps that value.
    std::optional<AttributeValue> attributeAt(const QString& name, qsizetype index,
                                              TextRange* effectiveRange = nullptr) const;

    // Ranges reaching outside the text are clipped to it.
    void replace(TextRange range, const RichText& replacement);
    // New characters take the attributes of the first replaced character, or
    // of the one before an empty range.
    void replace(TextRange range, const QString& replacement);
    void insert(qsizetype index, const RichText& text);
    void append(const RichText& text);
    void append(const QString& text, const Attributes& attributes);
    RichText substring(TextRange range) const;

    void setAttributes(const Attributes& attributes, TextRange range);
    void addAttribute(const QString& name, const AttributeValue& value, TextRange range);
    void removeAttribute(const QString& name, TextRange range);

    bool hasAttachments() const;
    // A copy whose attachment data no longer shares storage with this text.
    RichText deepCopy() const;

    TextRange wholeRange() const { return {0, length()}; }
    friend bool operator==(const RichText& a, const RichText& b);

private:
    class Data;
    QSharedDataPointer<Data> d;

    TextRange clip(TextRange range) const;
    template <typename Edit>
    void editAttributes(TextRange range, Edit edit);
};

}  // namespace fendle

#include <QMetaType>
Q_DECLARE_METATYPE(fendle::RichText)
