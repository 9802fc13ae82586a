// The slip text view on long texts: showing a slip, a keystroke going
// through the editor model, reading the whole text back.
#include "WidgetBenchmarkMain.h"
#include "SilentUi.h"
#include "app/editing/SlipTextView.h"
#include "document/Box.h"
#include "platform/ui/Pasteboard.h"

#include <QApplication>
#include <benchmark/benchmark.h>

using namespace fendle;

namespace {

// Paragraphs of mixed runs: plain, bold, coloured, linked, with a paragraph
// style and an attribute the view cannot show.
RichText longText(int paragraphs) {
    Attributes plain;
    plain.set(attr::Font, FontAttribute{QStringLiteral("Helvetica"), QStringLiteral("Helvetica"), 12.0});
    Attributes bold = plain;
    bold.set(attr::Font, FontAttribute{QStringLiteral("Helvetica"), QStringLiteral("Helvetica-Bold"), 12.0, true});
    bold.set(QStringLiteral("NSKern"), 0.5);
    Attributes coloured = plain;
    coloured.set(attr::Color, ColorAttribute::rgb(0.8, 0.1, 0.1));
    Attributes link = plain;
    link.set(attr::Link, LinkAttribute{QStringLiteral("https://example.org/"), true});
    ParagraphStyleAttribute style;
    style.headIndent = 12;
    style.tabStops = {TabStop{TabStop::Type::Left, 36}};
    RichText text;
    for (int p = 0; p < paragraphs; ++p) {
        Attributes paragraph = plain;
        if (p % 3 == 0) paragraph.set(attr::ParagraphStyle, style);
        text.append(QStringLiteral("Paragraph %1 with some plain words, ").arg(p), paragraph);
        text.append(QStringLiteral("a bold part"), bold);
        text.append(QStringLiteral(", a red part and "), coloured);
        text.append(QStringLiteral("a link"), link);
        text.append(QStringLiteral(".\n"), paragraph);
    }
    return text;
}

struct ViewOnSlip {
    bench::SilentUi ui;
    InMemoryPasteboard pasteboard;
    Box doc{ui, pasteboard};
    std::unique_ptr<SlipTextView> view;
    explicit ViewOnSlip(int paragraphs) {
        SlipDictionary dictionary;
        auto slip = Slip::create(1);
        slip->setTextWithoutLastModificationDate(longText(paragraphs));
        dictionary.insert(slip->key(), slip);
        doc.box().setSlips(dictionary, {});
        doc.showFirstSlip(QString());
        view = std::make_unique<SlipTextView>(doc);
    }
};

void BM_ShowEditorText(benchmark::State& state) {
    ViewOnSlip fixture(static_cast<int>(state.range(0)));
    for (auto _ : state) fixture.view->showEditorText();
    state.SetLabel(QStringLiteral("%1 characters").arg(fixture.doc.editor().text().length()).toStdString());
}
BENCHMARK(BM_ShowEditorText)->Arg(10)->Arg(1000)->Unit(benchmark::kMillisecond);

// One typed character in the middle of a long text, and its removal.
void BM_KeystrokeInLongText(benchmark::State& state) {
    ViewOnSlip fixture(static_cast<int>(state.range(0)));
    QTextCursor cursor = fixture.view->textCursor();
    cursor.setPosition(int(fixture.doc.editor().text().length() / 2));
    fixture.view->setTextCursor(cursor);
    for (auto _ : state) {
        fixture.view->insertPlainText(QStringLiteral("x"));
        fixture.view->textCursor().deletePreviousChar();
    }
}
BENCHMARK(BM_KeystrokeInLongText)->Arg(10)->Arg(1000)->Unit(benchmark::kMicrosecond);

void BM_ReadWholeTextBack(benchmark::State& state) {
    ViewOnSlip fixture(static_cast<int>(state.range(0)));
    for (auto _ : state) benchmark::DoNotOptimize(fixture.view->richTextDocument().richText());
}
BENCHMARK(BM_ReadWholeTextBack)->Arg(1000)->Unit(benchmark::kMillisecond);

}  // namespace

FENDLE_WIDGET_BENCHMARK_MAIN()
