#pragma once
#include "platform/richtext/RichText.h"
#include "platform/system/Result.h"
#include "platform/richtext/RichText.h"

#include <QString>
#include <QStringList>

namespace fendle {

// An RTFD package: a folder with TXT.rtf and one file per attachment.
class RtfdPackage {
public:
    static constexpr qsizetype MaximumAttachmentSize = qsizetype(256) * 1024 * 1024;
    static constexpr qsizetype MaximumTotalSize = qsizetype(1024) * 1024 * 1024;

    // path is the package folder or its TXT.rtf. Attachment files are read
    // only from inside the folder (no links, no path parts); a missing one
    // leaves an attachment with empty contents.
    static Result<RichText> read(const QString& path);

    // Replaces the folder at path as a whole: the new package is complete
    // before the old one goes, so a failed write keeps the old package.
    static Status write(const RichText& text, const QString& path);

    // The file names the attachments of text get in a package, in text
    // order: their own names where safe and unique, otherwise adjusted.
    static QStringList attachmentFileNames(const RichText& text);
};

}  // namespace fendle
