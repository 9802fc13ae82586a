#include "fendlelook/PreviewDocument.h"

#include "fendlelook/FendleLookStyle.h"
#include "platform/richtext/RtfWriter.h"

namespace fendle::look {

RichText PreviewDocument::text(const CacheFile& file) {
    Attributes heading;
    heading.set(attr::Font, FendleLookStyle::previewHeadingFont());
    heading.set(attr::Color, FendleLookStyle::headingColor());
    const auto section = [](const std::optional<QString>& value) {
        return QStringLiteral("\n\n%1\n\n").arg(CacheFile::printed(value));
    };

    RichText text;
    text.append(QStringLiteral("TEXT"), heading);
    text.append(section(file.textContent), {});
    text.append(QStringLiteral("KEYWORDS"), heading);
    text.append(section(file.joinedKeywords()), {});
    text.append(QStringLiteral("SOURCE"), heading);
    text.append(section(file.source), {});
    return text;
}

QByteArray PreviewDocument::rtf(const CacheFile& file) { return RtfWriter::write(text(file)); }

}  // namespace fendle::look
