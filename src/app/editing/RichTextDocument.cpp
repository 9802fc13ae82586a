#include "app/editing/RichTextDocument.h"

#include "app/editing/AttachmentImage.h"

#include <QFont>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

namespace fendle {
namespace {

std::optional<ParagraphStyleAttribute> paragraphStyle(const Attributes& attributes) {
    return attributes.get<ParagraphStyleAttribute>(attr::ParagraphStyle);
}

}  // namespace

bool RichTextDocument::isParagraphBreak(QChar c) {
    // The characters the editor turns into block separators.
    return c == u'\n' || c == u'\r' || c == QChar::ParagraphSeparator || c == QChar(0xfdd0) || c == QChar(0xfdd1);
}

qsizetype RichTextDocument::length() const { return std::max(0, document_.characterCount() - 1); }

void RichTextDocument::setFallbackFont(const FontAttribute& font) {
    mapping_.setFallbackFont(font);
    QFont shown(font.family);
    shown.setPointSizeF(std::clamp(font.pointSize > 0 ? font.pointSize : 12.0, 1.0, 1000.0) * mapping_.scale());
    document_.setDefaultFont(shown);
}

void RichTextDocument::setRichText(const RichText& text) {
    document_.clear();
    imageCount_ = 0;
    QTextCursor cursor(&document_);
    Attributes first = text.isEmpty() ? Attributes() : text.attributesAt(0);
    first.remove(attr::Attachment);
    cursor.setBlockFormat(mapping_.blockFormat(paragraphStyle(first)));
    cursor.setBlockCharFormat(mapping_.charFormat(first));
    insert(cursor, text);
}

void RichTextDocument::insert(QTextCursor& cursor, const RichText& text) {
    const QString& string = text.string();
    cursor.beginEditBlock();
    qsizetype index = 0;
    const std::vector<RichText::Run>& runs = text.runs();
    for (std::size_t r = 0; r < runs.size(); ++r) {
        const RichText::Run& run = runs[r];
        const QTextCharFormat format = mapping_.charFormat(run.attributes);
        const std::optional<AttachmentAttribute> attachment =
            run.attributes.get<AttachmentAttribute>(attr::Attachment);
        const qsizetype end = index + run.length;
        qsizetype pending = index;
        const auto flush = [&](qsizetype upTo) {
            if (upTo > pending) cursor.insertText(string.mid(pending, upTo - pending), format);
            pending = upTo + 1;
        };
        for (qsizetype i = index; i < end; ++i) {
            const QChar c = string.at(i);
            if (isParagraphBreak(c)) {
                flush(i);
                QTextCharFormat separator = format;
                separator.clearProperty(QTextFormat::ObjectType);
                if (c != u'\n') separator.setProperty(TextFormatMapping::SeparatorProperty, QString(c));
                // A block is laid out by the style of its first character.
                const bool nextRun = i + 1 == end && r + 1 < runs.size();
                cursor.insertBlock(mapping_.blockFormat(paragraphStyle(nextRun ? runs[r + 1].attributes : run.attributes)),
                                   separator);
            } else if (c == AttachmentCharacter && attachment) {
                flush(i);
                insertAttachment(cursor, format, *attachment);
            }
        }
        flush(end);
        index = end;
    }
    cursor.endEditBlock();
}

void RichTextDocument::insertAttachment(QTextCursor& cursor, const QTextCharFormat& format,
                                        const AttachmentAttribute& attachment) {
    const QImage picture = AttachmentImage::decode(attachment.contents);
    const QImage image = picture.isNull() ? AttachmentImage::fileSymbol(attachment.fileName) : picture;
    const QUrl name(AttachmentScheme + QLatin1Char(':') + QString::number(++imageCount_));
    document_.addResource(QTextDocument::ImageResource, name, image);
    QTextImageFormat imageFormat;
    imageFormat.merge(format);
    imageFormat.setName(name.toString());
    // A picture shows at its display size; a file symbol at its own.
    const QSizeF shown =
        picture.isNull() ? QSizeF(image.size()) : AttachmentImage::displaySize(attachment.contents, picture.size());
    imageFormat.setWidth(shown.width() * mapping_.scale());
    imageFormat.setHeight(shown.height() * mapping_.scale());
    cursor.insertImage(imageFormat);
}

RichText RichTextDocument::richText() const { return richText({0, length()}); }

RichText RichTextDocument::richText(TextRange range) const {
    const qsizetype total = length();
    const qsizetype from = std::clamp<qsizetype>(range.location, 0, total);
    const qsizetype to = std::clamp<qsizetype>(range.location + std::max<qsizetype>(range.length, 0), from, total);
    QString text;
    std::vector<RichText::Run> runs;
    for (QTextBlock block = document_.findBlock(int(from)); block.isValid() && block.position() < to;
         block = block.next())
        appendBlock(block, {from, to - from}, text, runs);
    return RichText::fromRuns(text, std::move(runs));
}

void RichTextDocument::appendBlock(const QTextBlock& block, TextRange range, QString& text,
                                   std::vector<RichText::Run>& runs) const {
    const auto styleChange = mapping_.paragraphStyleChange(block.blockFormat());
    const auto add = [&](const QString& piece, const QTextCharFormat& format, bool isAttachment) {
        Attributes attributes = mapping_.attributes(format);
        if (styleChange && *styleChange)
            attributes.set(attr::ParagraphStyle, **styleChange);
        else if (styleChange)
            attributes.remove(attr::ParagraphStyle);
        // Characters typed next to a picture copy its format, not the picture.
        if (!isAttachment) attributes.remove(attr::Attachment);
        text += piece;
        runs.push_back({piece.size(), std::move(attributes)});
    };
    for (auto it = block.begin(); !it.atEnd(); ++it) {
        const QTextFragment fragment = it.fragment();
        const qsizetype from = std::max<qsizetype>(fragment.position(), range.location);
        const qsizetype to = std::min<qsizetype>(fragment.position() + fragment.length(), range.end());
        if (from >= to) continue;
        const QTextCharFormat format = fragment.charFormat();
        add(fragment.text().mid(from - fragment.position(), to - from), format, format.isImageFormat());
    }
    const QTextBlock next = block.next();
    const qsizetype separator = block.position() + block.length() - 1;
    if (!next.isValid() || !range.contains(separator)) return;
    // The separator's format is the one the next block starts with.
    const QTextCharFormat format = next.charFormat();
    const QString original = format.property(TextFormatMapping::SeparatorProperty).toString();
    add(original.size() == 1 && isParagraphBreak(original.at(0)) ? original : QStringLiteral("\n"), format, false);
}

}  // namespace fendle
