#include "app/commands/BoxToolBar.h"

#include "app/commands/BoxWindowContext.h"
#include "app/commands/SegmentedControl.h"
#include "app/commands/ToolbarState.h"
#include "app/editing/ZoomFactors.h"
#include "app/program/ThemeIcons.h"

#include <QAction>
#include <QComboBox>
#include <QLayout>
#include <QEvent>
#include <QStyle>

namespace fendle {

namespace {

// The theme icons of the images the toolbar state names.
QIcon iconForImage(const QString& imageName) {
    if (imageName == QLatin1String("restoreSlipBlack")) return ThemeIcons::icon({"edit-undo", "document-revert"});
    if (imageName == QLatin1String("removeSlipBlack")) return ThemeIcons::icon("list-remove");
    if (imageName == QLatin1String("leaveTrashMode")) return ThemeIcons::icon({"user-trash-full", "user-trash"});
    return ThemeIcons::icon("user-trash");
}

}  // namespace

BoxToolBar::BoxToolBar(QWidget* parent) : QToolBar(QStringLiteral("Toolbar"), parent) {
    setObjectName(QStringLiteral("BoxToolBar"));
    setMovable(false);
    setIconSize(QSize(22, 22));
    // Each segment: its text (shown when the theme lacks the icon) and icon names.
    using Segments = QList<std::pair<QString, QStringList>>;
    auto control = [this](const Segments& segments, const QString& label, bool onToolbar = true) {
        QStringList texts;
        for (const auto& segment : segments) texts.append(segment.first);
        auto* made = new SegmentedControl(texts, label, this);
        for (int tag = 0; tag < segments.size(); ++tag) made->setSegmentIcon(tag, ThemeIcons::icon(segments[tag].second));
        if (onToolbar)
            addWidget(made);
        else
            made->hide();
        return made;
    };
    saveBoxToolbarControl = control({{"Save", {"document-save"}}}, QStringLiteral("Save"));
    addSeparator();
    changeSlipToolbarControl = control({{"\u25C0", {"go-up"}}, {"\u25B6", {"go-down"}}}, QStringLiteral("Previous/Next"));
    goBackForwardToolbarControl = control({{"\u21E0", {"go-previous"}}, {"\u21E2", {"go-next"}}}, QStringLiteral("Back/Forward"));
    addSeparator();
    viewSelectorToolbarControl = control({{"Slip", {"view-pim-notes", "text-x-generic"}},
                                          {"Search", {"edit-find", "system-search"}},
                                          {"Keyword Scent", {"view-list-tree"}},
                                          {"Alternating Scent", {"view-process-tree", "view-list-details"}}},
                                         QStringLiteral("View"));
    viewSelectorToolbarControl->setSegmentsCheckable(true);
    addSeparator();
    fontCharacteristicsToolbarControl = control({{"B", {"format-text-bold"}},
                                                 {"I", {"format-text-italic"}},
                                                 {"U", {"format-text-underline"}},
                                                 {"H", {"draw-highlight", "format-text-color"}}},
                                                QStringLiteral("Style"));
    fontCharacteristicsToolbarControl->setSegmentsCheckable(true);
    zoomToolbarControl = control({{"\u2212", {"zoom-out"}}, {"1:1", {"zoom-original"}}, {"+", {"zoom-in"}}},
                                 QStringLiteral("Zoom"));
    zoomPopUp = new QComboBox(this);
    zoomPopUp->setObjectName(QStringLiteral("zoomPopUp"));
    zoomPopUp->setToolTip(QStringLiteral("Zoom factor of the slip text"));
    for (const qint32 factor : ZoomFactors::all()) zoomPopUp->addItem(zoomTitle(factor), factor);
    addWidget(zoomPopUp);
    addSeparator();
    addSlipToolbarControl = control({{"Add", {"list-add"}}}, QStringLiteral("Add"), false);
    addRemoveSlipToolbarControl = control({{"+", {"list-add"}}, {"\u2212", {"list-remove"}}}, QStringLiteral("Add/Remove"));
    addRemoveSlipToolbarControl->setObjectName(ToolbarState::AddRemoveItemIdentifier);
    splitMergeToolbarControl =
        control({{"Split", {"edit-cut"}}, {"Merge", {"merge", "edit-paste"}}}, QStringLiteral("Split/Merge"));
    addSeparator();
    openInExtraSlipWindowToolbarControl = control({{"\u29C9", {"window-new"}}}, QStringLiteral("Extra Window"));
    inspectorToolbarControl =
        control({{"i", {"document-properties", "dialog-information"}}}, QStringLiteral("Inspector"));
    inspectorToolbarControl->setSegmentsCheckable(true);
    addSeparator();
    printItem = addAction(ThemeIcons::icon("document-print"), QStringLiteral("Print"));
    trashItem = addAction(iconForImage(QStringLiteral("trashMode")), QStringLiteral("Trash"));
    // Checked while the trash is shown: the button says which mode the box is in.
    trashItem->setCheckable(true);
    preferencesItem =
        addAction(ThemeIcons::icon({"preferences-system", "configure", "preferences-other"}), QStringLiteral("Preferences"));
    setToolButtonStyle(Qt::ToolButtonIconOnly);
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
    addRemoveSlipToolbarControl->setSegmentIcon(1, iconForImage(s.removeImage));
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
    trashItem->setIcon(iconForImage(s.trashImage));
    trashItem->setChecked(s.trashImage == QLatin1String("leaveTrashMode"));
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

int BoxToolBar::neededWidth() const {
    const int spacing = layout() ? layout()->spacing() : 0;
    int width = 2 * style()->pixelMetric(QStyle::PM_ToolBarItemMargin, nullptr, this) +
                2 * style()->pixelMetric(QStyle::PM_ToolBarFrameWidth, nullptr, this);
    for (QAction* action : actions()) {
        if (!action->isVisible()) continue;
        const QWidget* item = widgetForAction(action);
        width += (item ? item->sizeHint().width()
                       : style()->pixelMetric(QStyle::PM_ToolBarSeparatorExtent, nullptr, this)) +
                 spacing;
    }
    return width;
}

bool BoxToolBar::event(QEvent* event) {
    if (event->type() == QEvent::Resize || event->type() == QEvent::Show) fitToWidth();
    return QToolBar::event(event);
}

void BoxToolBar::fitToWidth() {
    const bool shown = viewSelectorToolbarControl->textsShown();
    const int withTexts = neededWidth() + (shown ? 0 : viewSelectorToolbarControl->textsExtent());
    // Texts come back only with room to spare, so that the nudge below, or
    // a layout that answers the new width, cannot flip them back and forth.
    constexpr int Hysteresis = 16;
    const bool fits = withTexts + (shown ? 0 : Hysteresis) <= width();
    if (fits == shown || nudging_) return;
    viewSelectorToolbarControl->setTextsShown(fits);
    // The layout placed the items before this resize reached us, by their
    // old sizes, and keeps its overflow button until the toolbar is resized
    // again: a resize there and back places them anew.
    QMetaObject::invokeMethod(
        this,
        [this] {
            nudging_ = true;
            const QSize now = size();
            resize(now + QSize(1, 0));
            resize(now);
            nudging_ = false;
        },
        Qt::QueuedConnection);
}

}  // namespace fendle
