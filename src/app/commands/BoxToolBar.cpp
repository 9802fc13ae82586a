#include "app/commands/BoxToolBar.h"

#include "app/commands/BoxWindowContext.h"
#include "app/commands/SegmentedControl.h"
#include "app/commands/ToolbarState.h"
#include "app/editing/ZoomFactors.h"

#include <QAction>
#include <QComboBox>

namespace fendle {

BoxToolBar::BoxToolBar(QWidget* parent) : QToolBar(QStringLiteral("Toolbar"), parent) {
    setObjectName(QStringLiteral("BoxToolBar"));
    setMovable(false);
    auto control = [this](const QStringList& segments, const QString& label) {
        auto* made = new SegmentedControl(segments, label, this);
        addWidget(made);
        return made;
    };
    saveBoxToolbarControl = control({QStringLiteral("Save")}, QString());
    changeSlipToolbarControl = control({QStringLiteral("\u25C0"), QStringLiteral("\u25B6")}, QStringLiteral("Previous/Next"));
    changeSlipToolbarControl->setSegmentToolTip(0, QStringLiteral("Previous"));
    changeSlipToolbarControl->setSegmentToolTip(1, QStringLiteral("Next"));
    goBackForwardToolbarControl = control({QStringLiteral("\u21E0"), QStringLiteral("\u21E2")}, QStringLiteral("Back/Forward"));
    goBackForwardToolbarControl->setSegmentToolTip(0, QStringLiteral("Go Back"));
    goBackForwardToolbarControl->setSegmentToolTip(1, QStringLiteral("Go Forward"));
    viewSelectorToolbarControl = control({QStringLiteral("Slip"), QStringLiteral("Search"), QStringLiteral("Keyword Scent"),
                                          QStringLiteral("Alternating Scent")},
                                         QStringLiteral("View"));
    viewSelectorToolbarControl->setSegmentsCheckable(true);
    fontCharacteristicsToolbarControl =
        control({QStringLiteral("B"), QStringLiteral("I"), QStringLiteral("U"), QStringLiteral("H")}, QStringLiteral("Style"));
    fontCharacteristicsToolbarControl->setSegmentsCheckable(true);
    zoomToolbarControl = control({QStringLiteral("\u2212"), QStringLiteral("1:1"), QStringLiteral("+")}, QStringLiteral("Zoom"));
    zoomPopUp = new QComboBox(this);
    zoomPopUp->setObjectName(QStringLiteral("zoomPopUp"));
    for (const qint32 factor : ZoomFactors::all()) zoomPopUp->addItem(zoomTitle(factor), factor);
    addWidget(zoomPopUp);
    addSlipToolbarControl = control({QStringLiteral("Add")}, QString());
    addRemoveSlipToolbarControl = control({QStringLiteral("+"), QStringLiteral("\u2212")}, QStringLiteral("Add/Remove"));
    addRemoveSlipToolbarControl->setObjectName(ToolbarState::AddRemoveItemIdentifier);
    splitMergeToolbarControl = control({QStringLiteral("Split"), QStringLiteral("Merge")}, QStringLiteral("Split/Merge"));
    // The inspector comes with a window of its own; until then its control
    // only shows its state.
    openInExtraSlipWindowToolbarControl = control({QStringLiteral("\u29C9")}, QStringLiteral("Extra Window"));
    inspectorToolbarControl = control({QStringLiteral("i")}, QStringLiteral("Inspector"));
    inspectorToolbarControl->setSegmentsCheckable(true);
    addSeparator();
    printItem = addAction(QStringLiteral("Print"));
    trashItem = addAction(QStringLiteral("Trash"));
    preferencesItem = addAction(QStringLiteral("Preferences"));
}

QString BoxToolBar::zoomTitle(qint32 percent) { return QStringLiteral("%1%").arg(percent); }

void BoxToolBar::apply(const ToolbarState& s, const BoxWindowContext& context) {
    saveBoxToolbarControl->setSegmentEnabled(0, s.save);
    changeSlipToolbarControl->setSegmentEnabled(0, s.previous);
    changeSlipToolbarControl->setSegmentEnabled(1, s.next);
    goBackForwardToolbarControl->setSegmentEnabled(0, s.back);
    goBackForwardToolbarControl->setSegmentEnabled(1, s.forward);
    addSlipToolbarControl->setEnabled(s.addSlip);
    addRemoveSlipToolbarControl->setSegmentEnabled(0, s.addSegment);
    addRemoveSlipToolbarControl->setSegmentEnabled(1, s.removeSegment);
    addRemoveSlipToolbarControl->setSegmentImage(1, s.removeImage);
    addRemoveSlipToolbarControl->setSegmentToolTip(1, s.removeToolTip);
    addRemoveSlipToolbarControl->setLabel(s.addRemoveLabel);
    fontCharacteristicsToolbarControl->setEnabled(s.fontCharacteristics);
    splitMergeToolbarControl->setSegmentEnabled(0, s.split);
    splitMergeToolbarControl->setSegmentEnabled(1, s.merge);
    zoomToolbarControl->setEnabled(s.zoom);
    zoomPopUp->setEnabled(s.zoom);
    zoomToolbarControl->setSegmentEnabled(0, s.zoomOut);
    zoomToolbarControl->setSegmentEnabled(2, s.zoomIn);
    openInExtraSlipWindowToolbarControl->setSegmentEnabled(0, s.extraWindow);
    openInExtraSlipWindowToolbarControl->setSegmentToolTip(0, s.extraWindowToolTip);
    inspectorToolbarControl->setSegmentSelected(0, s.inspectorSelected);
    trashItem->setText(s.trashLabel);
    trashItem->setToolTip(s.trashToolTip);
    trashItem->setProperty("imageName", s.trashImage);
    trashItem->setEnabled(ToolbarState::validateToolbarItem(trashItem->text(), context));
    preferencesItem->setEnabled(ToolbarState::validateToolbarItem(preferencesItem->text(), context));
    printItem->setEnabled(ToolbarState::validateToolbarItem(printItem->text(), context));
    showZoomFactor(context.zoomFactor);
}

void BoxToolBar::selectView(int segment) {
    for (int tag = 0; tag < viewSelectorToolbarControl->segmentCount(); ++tag)
        viewSelectorToolbarControl->setSegmentSelected(tag, tag == segment);
}

void BoxToolBar::showZoomFactor(qint32 percent) {
    const int index = zoomPopUp->findData(percent);
    if (index >= 0 && index != zoomPopUp->currentIndex()) {
        const QSignalBlocker quiet(zoomPopUp);
        zoomPopUp->setCurrentIndex(index);
    }
}

}  // namespace fendle
