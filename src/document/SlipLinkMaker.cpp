#include "document/SlipLinkMaker.h"

#include "document/Box.h"
#include "document/BoxPreferences.h"
#include "document/commands/ChangeTextRangeCommand.h"
#include "document/SlipLinks.h"
#include "document/UndoNames.h"
#include "platform/text/StringValues.h"
#include "platform/ui/UiPort.h"

namespace fendle {

QString SlipLinkMaker::externalSlipLinkStringForSlipKey(const QString& key) const {
    return sliplinks::externalSlipLinkString(key, box_.document().boxUrlString());
}

void SlipLinkMaker::makeSlipLink() {
    const TextRange selection = box_.editor().selectedRange();
    if (selection.length > 0) {
        const QString selected = box_.editor().text().string().mid(selection.location, selection.length);
        if (intValueOfString(selected) != 0) {
            if (box_.box().slipForKeyExists(selected)) {
                createLinkToSlipWithID(selected);
                return;
            }
            const int answer = box_.ui().askQuestion(
                {UiPort::AlertStyle::Modal,
                 QStringLiteral("There is no slip with this ID in this box. Do you want to enter an ID by hand?"),
                 QString(),
                 {QStringLiteral("OK"), QStringLiteral("Cancel")}});
            if (answer != 0) return;
        }
    }
    box_.beginNumberSheet(Box::NumberSheetPurpose::SlipLink);
}

bool SlipLinkMaker::makeSlipLinkOK(const QString& numberField) {
    const qint32 number = intValueOfString(numberField);
    if (number == 0) return false;
    // A negative number names no slip; it must not wrap round to a large key.
    const QString key = number > 0 ? BoxData::makeKey(static_cast<quint32>(number)) : QString();
    if (key.isEmpty() || !box_.box().slipForKeyExists(key)) {
        box_.ui().displayAlert(QStringLiteral("There is no slip with this ID in this box."),
                         QStringLiteral("Perhaps it is in the Trash?"));
        return false;
    }
    createLinkToSlipWithID(key);
    box_.ui().endNumberSheet();
    return true;
}

void SlipLinkMaker::makeSlipLinkCancel() { box_.ui().endNumberSheet(); }

void SlipLinkMaker::createLinkToSlipWithID(const QString& key) {
    const SlipPtr slip = box_.currentSlip();
    if (!slip) return;
    EditorModel& editor = box_.editor();
    RichText text = editor.text();
    const TextRange selection = editor.selectedRange();
    RichText link;
    if (selection.length > 0) {
        link = text.substring(selection);
    } else {
        // The key in the font of the character before the insertion point;
        // an empty text takes the slip text font.
        Attributes attributes;
        if (text.isEmpty()) {
            attributes.set(attr::Font, box_.preferences().slipTextFont());
        } else if (const auto font = text.attributeAt(attr::Font, selection.location > 0 ? selection.location - 1 : 0)) {
            attributes.set(attr::Font, *font);
        }
        link = RichText(key, attributes);
    }
    link.addAttribute(attr::Link, LinkAttribute{sliplinks::internalSlipLinkString(key), true}, link.wholeRange());
    const RichText replaced = text.substring(selection);
    const QDateTime timeBefore = slip->lastModificationTime();
    text.replace(selection, link);
    editor.setSlipText(text);
    editor.setSelectedRangesOfSlipText({TextRange{selection.location, link.length()}});
    ChangeTextRangeCommand::record(box_, slip, replaced, link, TextRange{selection.location, link.length()}, timeBefore,
                                   undo_names::MakeSlipLink);
    box_.storeCurrentSlip();
}

}  // namespace fendle
