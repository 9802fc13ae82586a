#include "cli/CliBox.h"
#include "model/SlipFromRtf.h"

namespace fendle::cli {

namespace {
const QString Synopsis = QStringLiteral("add BOX [--from FILE] [--text T] [--keywords K] [--source S] [--type T]");
const QString From = QStringLiteral("--from");
const QString Text = QStringLiteral("--text");
const QString Keywords = QStringLiteral("--keywords");
const QString Source = QStringLiteral("--source");
const QString Type = QStringLiteral("--type");

// The new slip's text comes from a file (RTF, RTFD or plain text) or from
// --text; nullptr after printing why not.
SlipPtr makeSlip(const Arguments& arguments, Io& io) {
    if (arguments.has(From) && arguments.has(Text)) {
        fail(io, QStringLiteral("give either --from or --text, not both"));
        return nullptr;
    }
    if (!arguments.has(From)) {
        SlipPtr slip = Slip::create();
        if (arguments.has(Text)) slip->setText(RichText(arguments.value(Text)));
        return slip;
    }
    QString error;
    SlipPtr slip = slipWithIDFromRTF(Slip::PlaceholderID, arguments.value(From), &error);
    if (!slip) fail(io, error);
    return slip;
}

int run(const Arguments& arguments, Io& io) {
    if (!expectArguments(arguments, io, 1, {From, Text, Keywords, Source, Type}, Synopsis)) return 2;
    const QString path = arguments.positional().first();
    std::optional<LoadedBox> loaded = loadBoxForCli(path, io);
    if (!loaded) return 2;
    SlipPtr slip = makeSlip(arguments, io);
    if (!slip) return 2;
    if (arguments.has(Keywords)) slip->setKeywordsString(arguments.value(Keywords));
    if (arguments.has(Source)) slip->setSource(arguments.value(Source));
    if (arguments.has(Type)) slip->setSlipType(arguments.value(Type));
    loaded->box->addSlip(slip);
    const int status = saveBoxForCli(*loaded->box, path, io);
    if (status == 0) io.out << slip->key() << '\n';
    return status;
}

const bool registered = registerCommand({QStringLiteral("add"), Synopsis,
                                         QStringLiteral("add a slip (text from an .rtf, .rtfd or .txt file) and print its key"),
                                         {From, Text, Keywords, Source, Type}, run});
}  // namespace

}  // namespace fendle::cli
