#pragma once
#include "platform/richtext/RichText.h"

#include <QByteArray>
#include <QStringList>

namespace fendle {

// Writes RichText as RTF in the dialect of the other platform's text system
// (header, font and colour tables, run words, HYPERLINK fields, cp1252 bytes
// as \'hh and other characters as \uN), pure 7-bit ASCII apart from the
// attachment marker of RTFD.
class RtfWriter {
public:
    // Plain RTF: attachments (and their U+FFFC) are left out.
    static QByteArray write(const RichText& text);
    // TXT.rtf of an RTFD package: the i-th attachment of the text is a
    // \NeXTGraphic group naming attachmentFileNames[i].
    static QByteArray writeWithAttachments(const RichText& text, const QStringList& attachmentFileNames);
};

}  // namespace fendle
