#include "document/commands/AddSlipCommand.h"

#include "document/Box.h"
#include "document/SlipServices.h"
#include "document/UndoNames.h"
#include "platform/ui/UiPort.h"

namespace fendle {

namespace names = undo_names;

namespace {
const QString& nameOf(AddSlipCommand::Mode mode) {
    switch (mode) {
    case AddSlipCommand::Mode::Pasted: return names::PasteSlip;
    case AddSlipCommand::Mode::FromRTF: return names::CreateSlipFromRTF;
    case AddSlipCommand::Mode::FromFile: return names::CreateSlipFromFile;
    case AddSlipCommand::Mode::Added: break;
    }
    return names::AddSlip;
}
}  // namespace

void AddSlipCommand::record(Box& box, const Record& record) {
    box.registerStep([&box, record] { undo(box, record); }, nameOf(record.mode));
}

void AddSlipCommand::addNewSlip(Box& box) {
    if (box.inTrashMode()) {
        box.ui().displayAlert(QStringLiteral("You cannot add slips to the Trash!"));
        return;
    }
    const SlipPtr slip = box.document().createSlipWithTemplate();
    slip->setSelectedRanges(box.box().selectedRangesInTemplate());
    const SlipPtr previous = box.currentSlip();
    box.changeCurrentSlip(slip, false);
    if (!box.box().slipTemplate()) box.emptyEditorText();
    record(box, {slip, previous, Mode::Added});
    box.rerunSearch();
}

void AddSlipCommand::addSlip(Box& box, const SlipPtr& slip) {
    if (!slip) return;
    if (box.inTrashMode()) {
        box.ui().displayAlert(QStringLiteral("You cannot paste slips into the Trash!"));
        return;
    }
    box.document().addSlip(slip);
    const SlipPtr previous = box.currentSlip();
    box.changeCurrentSlip(slip, false);
    record(box, {slip, previous, Mode::Pasted});
    box.rerunSearch();
}

void AddSlipCommand::recordCreatedSlip(Box& box, const SlipPtr& slip, const SlipPtr& previous, Mode mode) {
    record(box, {slip, previous, mode});
}

void AddSlipCommand::undo(Box& box, const Record& record) {
    box.applierStarted();
    const SlipPtr slip = record.slip;
    switch (record.mode) {
    case Mode::Added:
        // The same slip, not a fresh one: the steps after the add that redo
        // brings back next (typing, keywords…) are steps on this slip.
        box.registerStep([&box, slip] { refile(box, slip, Mode::Added); }, names::AddSlip);
        break;
    case Mode::Pasted:
        box.registerStep([&box, slip] { addSlip(box, slip); }, names::PasteSlip);
        break;
    case Mode::FromRTF:
        box.registerStep([&box, slip] { refile(box, slip, Mode::FromRTF); }, names::CreateSlipFromRTF);
        break;
    case Mode::FromFile:
        box.registerStep([&box, slip] { createSlipSystemService(box, slip); }, names::CreateSlipFromFile);
        break;
    }
    box.storeCurrentSlip();
    box.document().deleteSlipForKey(slip->key());
    // The slip before may have gone to the trash in the same command; then
    // the step undoing that brings it back.
    if (record.previous && box.slip(record.previous->key()) == record.previous)
        box.setCurrentSlip(record.previous);
    else if (SlipPtr last = box.box().lastSlip())
        box.setCurrentSlip(last);
    box.updateWindow();
    box.rerunSearch();
}

void AddSlipCommand::refile(Box& box, const SlipPtr& slip, Mode mode) {
    box.applierStarted();
    const SlipPtr previous = box.currentSlip();
    box.document().addSlip(slip);
    box.changeCurrentSlip(slip, false);
    record(box, {slip, previous, mode});
    box.rerunSearch();
}

}  // namespace fendle
