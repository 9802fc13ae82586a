#pragma once
#include "platform/richtext/RichText.h"

#include <QBuffer>
#include <QImage>

namespace fendle::test {

inline QByteArray pngBytes(int width, int height, QColor colour = Qt::red) {
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(colour);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return bytes;
}

inline Attributes fontAttributes(const QString& family, double size = 12.0) {
    Attributes a;
    a.set(attr::Font, FontAttribute{family, family, size});
    return a;
}

inline Attributes attachmentAttributes(const QString& name, const QByteArray& bytes) {
    Attributes a;
    a.set(attr::Attachment, AttachmentAttribute{name, bytes});
    return a;
}

inline Attributes opaqueAttributes(const QString& marker) {
    Attributes a = fontAttributes(QStringLiteral("Helvetica"));
    a.set(QStringLiteral("NSShadow"), OpaqueAttribute{QStringLiteral("keyed"), marker.toUtf8()});
    a.set(QStringLiteral("NSKern"), 1.5);
    return a;
}

// Every kind of attribute the text view knows, with values that only an
// exact round trip keeps (colour spaces, face names, link forms), and some
// it does not know at all.
inline RichText everyAttributeText() {
    RichText text;
    const Attributes plain = fontAttributes(QStringLiteral("Helvetica"));
    text.append(QStringLiteral("plain "), plain);

    Attributes styled = plain;
    styled.set(attr::Font, FontAttribute{QStringLiteral("Times"), QStringLiteral("Times-BoldItalic"), 17.5, true, true});
    styled.set(attr::Color, ColorAttribute::cmyk(0.1, 0.2, 0.3, 0.4));
    styled.set(attr::BackgroundColor, ColorAttribute::grey(0.8, 1.0, false));
    styled.set(attr::Underline, std::int64_t(0x209));
    styled.set(attr::Strikethrough, std::int64_t(1));
    text.append(QStringLiteral("styled"), styled);

    Attributes raised = plain;
    raised.set(attr::Superscript, std::int64_t(1));
    raised.set(attr::BaselineOffset, 3.25);
    text.append(QStringLiteral("up"), raised);
    Attributes lowered = plain;
    lowered.set(attr::Superscript, std::int64_t(-2));
    text.append(QStringLiteral("down\r\n"), lowered);

    Attributes link = plain;
    link.set(attr::Link, LinkAttribute{QStringLiteral("fendle://12.self"), false});
    link.set(attr::Color, ColorAttribute::named(QStringLiteral("System"), QStringLiteral("linkColor")));
    text.append(QStringLiteral("a link"), link);

    ParagraphStyleAttribute style;
    style.alignment = ParagraphStyleAttribute::Alignment::Center;
    style.firstLineHeadIndent = 20;
    style.headIndent = 10;
    style.tailIndent = -5;
    style.paragraphSpacing = 6;
    style.paragraphSpacingBefore = 2;
    style.lineHeightMultiple = 1.5;
    style.maximumLineHeight = 40;
    style.defaultTabInterval = 36;
    style.tabStops = {TabStop{TabStop::Type::Left, 28}, TabStop{TabStop::Type::Decimal, 100}};
    Attributes paragraph = plain;
    paragraph.set(attr::ParagraphStyle, style);
    text.append(QStringLiteral("\u2029centred\ttab\rnext"), paragraph);

    text.append(QStringLiteral(" opaque"), opaqueAttributes(QStringLiteral("shadow")));
    Attributes odd = plain;
    odd.set(QStringLiteral("NSToolTip"), QStringLiteral("a tip"));
    odd.set(QStringLiteral("NSLigature"), std::int64_t(0));
    text.append(QStringLiteral(" odd\uFDD0x"), odd);
    return text;
}

}  // namespace fendle::test
