#include "document/commands/RemoveSlipsCommand.h"

#include "document/Box.h"
#include "document/UndoNames.h"
#include "platform/text/StringValues.h"
#include "platform/ui/UiPort.h"
#include "search/ResultTable.h"

#include <algorithm>

namespace fendle {

namespace names = undo_names;

namespace {
quint32 numberOfKey(const QString& key) { return static_cast<quint32>(intValueOfString(key)); }
}  // namespace

std::optional<QList<SlipPtr>> RemoveSlipsCommand::slipsToRemove(Box& box, BoxTab view, int& selectedRow) {
    const bool trash = box.inTrashMode();
    UiPort& ui = box.ui();
    switch (view) {
    case BoxTab::Search:
        selectedRow = box.selectedSearchResultRows().isEmpty() ? -1 : int(box.selectedSearchResultRows().first());
        if (selectedRow < 0) {
            ui.displayAlert(trash ? QStringLiteral("You have to select a slip to restore first!")
                                  : QStringLiteral("You have to select a slip to remove first!"));
            return std::nullopt;
        }
        return box.slipsSelectedInSearchView();
    case BoxTab::KeywordScent:
        ui.displayAlert(trash ? QStringLiteral("You cannot restore slips in the Keyword Scent View!")
                              : QStringLiteral("You cannot remove slips in the Keyword Scent View!"));
        return std::nullopt;
    case BoxTab::AlternatingScent:
        ui.displayAlert(trash ? QStringLiteral("You cannot restore slips in the Alternating Scent View!")
                              : QStringLiteral("You cannot remove slips in the Alternating Scent View!"));
        return std::nullopt;
    case BoxTab::Slip:
        break;
    }
    if (!box.currentSlip()) return std::nullopt;
    if (!trash) {
        box.storeCurrentSlip();
        box.updateWindow();
    }
    return QList<SlipPtr>{box.currentSlip()};
}

void RemoveSlipsCommand::perform(Box& box) {
    const bool trash = box.inTrashMode();
    // Switching to each removed slip selects the slip view; the choice of
    // the next slip depends on the view the command started in.
    const BoxTab view = box.selectedTab();
    int selectedRow = -1;
    const std::optional<QList<SlipPtr>> targets = slipsToRemove(box, view, selectedRow);
    if (!targets) return;
    const QString actionName = trash ? names::RestoreSlip : names::RemoveSlip;
    QList<Record> records;
    for (const SlipPtr& slip : *targets) {
        if (view == BoxTab::Search) box.changeCurrentSlip(slip, false);
        box.document().putSlipInTrash(slip);
        records.append({slip, nullptr});
    }
    const UiPort::Sound sound = trash ? UiPort::Sound::VolumeMount : UiPort::Sound::DragToTrash;

    bool emptied = false;
    if (box.box().slips().isEmpty()) {
        emptied = true;
        if (trash) {
            box.ui().displayAlert(QStringLiteral("You just restored  the last slip from the trash."),
                                  QStringLiteral("I will switch back to normal mode."));
            box.browseTrash();
            box.markDocumentEdited();
        } else {
            box.ui().displayAlert(QStringLiteral("You just deleted the last slip in this box."),
                                  QStringLiteral("I will create a new, empty slip."));
            // The fresh slip belongs to this removal: its undo takes it away
            // again and its redo makes a new one, so it gets no step of its own.
            box.undoManager().disableUndoRegistration();
            box.addSlip();
            box.undoManager().enableUndoRegistration();
            if (!records.isEmpty()) records.last().replacement = box.currentSlip();
        }
    }
    // Leaving trash mode has dropped all undo steps; none is registered then.
    if (!(emptied && trash)) {
        for (const Record& record : records)
            box.registerStep([&box, record] { undo(box, record); }, actionName);
    }
    if (!emptied) chooseSlipAfterRemoval(box, view, selectedRow);
    box.updateWindow();
    box.ui().playSound(sound);
}

void RemoveSlipsCommand::chooseSlipAfterRemoval(Box& box, BoxTab view, int selectedRow) {
    if (view == BoxTab::Search) {
        box.selectTabViewItemWithLabel(BoxTab::Search);
        box.rerunSearch();
        const int n = static_cast<int>(box.currentSearchResults().count());
        const int row = std::min(selectedRow, n);
        if (n > 0) box.selectSearchResultRows({row == 0 ? 0 : row - 1});
        // The slip shown is the one selected now, never one just removed.
        const QList<SlipPtr> selected = box.slipsSelectedInSearchView();
        if (const SlipPtr next = selected.isEmpty() ? box.box().lastSlip() : selected.first()) {
            box.setCurrentSlip(next);
            box.updateWindowWithoutSlipScent();
        }
        return;
    }
    const SlipPtr current = box.currentSlip();
    if (!current) return;
    // The nearest higher slip if there is one, else the nearest lower.
    QString key = box.box().findNextKey(*current);
    if (numberOfKey(key) <= current->slipID()) key = box.box().findPreviousKey(*current);
    if (SlipPtr next = box.slip(key)) box.changeCurrentSlip(next, false);
}

void RemoveSlipsCommand::undo(Box& box, const Record& record) {
    box.applierStarted();
    box.storeCurrentSlip();
    const SlipPtr slip = record.slip;
    if (record.replacement && box.slip(record.replacement->key()) == record.replacement)
        box.document().deleteSlipForKey(record.replacement->key());
    box.document().restoreSlipFromTrash(slip);
    box.setCurrentSlip(slip);
    box.updateWindow();
    box.rerunSearch();
    box.ui().playSound(UiPort::Sound::VolumeMount);
    box.registerStep([&box, slip] { redo(box, slip); }, box.inTrashMode() ? names::RestoreSlip : names::RemoveSlip);
}

void RemoveSlipsCommand::redo(Box& box, const SlipPtr& slip) {
    box.applierStarted();
    box.setCurrentSlip(slip);
    box.updateWindow();
    // The removal works on the current slip, so it runs in the slip view
    // (where every undo and redo ends up anyway).
    if (box.selectedTab() != BoxTab::Slip) box.selectTabViewItemWithLabel(BoxTab::Slip);
    perform(box);
}

}  // namespace fendle
