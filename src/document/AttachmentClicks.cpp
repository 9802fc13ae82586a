#include "document/AttachmentClicks.h"

#include "document/EditorModel.h"

namespace fendle {

bool AttachmentClicks::looksLikeImage(const QByteArray& contents) {
    static const QByteArray signatures[] = {
        QByteArray("\x89PNG\r\n\x1a\n", 8), QByteArray("\xff\xd8\xff", 3), QByteArray("GIF87a"), QByteArray("GIF89a"),
        QByteArray("II*\0", 4),             QByteArray("MM\0*", 4),        QByteArray("BM"),     QByteArray("%PDF-"),
        QByteArray("\0\0\1\0", 4),          QByteArray("icns"),
    };
    for (const QByteArray& signature : signatures)
        if (contents.startsWith(signature)) return true;
    // HEIF and JPEG 2000 carry their brand after a box length.
    return contents.mid(4, 4) == "ftyp" || contents.startsWith(QByteArray("\0\0\0\x0cjP  ", 8));
}

bool AttachmentClicks::textViewClickedOnCell(qsizetype index) {
    if (index < 0 || index >= editor_.text().length()) return false;
    const auto attachment = editor_.text().attributeAt(attr::Attachment, index);
    const auto* file = attachment ? std::get_if<AttachmentAttribute>(&*attachment) : nullptr;
    if (!file || !looksLikeImage(file->contents)) return false;
    editor_.setSelectedRangesOfSlipText({TextRange{index, 1}});
    return true;
}

bool AttachmentClicks::textViewDoubleClickedOnCell(qsizetype index) {
    return textViewClickedOnCell(index);
}

}  // namespace fendle
