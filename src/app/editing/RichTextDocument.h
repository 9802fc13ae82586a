#pragma once
#include "app/editing/TextFormatMapping.h"
#include "platform/richtext/RichText.h"

#include <QUrl>

class QTextBlock;
class QTextCursor;
class QTextDocument;

namespace fendle {

// A RichText shown in a QTextDocument, and read back from it. Document
// positions are text indexes: every paragraph break of the text ("\n", "\r",
// U+2029 and the characters the editor takes for breaks) is one block
// separator, and every attachment one image character whose picture lives
// in the document's resources.
class RichTextDocument {
public:
    static inline const QString AttachmentScheme = QStringLiteral("fendle-attachment");

    explicit RichTextDocument(QTextDocument& document) : document_(document) {}

    TextFormatMapping& mapping() { return mapping_; }
    const TextFormatMapping& mapping() const { return mapping_; }

    // Characters without a font of their own show in this font, at the
    // mapping's scale.
    void setFallbackFont(const FontAttribute& font);
    // Replaces the whole document.
    void setRichText(const RichText& text);
    // Inserts at the cursor, which ends up after the insertion.
    void insert(QTextCursor& cursor, const RichText& text);

    RichText richText() const;
    // A part of the document; a range reaching outside it is clipped.
    RichText richText(TextRange range) const;
    // The number of text characters (the final block's end is not one).
    qsizetype length() const;

    static bool isParagraphBreak(QChar c);

private:
    QTextDocument& document_;
    TextFormatMapping mapping_;
    int imageCount_ = 0;

    void insertAttachment(QTextCursor& cursor, const QTextCharFormat& format, const AttachmentAttribute& attachment);
    void appendBlock(const QTextBlock& block, TextRange range, QString& text, std::vector<RichText::Run>& runs) const;
};

}  // namespace fendle
