#pragma once
#include "platform/richtext/TextAttributes.h"

#include <QColor>
#include <QMetaType>
#include <QTextBlockFormat>
#include <QTextCharFormat>
#include <optional>

Q_DECLARE_METATYPE(fendle::Attributes)

namespace fendle {

// Rich-text attributes as text formats and back. Every format also carries
// the attributes it was made from, so reading back gives the very values
// that were shown (colour spaces, face names, opaque values) unless the user
// changed what the format displays; only the changed part is taken from it.
class TextFormatMapping {
public:
    // The attributes a character format was made from.
    static constexpr int OriginalAttributesProperty = QTextFormat::UserProperty + 0x4601;
    // The paragraph-break character a block separator stands for, when not "\n".
    static constexpr int SeparatorProperty = QTextFormat::UserProperty + 0x4602;
    // The paragraph style (as attributes) a block format was made from.
    static constexpr int OriginalParagraphProperty = QTextFormat::UserProperty + 0x4603;

    // Zoom: 1.0 shows the text at its own size.
    void setScale(double scale);
    double scale() const { return scale_; }
    // The font a change of font traits starts from when a character has none.
    void setFallbackFont(const FontAttribute& font) { fallbackFont_ = font; }

    QTextCharFormat charFormat(const Attributes& attributes) const;
    QTextBlockFormat blockFormat(const std::optional<ParagraphStyleAttribute>& style) const;

    // The attributes a character of this format has now. The paragraph style
    // is the one it was made with; see paragraphStyleChange.
    Attributes attributes(const QTextCharFormat& format) const;
    // The style every character of a block takes when the user changed the
    // block's format; none when the block shows what it was made with.
    std::optional<std::optional<ParagraphStyleAttribute>> paragraphStyleChange(const QTextBlockFormat& format) const;

    // Colours as the screen shows them; a picked colour comes back as RGB.
    static QColor toQColor(const ColorAttribute& color);
    static ColorAttribute fromQColor(const QColor& color);

    static Attributes originalAttributes(const QTextFormat& format, int property = OriginalAttributesProperty);

private:
    double scale_ = 1.0;
    FontAttribute fallbackFont_{QStringLiteral("Helvetica"), QStringLiteral("Helvetica"), 12.0};

    void applyFont(const FontAttribute& font, QTextCharFormat& format) const;
    void readFont(const QTextCharFormat& now, const QTextCharFormat& shown, Attributes& result) const;
    void readBaselineOffset(const QTextCharFormat& now, const QTextCharFormat& shown, Attributes& result) const;
};

}  // namespace fendle
