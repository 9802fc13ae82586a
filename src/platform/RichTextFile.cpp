#include "platform/RichTextFile.h"

#include "platform/RtfReader.h"
#include "platform/RtfWriter.h"
#include "platform/RtfdPackage.h"
#include "platform/TextEncoding.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace fendle {
namespace {

SaveResult saveAtomically(const QString& path, const QByteArray& bytes) {
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit())
        return SaveResult::failure(QStringLiteral("The file %1 could not be written.").arg(path));
    return {};
}

QString plainTextFromBytes(const QByteArray& bytes) {
    if (bytes.startsWith("\xFF\xFE") || bytes.startsWith("\xFE\xFF"))
        if (auto text = TextEncoding::decode(bytes, encoding::Unicode)) return *text;
    if (auto text = TextEncoding::decode(bytes, encoding::UTF8)) return *text;
    return TextEncoding::decode(bytes, encoding::WindowsCP1252).value_or(QString());
}

}  // namespace

RichTextResult RichTextFile::read(const QString& path) {
    const QFileInfo info(path);
    if (info.isDir() || (info.fileName() == u"TXT.rtf" && info.absolutePath().endsWith(u".rtfd")))
        return RtfdPackage::read(path);
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return RichTextResult::failure(QStringLiteral("The file %1 could not be opened.").arg(path));
    const qsizetype limit = std::max(RtfReader::MaximumInputSize, MaximumPlainTextSize);
    const QByteArray bytes = file.read(limit + 1);
    if (bytes.size() > limit) return RichTextResult::failure(QStringLiteral("The file %1 is too large.").arg(path));
    if (RtfReader::looksLikeRtf(bytes)) return RtfReader::read(bytes);
    if (bytes.size() > MaximumPlainTextSize)
        return RichTextResult::failure(QStringLiteral("The file %1 is too large.").arg(path));
    return {RichText(plainTextFromBytes(bytes)), {}};
}

SaveResult RichTextFile::writeRtf(const RichText& text, const QString& path) {
    return saveAtomically(path, RtfWriter::write(text));
}

SaveResult RichTextFile::encodePlainText(const QString& text, int encodingNumber, QByteArray* bytes) {
    if (!TextEncoding::isSupported(encodingNumber))
        return SaveResult::failure(QStringLiteral("Unknown text encoding %1.").arg(encodingNumber));
    EncodedText encoded = TextEncoding::encode(text, encodingNumber);
    if (!encoded.isLossless()) {
        const qsizetype at = encoded.unencodable.first();
        const char32_t c = QStringView(text).mid(at).toUcs4().value(0);
        return SaveResult::failure(QStringLiteral("The character U+%1 at %2 cannot be written in %3 (%4 such characters).")
                                       .arg(QString::number(c, 16).toUpper().rightJustified(4, u'0'))
                                       .arg(at)
                                       .arg(TextEncoding::title(encodingNumber))
                                       .arg(encoded.unencodable.size()));
    }
    *bytes = std::move(encoded.bytes);
    return {};
}

SaveResult RichTextFile::writePlainText(const RichText& text, const QString& path, int encodingNumber) {
    QByteArray bytes;
    const SaveResult encoded = encodePlainText(text.string(), encodingNumber, &bytes);
    if (!encoded.ok()) return encoded;
    return saveAtomically(path, bytes);
}

}  // namespace fendle
