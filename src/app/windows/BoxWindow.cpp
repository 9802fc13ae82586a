#include "app/windows/BoxWindow.h"

#include "app/commands/BoxMenuBar.h"
#include "app/commands/BoxToolBar.h"
#include "app/commands/MenuValidation.h"
#include "app/commands/SegmentedControl.h"
#include "app/commands/SlipCommands.h"
#include "app/commands/ToolbarState.h"
#include "app/dialogs/ExportDialog.h"
#include "app/dialogs/SlipPrinter.h"
#include "app/editing/KeywordsField.h"
#include "app/editing/SlipFields.h"
#include "app/editing/SlipTextView.h"
#include "app/editing/ZoomFactors.h"
#include "app/program/DesktopServices.h"
#include "app/views/AlternatingScentView.h"
#include "app/views/KeywordScentView.h"
#include "app/views/LookUpActions.h"
#include "app/views/ResultTableModel.h"
#include "app/views/SearchView.h"
#include "app/views/SlipScentView.h"
#include "app/views/ZNOutlineView.h"
#include "app/views/ZNTableView.h"
#include "app/windows/ExtraSlipWindows.h"
#include "document/Box.h"
#include "document/SlipLinkFollower.h"

#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QItemSelectionModel>
#include <QLineEdit>
#include <QSplitter>
#include <QTabBar>
#include <QTabWidget>
#include <QTextEdit>
#include <QToolButton>
#include <QVBoxLayout>

namespace fendle {

BoxWindow::BoxWindow(std::shared_ptr<Box> box, QtUiPort& port, const Pasteboard& pasteboard, const Settings& settings,
                     Host& host, QWidget* parent)
    : QMainWindow(parent),
      box_(std::move(box)),
      port_(port),
      pasteboard_(pasteboard),
      settings_(settings),
      host_(host),
      menuBar_(new BoxMenuBar(this)),
      toolBar_(new BoxToolBar(this)),
      tabs_(new QTabWidget(this)) {
    setMenuBar(menuBar_);
    addToolBar(toolBar_);
    textView_ = new SlipTextView(*box_, this);
    textView_->setObjectName(QStringLiteral("slipTextView"));
    fields_ = new SlipFields(*box_, this);
    fields_->setAutoComplete(settings_.autoCompleteKeywords, settings_.autoCompleteSources);
    slipScentView_ = new SlipScentView(*box_, this);
    searchView_ = new SearchView(*box_, this);
    keywordScentView_ = new KeywordScentView(*box_, this);
    alternatingScentView_ = new AlternatingScentView(*box_, this);
    slipCommands_ = std::make_unique<SlipCommands>(*this);
    extraWindows_ = std::make_unique<ExtraSlipWindows>(*box_, port_, *this);
    extraWindows_->setPlainTextFont(settings_.plainTextFont);
    for (const BoxTab tab : AllBoxTabs) {
        QWidget* page = tab == BoxTab::Slip               ? makeSlipTab()
                        : tab == BoxTab::Search           ? static_cast<QWidget*>(searchView_)
                        : tab == BoxTab::KeywordScent     ? static_cast<QWidget*>(keywordScentView_)
                                                          : static_cast<QWidget*>(alternatingScentView_);
        tabs_->addTab(page, tabLabel(tab));
    }
    // The toolbar's view selector chooses the view; a tab bar below it would say the same again.
    tabs_->tabBar()->hide();
    tabs_->setDocumentMode(true);
    setCentralWidget(tabs_);
    resize(900, 640);
    if (settings_.plainTextFont) setDocFont(*settings_.plainTextFont);

    port_.setBox(box_.get());
    port_.setWindow(this);
    connectMenus();
    connectToolbar();
    connectListMenus();
    connectBox();
    setUpWindow();
}

BoxWindow::~BoxWindow() {
    // The box may outlive its window (the controller still holds it).
    port_.setWindow(nullptr);
}

const std::optional<QString>& BoxWindow::path() const { return box_->fileName(); }

QWidget* BoxWindow::makeSlipTab() {
    auto* page = new QWidget(this);
    auto* layout = new QVBoxLayout(page);
    auto* split = new QSplitter(Qt::Horizontal, page);
    split->addWidget(textView_);
    split->addWidget(slipScentView_);
    split->setStretchFactor(0, 3);
    split->setStretchFactor(1, 1);
    // The fields sit above the text: a growing keywords field keeps its
    // place and pushes the text area down.
    layout->addWidget(fields_);
    layout->addWidget(split, 1);
    // Tab leaves the slip text for the keywords; Shift-Tab from the keywords returns.
    setTabOrder(textView_, fields_->keywordsField());
    return page;
}

void BoxWindow::connectMenus() {
    connect(menuBar_, &BoxMenuBar::commandTriggered, this, &BoxWindow::run);
    connect(menuBar_, &BoxMenuBar::aboutToShowMenu, this, [this] {
        menuBar_->setRecentBoxes(host_.recentBoxes());
        validateCommands();
    });
    connect(menuBar_, &BoxMenuBar::openRecentBox, this, [this](const QString& path) { host_.openRecentBox(path); });
    connect(menuBar_, &BoxMenuBar::clearRecentBoxes, this, [this] { host_.clearRecentBoxes(); });
}

void BoxWindow::connectToolbar() {
    BoxToolBar* t = toolBar_;
    // Each segment of a control runs a command of the table.
    const QList<std::pair<SegmentedControl*, QList<Command>>> segments{
        {t->saveBoxToolbarControl, {Command::Save}},
        {t->changeSlipToolbarControl, {Command::Previous, Command::Next}},
        {t->goBackForwardToolbarControl, {Command::GoBack, Command::GoForward}},
        {t->addRemoveSlipToolbarControl, {Command::Add, Command::Remove}},
        {t->splitMergeToolbarControl, {Command::Split, Command::Merge}},
        {t->viewSelectorToolbarControl,
         {Command::SlipView, Command::SearchView, Command::KeywordScentView, Command::AlternatingScentView}},
        {t->addSlipToolbarControl, {Command::Add}},
        {t->fontCharacteristicsToolbarControl, {Command::Bold, Command::Italic, Command::Underline, Command::Highlight}},
        {t->zoomToolbarControl, {Command::ZoomOut, Command::ActualSize, Command::ZoomIn}},
        {t->inspectorToolbarControl, {Command::ShowInspector}},
        {t->openInExtraSlipWindowToolbarControl, {Command::ShowSelectedSlipsInExtraWindow}},
    };
    for (const auto& [control, commands] : segments) {
        for (int tag = 0; tag < commands.size(); ++tag)
            control->setSegmentToolTip(tag, CommandTable::toolTip(commands.at(tag)));
        connect(control, &SegmentedControl::segmentClicked, this, [this, commands = commands](int tag) {
            if (tag < 0 || tag >= commands.size()) {
                port_.beep();
                return;
            }
            run(commands.at(tag));
        });
    }
    connect(t->zoomPopUp, qOverload<int>(&QComboBox::activated), this,
            [this](int index) { setZoomToSize(toolBar_->zoomPopUp->itemData(index).toInt()); });
    connect(t->trashItem, &QAction::triggered, this, [this] { run(Command::BrowseTrash); });
    connect(t->preferencesItem, &QAction::triggered, this, [this] { run(Command::Preferences); });
    connect(t->printItem, &QAction::triggered, this, [this] { run(Command::Print); });
    t->printItem->setToolTip(CommandTable::toolTip(Command::Print));
    t->preferencesItem->setToolTip(CommandTable::toolTip(Command::Preferences));
    connect(tabs_, &QTabWidget::currentChanged, this, [this](int index) {
        const auto tab = tabAtIndex(index);
        if (selectingTab_ || !tab) return;
        perform([&] { box_->selectTabViewItemWithLabel(*tab); });
    });
    // The style control follows the focus and the cursor: it works only in the slip text.
    connect(qApp, &QApplication::focusChanged, this, [this](QWidget*, QWidget* now) {
        if (now && now->window() == this) scheduleValidation();
    });
    connect(textView_, &QTextEdit::currentCharFormatChanged, this, [this] { updateToolbarSegmentedControls(); });
}

void BoxWindow::connectListMenus() {
    lookUpActions_ = std::make_unique<LookUpActions>(*this);
    searchView_->resultsTable()->setLookUpActions(lookUpActions_.get(), true,
                                                  ResultTableModel::columnOf(QStringLiteral("value")));
    slipScentView_->setLookUpActions(lookUpActions_.get());
    keywordScentView_->outlineView()->setLookUpActions(lookUpActions_.get());
    alternatingScentView_->setLookUpActions(lookUpActions_.get());
}

void BoxWindow::connectBox() {
    Box& box = *box_;
    BoxDocument& document = box.document();
    // "[*]": the desktop's mark of unsaved changes, shown while the window is modified.
    connect(&box, &Box::windowTitleChanged, this,
            [this](const QString& title) { setWindowTitle(title + QStringLiteral("[*]")); });
    connect(&box, &Box::tabSelected, this, &BoxWindow::showTab);
    connect(&box, &Box::windowRefreshed, this, [this] {
        scheduleValidation();
        host_.refreshInspector(*this);
    });
    connect(&box, &Box::imageResizeRestored, this, [this] { host_.initiateResizeImage(*this); });
    connect(&document, &BoxDocument::trashModeChanged, menuBar_, &BoxMenuBar::showTrashTitles);
    connect(&document, &BoxDocument::editedChanged, this, &BoxWindow::scheduleValidation);
    connect(&document, &BoxDocument::slipsChanged, this, &BoxWindow::scheduleValidation);
    connect(&document, &BoxDocument::slipChanged, this, [this] { host_.refreshInspector(*this); });
    connect(&document, &BoxDocument::fileNameChanged, this, [this] { host_.refreshInspector(*this); });
    connect(&document, &BoxDocument::keywordScentsRebuilt, this, [this] { host_.refreshInspector(*this); });
    // The inspector's keyword list follows the box's keywords.
    connect(&document, &BoxDocument::keywordsChanged, this, [this] { host_.refreshInspector(*this); });
    const QPointer<BoxWindow> self(this);
    box.undoManager().addDidUndoOrRedoObserver([self] {
        if (self) self->scheduleValidation();
    });
    connect(searchView_, &SearchView::resultSelectionChanged, this, &BoxWindow::scheduleValidation);
    connect(alternatingScentView_->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            &BoxWindow::scheduleValidation);
    connect(extraWindows_.get(), &ExtraSlipWindows::extraSlipWindowsChanged, this, &BoxWindow::scheduleValidation);
    connect(fields_, &SlipFields::fieldEditingEnded, this, &BoxWindow::scheduleValidation);
    // Typing counts as an unsaved change before its undo step exists.
    connect(textView_, &QTextEdit::textChanged, this, &BoxWindow::scheduleValidation);
    connect(textView_, &SlipTextView::zoomChanged, this, [this](int percent) { toolBar_->showZoomFactor(percent); });
    connect(textView_, &SlipTextView::linkClicked, this, &BoxWindow::followLink);
    connect(textView_, &SlipTextView::focusSlipScentsRequested, this,
            [this] { slipScentView_->setFocus(Qt::TabFocusReason); });
    connect(textView_, &SlipTextView::slipTextSelectionChanged, this,
            [this] { host_.slipTextSelectionChanged(*this); });
    connect(textView_, &SlipTextView::imageDoubleClicked, this,
            [this] { host_.showInspectorPage(Host::InspectorPage::ResizeImage); });
}

void BoxWindow::setUpWindow() {
    showTab(BoxTab::Slip);
    setZoomToSize(box_->box().currentZoomFactor());
    fields_->sourceSnapBackButton()->hide();
    if (settings_.frame) restoreGeometry(*settings_.frame);
    keywordScentView_->setUseScentPathForSearch(settings_.useScentPathForSearch);
    menuBar_->showTrashTitles(box_->inTrashMode());
    for (const CommandEntry& entry : CommandTable::entries()) {
        if (!entry.checkable) continue;
        QAction* item = menuBar_->item(entry.command);
        if (entry.command == Command::FloatWindow)
            item->setChecked(host_.windowsFloat());
        else if (!entry.defaultsKey.isEmpty())
            item->setChecked(host_.textCheckingState(entry.defaultsKey));
    }
    box_->showFirstSlip(settings_.slipToDisplayWhenOpeningBox);
    box_->updateBoxWindowTitle();
    setFloating(host_.windowsFloat());
    validateCommands();
}

void BoxWindow::showTab(BoxTab tab) {
    selectingTab_ = true;
    tabs_->setCurrentIndex(tabIndex(tab));
    selectingTab_ = false;
    toolBar_->selectView(tabIndex(tab));
    // A list tab takes the keyboard at once, so arrows, Return and
    // type-ahead work without a click into the list first.
    if (QWidget* list = listOfTab(tab)) list->setFocus(Qt::OtherFocusReason);
    scheduleValidation();
}

QWidget* BoxWindow::listOfTab(BoxTab tab) const {
    switch (tab) {
    case BoxTab::Search: return searchView_->resultsTable();
    case BoxTab::KeywordScent: return keywordScentView_->outlineView();
    case BoxTab::AlternatingScent: return alternatingScentView_;
    case BoxTab::Slip: break;
    }
    return nullptr;
}

void BoxWindow::perform(const std::function<void()>& action) {
    {
        UndoManager::EventScope event(box_->undoManager());
        action();
    }
    scheduleValidation();
}

void BoxWindow::scheduleValidation() {
    if (validationPending_) return;
    validationPending_ = true;
    QMetaObject::invokeMethod(this, [this] { validateCommands(); }, Qt::QueuedConnection);
}

void BoxWindow::validateCommands() {
    validationPending_ = false;
    MenuValidation::logCurrentSlipConsistency(*box_);
    const BoxWindowContext c = context();
    setWindowModified(c.documentEdited);
    menuBar_->validateAll([&c](const QString& title) { return MenuValidation::validateMenuItem(title, c); });
    const UndoManager& undo = box_->undoManager();
    menuBar_->setUndoTitles(undo.undoActionName(), undo.canUndo(), undo.redoActionName(), undo.canRedo());
    updateToolbarSegmentedControls();
}

BoxWindowContext BoxWindow::context() const {
    BoxWindowContext c = BoxWindowContext::of(*box_, pasteboard_);
    c.slipTextFocused = focusIsIn(textView_);
    c.templateTextFocused = port_.templateWindow() && focusIsIn(port_.templateWindow());
    c.modalWindowUp = QApplication::activeModalWidget() != nullptr;
    c.keyWindowIsBox = isActiveWindow();
    c.inspectorVisible = host_.inspectorVisible();
    c.hasExtraSlipWindows = extraWindows_->hasExtraSlipWindows();
    return c;
}

bool BoxWindow::focusIsIn(const QWidget* widget) const {
    const QWidget* focus = QApplication::focusWidget();
    return focus && widget && (focus == widget || widget->isAncestorOf(focus));
}

bool BoxWindow::validateMenuItem(const QString& title) const {
    MenuValidation::logCurrentSlipConsistency(*box_);
    return MenuValidation::validateMenuItem(title, context());
}

void BoxWindow::updateToolbarSegmentedControls() {
    const BoxWindowContext c = context();
    toolBar_->apply(ToolbarState::of(c), c);
    if (c.slipTextFocused) {
        const TextStyling::Segments style = TextStyling::segmentsFor(*textView_, textView_->highlightColour());
        SegmentedControl* control = toolBar_->fontCharacteristicsToolbarControl;
        control->setSegmentSelected(0, style.bold);
        control->setSegmentSelected(1, style.italic);
        control->setSegmentSelected(2, style.underline);
        control->setSegmentSelected(3, style.highlight);
    }
}

void BoxWindow::run(Command command) {
    const CommandEntry& entry = CommandTable::entry(command);
    entry.run(*this);
}

bool BoxWindow::runCommand(const QString& title) {
    const CommandEntry* entry = CommandTable::entryForTitle(title);
    if (!entry) return false;
    run(entry->command);
    return true;
}

void BoxWindow::forwardToFocusWidget(const char* slot) {
    if (QWidget* focus = QApplication::focusWidget()) QMetaObject::invokeMethod(focus, slot);
}

void BoxWindow::undoOrRedo(bool undo) {
    perform([&] {
        // The edit in progress becomes its own step first, as leaving the field would.
        box_->editor().endEditing();
        if (undo)
            box_->undoManager().undo();
        else
            box_->undoManager().redo();
    });
}

void BoxWindow::print() { SlipPrinter::printDocument(*box_, *this); }

void BoxWindow::exportSlips() { ExportDialog::exportSlips(*box_, *this); }

bool BoxWindow::save() {
    if (!path()) return saveAs();
    return saveTo(*path(), BoxDocument::SaveKind::Save);
}

bool BoxWindow::saveAs() {
    QString path = QFileDialog::getSaveFileName(this, QStringLiteral("Save As"), this->path().value_or(QString()),
                                                QStringLiteral("Fendle boxes (*.fendle)"));
    if (path.isEmpty()) return false;
    if (QFileInfo(path).suffix().isEmpty()) path += QStringLiteral(".fendle");
    return saveTo(path, BoxDocument::SaveKind::SaveAs);
}

bool BoxWindow::saveTo(const QString& path, BoxDocument::SaveKind kind) {
    bool ok = false;
    perform([&] { ok = box_->saveDocument(path, BoxDocument::DocumentType, kind); });
    if (ok && kind != BoxDocument::SaveKind::SaveTo) host_.boxSaved(*this, path);
    return ok;
}

void BoxWindow::revertToSaved() {
    if (!path() || !box_->isDocumentEdited()) return;
    const int answer = port_.askQuestion(
        {UiPort::AlertStyle::Sheet,
         QStringLiteral("Do you want to revert to the most recently saved version of the document \"%1\"?")
             .arg(QFileInfo(*path()).fileName()),
         QStringLiteral("Your current changes will be lost."),
         {QStringLiteral("Revert"), QStringLiteral("Cancel")}});
    if (answer != 0) return;
    perform([&] { box_->revertToContents(*path()); });
}

QTextEdit* BoxWindow::focusedRichText() const {
    if (port_.templateWindow() && focusIsIn(port_.templateWindow())) return port_.templateWindow()->textView();
    return focusIsIn(textView_) ? qobject_cast<QTextEdit*>(textView_) : nullptr;
}

void BoxWindow::applyTextStyle(TextStyling::Command command) {
    QTextEdit* text = focusedRichText();
    if (!text) return;
    // In the slip text the highlight is the box's own undoable colour change.
    if (command == TextStyling::Command::Highlight && text == textView_)
        perform([this] { textView_->highlightText(); });
    else
        TextStyling::apply(*text, command, textView_->highlightColour());
    updateToolbarSegmentedControls();
}

void BoxWindow::toggleTextChecking(Command command) {
    const bool on = host_.toggleTextChecking(CommandTable::entry(command).defaultsKey);
    menuBar_->item(command)->setChecked(on);
}

void BoxWindow::setZoomToSize(qint32 percent) {
    if (!ZoomFactors::all().contains(percent)) percent = 100;
    // The text view keeps the factor in the box and reports it back to the toolbar.
    textView_->setZoomToSize(percent);
    scheduleValidation();
}

void BoxWindow::changeZoomFactorAction(int tag) {
    const qint32 now = box_->box().currentZoomFactor();
    switch (tag) {
    case 0: setZoomToSize(ZoomFactors::zoomOut(now)); break;
    case 1: setZoomToSize(100); break;
    case 2: setZoomToSize(ZoomFactors::zoomIn(now)); break;
    default: QApplication::beep(); break;
    }
}

void BoxWindow::followLink(const QString& target) {
    bool followed = false;
    perform([&] { followed = SlipLinkFollower(*box_, port_).textViewClickedOnLink(LinkAttribute{target, true}); });
    if (!followed) host_.desktopServices().openUrl(QUrl(target));
}

void BoxWindow::setDocFont(const QFont& font) {
    fields_->keywordsField()->setFont(font);
    fields_->sourceField()->setFont(font);
    fields_->typeField()->setFont(font);
    searchView_->previewSource()->setFont(font);
    extraWindows_->setPlainTextFont(font);
}

void BoxWindow::setDefaultSlipFont(const FontAttribute& font) {
    perform([&] { box_->setDefaultSlipFont(font); });
}

void BoxWindow::setFloating(bool floating) {
    if (bool(windowFlags() & Qt::WindowStaysOnTopHint) == floating) return;
    const bool visible = isVisible();
    setWindowFlag(Qt::WindowStaysOnTopHint, floating);
    if (visible) show();
    if (QAction* item = menuBar_->item(Command::FloatWindow)) item->setChecked(floating);
}

bool BoxWindow::confirmClose() {
    {
        UndoManager::EventScope event(box_->undoManager());
        box_->editor().endEditing();
    }
    if (!box_->isDocumentEdited()) return true;
    const QString name = path() ? QFileInfo(*path()).fileName() : QStringLiteral("Untitled");
    const int answer = port_.askQuestion({UiPort::AlertStyle::Sheet,
                                          QStringLiteral("Do you want to save the changes made to the document \"%1\"?").arg(name),
                                          QStringLiteral("Your changes will be lost if you don't save them."),
                                          {QStringLiteral("Save"), QStringLiteral("Don't Save"), QStringLiteral("Cancel")}});
    if (answer == 0) return save();
    return answer == 1;
}

bool BoxWindow::event(QEvent* event) {
    // A sheet or dialogue that closed leaves the commands as it found them:
    // while it was up they were disabled.
    if (event->type() == QEvent::WindowUnblocked || event->type() == QEvent::WindowActivate) scheduleValidation();
    return QMainWindow::event(event);
}

void BoxWindow::closeEvent(QCloseEvent* event) {
    if (closed_) {
        event->accept();
        return;
    }
    if (!confirmClose()) {
        event->ignore();
        return;
    }
    closed_ = true;
    box_->windowWillClose();
    host_.storeWindowState(*this);
    event->accept();
    host_.boxWindowClosed(*this);
}

}  // namespace fendle
