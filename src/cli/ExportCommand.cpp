#include "app/print/QtPdfRenderer.h"
#include "cli/CliBox.h"
#include "cli/CliExportSource.h"
#include "cli/CliUiPort.h"
#include "cli/SearchRules.h"
#include "document/SlipChoice.h"
#include "io/ExportEncodings.h"
#include "io/SlipExporter.h"

#include <QHash>
#include <algorithm>

namespace fendle::cli {

namespace {
const QString Synopsis = QStringLiteral(
    "export BOX OUT [--what current|results|all|flagged] [--search RULES] [--parts keywords,source,type,scents] "
    "[--format rtf|txt|pdf] [--encoding N] [--separate [--titles]] [--page-break]");
const QString What = QStringLiteral("--what"), Search = QStringLiteral("--search"), Parts = QStringLiteral("--parts"),
              Format = QStringLiteral("--format"), Encoding = QStringLiteral("--encoding"),
              Separate = QStringLiteral("--separate"), Titles = QStringLiteral("--titles"),
              PageBreak = QStringLiteral("--page-break");

std::nullopt_t refuse(Io& io, const QString& message) {
    fail(io, message);
    return std::nullopt;
}

// The options as the export dialogue would hold them; nullopt after a message.
std::optional<ExportOptions> exportOptions(const Arguments& arguments, Io& io) {
    static const QHash<QString, PrintWhat> whats{{"current", PrintWhat::Current},
                                                 {"results", PrintWhat::SearchResults},
                                                 {"all", PrintWhat::All},
                                                 {"flagged", PrintWhat::Flagged}};
    static const QHash<QString, ExportFormat> formats{
        {"rtf", ExportFormat::Rtf}, {"txt", ExportFormat::PlainText}, {"pdf", ExportFormat::Pdf}};
    ExportOptions options;
    const QString what = arguments.has(What) ? arguments.value(What) : arguments.has(Search) ? "results" : "all";
    const QString format = arguments.has(Format) ? arguments.value(Format) : QStringLiteral("rtf");
    if (!whats.contains(what)) return refuse(io, QStringLiteral("unknown --what %1").arg(what));
    if (!formats.contains(format)) return refuse(io, QStringLiteral("unknown --format %1").arg(format));
    options.what = whats.value(what);
    options.format = formats.value(format);
    if (arguments.has(Search) != (options.what == PrintWhat::SearchResults))
        return refuse(io, QStringLiteral("--what results and --search RULES go together"));
    if (arguments.has(Parts)) {
        options.parts = {};
        for (const QString& part : arguments.value(Parts).split(u',', Qt::SkipEmptyParts)) {
            bool SlipExportString::Parts::*field = part == u"keywords" ? &SlipExportString::Parts::keywords
                                                 : part == u"source"   ? &SlipExportString::Parts::source
                                                 : part == u"type"     ? &SlipExportString::Parts::type
                                                 : part == u"scents"   ? &SlipExportString::Parts::scents
                                                                       : nullptr;
            if (!field) return refuse(io, QStringLiteral("unknown part %1").arg(part));
            options.parts.*field = true;
        }
    }
    if (arguments.has(Encoding)) {
        bool numeric = false;
        options.encoding = arguments.value(Encoding).toInt(&numeric);
        if (!numeric || !ExportEncodings::numbers().contains(options.encoding))
            return refuse(io, QStringLiteral("unknown encoding %1").arg(arguments.value(Encoding)));
        if (options.format != ExportFormat::PlainText)
            return refuse(io, QStringLiteral("--encoding goes with --format txt"));
    }
    options.separateFiles = arguments.has(Separate);
    options.useTitles = arguments.has(Titles);
    options.pageBreak = arguments.has(PageBreak);
    if (options.useTitles && !options.separateFiles)
        return refuse(io, QStringLiteral("--titles goes with --separate"));
    if (options.pageBreak && options.separateFiles)
        return refuse(io, QStringLiteral("--page-break and --separate exclude each other"));
    return options;
}

QStringList resultKeys(const BoxData& box, const QVariantList& rules) {
    QList<SlipPtr> slips = searchBox(box, rules);
    std::sort(slips.begin(), slips.end(), [](const SlipPtr& a, const SlipPtr& b) { return a->slipID() < b->slipID(); });
    QStringList keys;
    for (const SlipPtr& slip : slips) keys.append(slip->key());
    return keys;
}

int run(const Arguments& arguments, Io& io) {
    if (!expectArguments(arguments, io, 2, {What, Search, Parts, Format, Encoding, Separate, Titles, PageBreak}, Synopsis))
        return 2;
    const std::optional<ExportOptions> options = exportOptions(arguments, io);
    if (!options) return 2;
    std::optional<QVariantList> rules;
    if (arguments.has(Search) && !(rules = readSearchRules(arguments.value(Search), io))) return 2;
    const QString boxPath = arguments.positional().first();
    const auto loaded = loadBoxForCli(boxPath, io);
    if (!loaded) return 2;
    const BoxData& box = *loaded->box;

    SlipPtr current;
    if (options->what == PrintWhat::Current) {
        const std::optional<QString> key = SlipChoice::lastSlipOpen(boxPath);
        if (!key || !(current = box.slipForKey(*key)))
            return fail(io, QStringLiteral("%1 records no slip shown last").arg(boxPath));
    }
    CliExportSource source(box, boxPath, current, rules ? resultKeys(box, *rules) : QStringList());
    CliUiPort ui(io);
    PrintViewController controller(source, ui, false);
    controller.options() = *options;
    QtPdfRenderer pdf;
    const SlipExporter::Outcome outcome = SlipExporter(controller, ui, pdf).exportToPath(arguments.positional().at(1));
    for (const QString& path : outcome.written) io.out << path << '\n';
    return outcome.failed || ui.alerted() ? 2 : 0;
}

const bool registered = registerCommand({QStringLiteral("export"), Synopsis,
                                         QStringLiteral("write slips to an RTF, plain-text or PDF file, or one file each"),
                                         {What, Search, Parts, Format, Encoding}, run, true});
}  // namespace

}  // namespace fendle::cli
