#include "cli/CliBox.h"
#include "platform/richtext/RichTextFile.h"
#include "platform/richtext/RtfWriter.h"
#include "platform/richtext/RtfdPackage.h"
#include "platform/text/TextEncoding.h"

#include <QFileInfo>
#include <cstdio>

namespace fendle::cli {

namespace {
const QString Synopsis = QStringLiteral("text BOX KEY [--rtf | --rtfd FOLDER | --txt [--encoding N]]");
const QString Rtf = QStringLiteral("--rtf");
const QString Rtfd = QStringLiteral("--rtfd");
const QString Txt = QStringLiteral("--txt");
const QString Encoding = QStringLiteral("--encoding");

int writeBytes(Io& io, const QByteArray& bytes) {
    io.out.flush();
    if (std::fwrite(bytes.constData(), 1, static_cast<std::size_t>(bytes.size()), stdout) != std::size_t(bytes.size()))
        return fail(io, QStringLiteral("cannot write to standard output"));
    std::fflush(stdout);
    return 0;
}

int writePlainText(const RichText& text, const Arguments& arguments, Io& io) {
    bool numeric = true;
    const int encodingNumber = arguments.has(Encoding) ? arguments.value(Encoding).toInt(&numeric) : encoding::UTF8;
    if (!numeric || !TextEncoding::isSupported(encodingNumber))
        return fail(io, QStringLiteral("unknown encoding %1").arg(arguments.value(Encoding)));
    QByteArray bytes;
    const Status encoded = RichTextFile::encodePlainText(text.string(), encodingNumber, &bytes);
    if (!encoded) return fail(io, encoded.error());
    return writeBytes(io, bytes);
}

int writePackage(const RichText& text, const QString& folder, Io& io) {
    // The package replaces the folder as a whole, so only a package may be replaced.
    const QFileInfo info(folder);
    if (info.exists() && !(info.isDir() && QFileInfo::exists(folder + QStringLiteral("/TXT.rtf"))))
        return fail(io, QStringLiteral("%1 exists and is not an RTFD package").arg(folder));
    const Status written = RtfdPackage::write(text, folder);
    return written ? 0 : fail(io, written.error());
}

int run(const Arguments& arguments, Io& io) {
    if (!expectArguments(arguments, io, 2, {Rtf, Rtfd, Txt, Encoding}, Synopsis)) return 2;
    const int forms = int(arguments.has(Rtf)) + int(arguments.has(Rtfd)) + int(arguments.has(Txt));
    if (forms > 1) return fail(io, QStringLiteral("give one of --rtf, --rtfd and --txt"));
    if (arguments.has(Encoding) && !arguments.has(Txt)) return fail(io, QStringLiteral("--encoding goes with --txt"));
    std::optional<LoadedBox> loaded = loadBoxForCli(arguments.positional().first(), io);
    if (!loaded) return 2;
    const QString key = arguments.positional().at(1);
    SlipPtr slip = loaded->box->slipForKey(key);
    if (!slip) slip = loaded->box->slipInTrashForKey(key);
    if (!slip) return fail(io, QStringLiteral("there is no slip %1").arg(key));
    const RichText text = slip->text().value_or(RichText());
    if (arguments.has(Txt)) return writePlainText(text, arguments, io);
    if (arguments.has(Rtfd)) return writePackage(text, arguments.value(Rtfd), io);
    return writeBytes(io, RtfWriter::write(text));
}

const bool registered = registerCommand({QStringLiteral("text"), Synopsis,
                                         QStringLiteral("write a slip's text as RTF, an RTFD package or plain text"),
                                         {Rtfd, Encoding}, run});
}  // namespace

}  // namespace fendle::cli
