#include "document/RtfdPatcher.h"

#include "platform/files/Paths.h"
#include "platform/richtext/RtfdPackage.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace fendle {

QString RtfdPatcher::tempFile() { return Paths::tempRtfdFile(); }

RichText RtfdPatcher::patchRTFDString(const RichText& text, const MessageSink& displayMessage) {
    if (text.isEmpty() || !text.hasAttachments()) return text;
    const QString path = tempFile();
    const QFileInfo existing(path);
    if (existing.exists() || existing.isSymLink()) {
        const bool removed = existing.isDir() && !existing.isSymLink() ? QDir(path).removeRecursively() : QFile::remove(path);
        if (!removed)
            displayMessage(QStringLiteral(
                "Problem deleting Fendle temp file!\n\n(I can show some attachments only as icons now. The data will "
                "stay intact. Please quit the program now and read the \"Unlikely occurrences\" section of the "
                "documentation to correct this problem.)"));
    }
    QDir().mkpath(QFileInfo(path).absolutePath());
    if (!RtfdPackage::write(text, path).ok()) {
        displayMessage(QStringLiteral("Problem during temporary saving content of RTFD String!"));
        return text;
    }
    const Result<RichText> back = RtfdPackage::read(path);
    return back.ok() ? *back : text;
}

}  // namespace fendle
