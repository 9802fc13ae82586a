#include "platform/richtext/RtfdPackage.h"

#include "platform/files/AtomicFile.h"
#include "platform/richtext/RtfReader.h"
#include "platform/richtext/RtfWriter.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSet>
#include <QUuid>

namespace fendle {
namespace {

const QString TextFileName = QStringLiteral("TXT.rtf");

bool isSafeName(const QString& name) {
    return !name.isEmpty() && !name.contains(u'/') && !name.contains(QChar(0)) && name != u"." && name != u"..";
}

std::optional<QByteArray> readCapped(const QString& path, qsizetype limit) {
    Result<QByteArray> bytes = readWholeFile(path, limit);
    return bytes ? std::optional<QByteArray>(std::move(*bytes)) : std::nullopt;
}

QString packageFolder(const QString& path) {
    const QFileInfo info(path);
    if (info.isDir()) return info.absoluteFilePath();
    if (info.fileName() == TextFileName) return info.absolutePath();
    return {};
}

QString safeBaseName(const QString& fileName) {
    QString name = fileName.section(u'/', -1);
    name.remove(QChar(0));
    for (QChar& c : name)
        if (c.unicode() < 0x20) c = u'_';
    name = name.trimmed();
    if (name.isEmpty() || name.startsWith(u'.')) name.prepend(QStringLiteral("Attachment"));
    return name;
}

bool writeFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() && file.flush();
}

// The attachments in the order their characters stand in the text; the
// package names its files in this same order.
QList<AttachmentAttribute> attachmentsInOrder(const RichText& text) {
    QList<AttachmentAttribute> attachments;
    const QString& s = text.string();
    qsizetype start = 0;
    for (const RichText::Run& run : text.runs()) {
        const std::optional<AttachmentAttribute> attachment = run.attributes.get<AttachmentAttribute>(attr::Attachment);
        for (qsizetype i = start; attachment && i < start + run.length; ++i)
            if (s[i] == AttachmentCharacter) attachments.append(*attachment);
        start += run.length;
    }
    return attachments;
}

}  // namespace

Result<RichText> RtfdPackage::read(const QString& path) {
    const QString folder = packageFolder(path);
    if (folder.isEmpty()) return Result<RichText>::failure(QStringLiteral("%1 is not an RTFD package.").arg(path));
    const std::optional<QByteArray> rtf = readCapped(folder + u'/' + TextFileName, RtfReader::MaximumInputSize);
    if (!rtf) return Result<RichText>::failure(QStringLiteral("The package %1 has no readable TXT.rtf.").arg(path));
    qsizetype total = 0;
    auto loader = [&](const QString& name) -> std::optional<QByteArray> {
        if (!isSafeName(name) || name == TextFileName) return std::nullopt;
        const QFileInfo info(folder + u'/' + name);
        if (info.isSymLink() || !info.isFile() || total + info.size() > MaximumTotalSize) return std::nullopt;
        std::optional<QByteArray> bytes = readCapped(info.filePath(), MaximumAttachmentSize);
        if (bytes) total += bytes->size();
        return bytes;
    };
    return RtfReader::read(*rtf, loader);
}

QStringList RtfdPackage::attachmentFileNames(const RichText& text) {
    QStringList names;
    QSet<QString> taken{TextFileName.toLower()};
    for (const AttachmentAttribute& attachment : attachmentsInOrder(text)) {
        const QString base = safeBaseName(attachment.fileName);
        QString name = base;
        const qsizetype dot = base.lastIndexOf(u'.');
        const QString stem = dot > 0 ? base.left(dot) : base;
        const QString extension = dot > 0 ? base.mid(dot) : QString();
        for (int n = 2; taken.contains(name.toLower()); ++n) name = QStringLiteral("%1 %2%3").arg(stem).arg(n).arg(extension);
        taken.insert(name.toLower());
        names.append(name);
    }
    return names;
}

Status RtfdPackage::write(const RichText& text, const QString& path) {
    const QFileInfo target(path);
    const QString suffix = QUuid::createUuid().toString(QUuid::Id128).left(8);
    const QString staging = QStringLiteral("%1/.%2.new-%3").arg(target.absolutePath(), target.fileName(), suffix);
    const QString previous = QStringLiteral("%1/.%2.old-%3").arg(target.absolutePath(), target.fileName(), suffix);
    if (!QDir().mkpath(staging)) return Status::failure(QStringLiteral("Cannot create %1.").arg(staging));
    auto fail = [&](const QString& message) {
        QDir(staging).removeRecursively();
        return Status::failure(message);
    };

    const QStringList names = attachmentFileNames(text);
    if (!writeFile(staging + u'/' + TextFileName, RtfWriter::writeWithAttachments(text, names)))
        return fail(QStringLiteral("Cannot write the text of %1.").arg(path));
    const QList<AttachmentAttribute> attachments = attachmentsInOrder(text);
    for (qsizetype index = 0; index < attachments.size(); ++index)
        if (!writeFile(staging + u'/' + names[index], attachments[index].contents))
            return fail(QStringLiteral("Cannot write the attachment %1.").arg(names[index]));

    const bool hadPrevious = target.exists();
    if (hadPrevious && !QDir().rename(path, previous)) return fail(QStringLiteral("Cannot replace %1.").arg(path));
    if (!QDir().rename(staging, path)) {
        if (hadPrevious) QDir().rename(previous, path);
        return fail(QStringLiteral("Cannot move the new package to %1.").arg(path));
    }
    if (hadPrevious) {
        if (QFileInfo(previous).isDir()) QDir(previous).removeRecursively();
        else QFile::remove(previous);
    }
    return succeeded();
}

}  // namespace fendle
