#include "platform/richtext/RichTextFile.h"

#include "platform/files/AtomicFile.h"
#include "platform/richtext/RtfReader.h"
#include "platform/richtext/RtfWriter.h"
#include "platform/richtext/RtfdPackage.h"
#include "platform/text/TextEncoding.h"

#include <QFile>
#include <QFileInfo>

namespace fendle {
namespace {

Status saveAtomically(const QString& path, const QByteArray& bytes) {
    const Status written = writeFileAtomically(path, bytes);
    if (!written) return Status::failure(QStringLiteral("The file %1 could not be written: %2").arg(path, written.error()));
    return succeeded();
}

QString plainTextFromBytes(const QByteArray& bytes) {
    if (bytes.startsWith("\xFF\xFE") || bytes.startsWith("\xFE\xFF"))
        if (auto text = TextEncoding::decode(bytes, encoding::Unicode)) return *text;
    if (auto text = TextEncoding::decode(bytes, encoding::UTF8)) return *text;
    return TextEncoding::decode(bytes, encoding::WindowsCP1252).value_or(QString());
}

}  // namespace

Result<RichText> RichTextFile::read(const QString& path) {
    const QFileInfo info(path);
    if (info.isDir() || (info.fileName() == u"TXT.rtf" && info.absolutePath().endsWith(u".rtfd")))
        return RtfdPackage::read(path);
    const Result<QByteArray> read = readWholeFile(path, std::max(RtfReader::MaximumInputSize, MaximumPlainTextSize));
    if (!read) return Result<RichText>::failure(read.error());
    const QByteArray& bytes = *read;
    if (RtfReader::looksLikeRtf(bytes)) return RtfReader::read(bytes);
    if (bytes.size() > MaximumPlainTextSize)
        return Result<RichText>::failure(QStringLiteral("The file %1 is too large.").arg(path));
    return RichText(plainTextFromBytes(bytes));
}

Status RichTextFile::writeRtf(const RichText& text, const QString& path) {
    return saveAtomically(path, RtfWriter::write(text));
}

Status RichTextFile::encodePlainText(const QString& text, int encodingNumber, QByteArray* bytes) {
    if (!TextEncoding::isSupported(encodingNumber))
        return Status::failure(QStringLiteral("Unknown text encoding %1.").arg(encodingNumber));
    EncodedText encoded = TextEncoding::encode(text, encodingNumber);
    if (!encoded.isLossless()) {
        const qsizetype at = encoded.unencodable.first();
        const char32_t c = QStringView(text).mid(at).toUcs4().value(0);
        return Status::failure(QStringLiteral("The character U+%1 at %2 cannot be written in %3 (%4 such characters).")
                                       .arg(QString::number(c, 16).toUpper().rightJustified(4, u'0'))
                                       .arg(at)
                                       .arg(TextEncoding::title(encodingNumber))
                                       .arg(encoded.unencodable.size()));
    }
    *bytes = std::move(encoded.bytes);
    return succeeded();
}

Status RichTextFile::writePlainText(const RichText& text, const QString& path, int encodingNumber) {
    QByteArray bytes;
    const Status encoded = encodePlainText(text.string(), encodingNumber, &bytes);
    if (!encoded.ok()) return encoded;
    return saveAtomically(path, bytes);
}

}  // namespace fendle
