#include "document/SlipServices.h"

#include "document/Box.h"
#include "document/UndoNames.h"
#include "document/commands/AddSlipCommand.h"
#include "document/commands/ChangeTextRangeCommand.h"
#include "platform/ui/UiPort.h"

namespace fendle {

const QStringList& citationCommands() {
    static const QStringList commands{
        "\\citeauthorNP", "\\fullciteauthorNP", "\\shortciteauthorNP", "\\fullciteauthor", "\\shortciteauthor",
        "\\citeauthor",   "\\fullcite",         "\\shortcite",         "\\citeNP",         "\\fullciteNP",
        "\\fullciteA",    "\\shortciteA",       "\\citeyearNP",        "\\citeyear",       "\\nocite",
        "\\nocitemeta",   "\\citeP",            "\\citeA",             "\\cite"};
    return commands;
}

namespace {

struct Citation {
    qsizetype start = 0;
    qsizetype end = 0;  // one past the closing brace
    QString label;
    QString optionalArgument;
};

std::optional<Citation> findCitation(const QString& text) {
    for (const QString& command : citationCommands()) {
        const qsizetype start = text.indexOf(command);
        if (start < 0) continue;
        const qsizetype open = text.indexOf(QLatin1Char('{'), start + command.size());
        const qsizetype close = open < 0 ? -1 : text.indexOf(QLatin1Char('}'), open + 1);
        // An unfinished command is no command: nothing is offered.
        if (close < 0) return std::nullopt;
        Citation citation{start, close + 1, text.mid(open + 1, close - open - 1), QString()};
        const qsizetype afterName = start + command.size();
        if (afterName < open && text.at(afterName) == QLatin1Char('[')) {
            const qsizetype bracket = text.indexOf(QLatin1Char(']'), afterName + 1);
            if (bracket > 0 && bracket < open) citation.optionalArgument = text.mid(afterName + 1, bracket - afterName - 1);
        }
        return citation;
    }
    return std::nullopt;
}

}  // namespace

RichText offerToExtractBibTeXStringFromSlipTextToBeInserted(Slip& slip, UiPort& ui) {
    RichText text = slip.text().value_or(RichText());
    const std::optional<Citation> citation = findCitation(text.string());
    if (!citation) return text;
    const QString commandText = text.string().mid(citation->start, citation->end - citation->start);
    const int answer = ui.askQuestion(
        {UiPort::AlertStyle::Modal,
         QStringLiteral("The text contains a BibTeX command. Do you want to move the label to the Source Field?"),
         QStringLiteral("The command is: %1.").arg(commandText), {QStringLiteral("OK"), QStringLiteral("Cancel")}});
    if (answer != 0) return text;
    slip.setSource(citation->label);
    text.replace(TextRange{citation->start, citation->end - citation->start}, citation->optionalArgument);
    return text;
}

void createSlipSystemService(Box& box, const SlipPtr& slip) {
    if (!slip) return;
    slip->setText(offerToExtractBibTeXStringFromSlipTextToBeInserted(*slip, box.ui()));
    const SlipPtr previous = box.currentSlip();
    box.document().addSlip(slip);
    box.changeCurrentSlip(slip, false);
    AddSlipCommand::recordCreatedSlip(box, slip, previous, AddSlipCommand::Mode::FromFile);
    box.updateWindow();
    box.rerunSearch();
}

void appendTextToSlipSystemService(Box& box, const RichText& text) {
    const SlipPtr slip = box.currentSlip();
    if (!slip) return;
    box.commitPotentialChangesInFieldsAndStoreCurrentSlip();
    const RichText previousText = slip->text().value_or(RichText());
    const QDateTime previousTime = slip->lastModificationTime();
    // The offer looks at the appended text as if it were the slip's.
    Slip scratch(slip->slipID());
    scratch.setText(text);
    RichText appended = offerToExtractBibTeXStringFromSlipTextToBeInserted(scratch, box.ui());
    if (scratch.source()) slip->setSource(scratch.source());
    RichText whole = previousText;
    whole.append(appended);
    slip->setText(whole);
    box.document().slipDidChange(slip);
    ChangeTextRangeCommand::record(box, slip, RichText(), appended, TextRange{previousText.length(), appended.length()},
                                   previousTime, undo_names::AppendToSlipSystemService);
    box.updateWindow();
}

}  // namespace fendle
