#include "app/windows/BoxWindow.h"

#include "app/editing/KeywordsField.h"

#include "app/views/AlternatingScentView.h"
#include "app/commands/BoxMenuBar.h"
#include "app/commands/BoxToolBar.h"
#include "app/commands/BoxWindowContext.h"
#include "app/windows/ExtraSlipWindows.h"
#include "app/views/KeywordScentView.h"
#include "app/views/LookUpActions.h"
#include "app/views/ResultTableModel.h"
#include "app/views/ZNOutlineView.h"
#include "app/views/ZNTableView.h"
#include "app/commands/MenuValidation.h"
#include "app/views/SearchView.h"
#include "app/commands/SegmentedControl.h"
#include "app/commands/SlipCommands.h"
#include "app/editing/SlipFields.h"
#include "app/editing/WebPageReader.h"
#include "appcore/FendleApplication.h"
#include "app/dialogs/SlipPrinter.h"
#include "app/views/SlipScentView.h"
#include "app/editing/SlipTextView.h"
#include "app/editing/TextStyling.h"
#include "app/commands/ToolbarState.h"
#include "app/editing/ZoomFactors.h"
#include "document/Box.h"
#include "document/SlipLinkFollower.h"

#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QItemSelectionModel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPointer>
#include <QSplitter>
#include <QTabWidget>
#include <QTextEdit>
#include <QToolButton>
#include <QVBoxLayout>

namespace fendle {

namespace {

const QStringList& tabLabels() {
    static const QStringList labels{Box::SlipTab, Box::SearchTab, Box::KeywordScentTab, Box::AlternatingScentTab};
    return labels;
}

// Menu commands that are one operation of the box.
const QHash<QString, void (Box::*)()>& boxCommands() {
    static const QHash<QString, void (Box::*)()> commands{
        {QStringLiteral("Browse Trash"), &Box::browseTrash},
        {QStringLiteral("Add"), &Box::addSlip},
        {QStringLiteral("Remove"), &Box::removeSlip},
        {QStringLiteral("Copy Slip"), &Box::copySlip},
        {QStringLiteral("Paste Slip"), &Box::pasteSlip},
        {QStringLiteral("Clear All Fields"), &Box::clearSlip},
        {QStringLiteral("Split"), &Box::splitSlip},
        {QStringLiteral("Merge"), &Box::mergeSlips},
        {QStringLiteral("Next"), &Box::nextSlip},
        {QStringLiteral("Previous"), &Box::previousSlip},
        {QStringLiteral("First"), &Box::firstSlip},
        {QStringLiteral("Last"), &Box::lastSlip},
        {QStringLiteral("Go Back"), &Box::goBackSlip},
        {QStringLiteral("Go Forward"), &Box::goForwardSlip},
        {QStringLiteral("Go To Slip..."), &Box::goToSlip},
        {QStringLiteral("Random Slip"), &Box::randomSlip},
        {QStringLiteral("Most Recent Slip"), &Box::mostRecentSlip},
        {QStringLiteral("Suggest Slip"), &Box::suggestSlip},
        {QStringLiteral("Edit Slip Template..."), &Box::editSlipTemplate},
        {QStringLiteral("Empty Trash"), &Box::emptyTrash},
    };
    return commands;
}

}  // namespace

BoxWindow::BoxWindow(std::shared_ptr<Box> box, QtUiPort& port, const Pasteboard& pasteboard, const Settings& settings,
                     Host* host, QWidget* parent)
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
    slipCommands_ = std::make_unique<SlipCommands>(*box_, port_, *this,
                                                   [this](const std::function<void()>& action) { perform(action); });
    extraWindows_ = std::make_unique<ExtraSlipWindows>(*box_, port_, *this,
                                                       [this](const std::function<void()>& action) { perform(action); });
    extraWindows_->setPlainTextFont(settings_.plainTextFont);
    tabs_->addTab(makeSlipTab(), Box::SlipTab);
    tabs_->addTab(searchView_, Box::SearchTab);
    tabs_->addTab(keywordScentView_, Box::KeywordScentTab);
    tabs_->addTab(alternatingScentView_, Box::AlternatingScentTab);
    setCentralWidget(tabs_);
    resize(900, 640);

    port_.setBox(box_.get());
    port_.setWindow(this);
    connectToolbar();
    connectListMenus();
    connectBox();
    connectExtraSlipWindows();
    setUpWindow();
}

BoxWindow::~BoxWindow() {
    // The box may outlive its window (the controller still holds it); the
    // views leave its refresh hooks by themselves.
    port_.setWindow(nullptr);
}

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

void BoxWindow::connectToolbar() {
    BoxToolBar* t = toolBar_;
    auto tagged = [this](SegmentedControl* control, void (Box::*action)(std::optional<int>)) {
        connect(control, &SegmentedControl::segmentClicked, this,
                [this, action](int tag) { perform([&] { (box_.get()->*action)(tag); }); });
    };
    connect(t->saveBoxToolbarControl, &SegmentedControl::segmentClicked, this, [this] { save(); });
    tagged(t->changeSlipToolbarControl, &Box::changeSlipAction);
    tagged(t->goBackForwardToolbarControl, &Box::goBackForwardSlipAction);
    tagged(t->addRemoveSlipToolbarControl, &Box::addRemoveSlipAction);
    tagged(t->splitMergeToolbarControl, &Box::splitMergeSlipAction);
    connect(t->viewSelectorToolbarControl, &SegmentedControl::segmentClicked, this,
            [this](int tag) { perform([&] { box_->selectView(tag); }); });
    connect(t->addSlipToolbarControl, &SegmentedControl::segmentClicked, this,
            [this] { perform([&] { box_->addSlip(); }); });
    connect(t->fontCharacteristicsToolbarControl, &SegmentedControl::segmentClicked, this, [this](int tag) {
        static const QStringList titles{"Bold", "Italic", "Underline", "Highlight"};
        fontCharacteristicsAction(titles.value(tag));
    });
    connect(t->zoomToolbarControl, &SegmentedControl::segmentClicked, this, &BoxWindow::changeZoomFactorAction);
    connect(t->zoomPopUp, qOverload<int>(&QComboBox::activated), this,
            [this](int index) { setZoomToSize(toolBar_->zoomPopUp->itemData(index).toInt()); });
    connect(t->inspectorToolbarControl, &SegmentedControl::segmentClicked, this, [this] {
        if (host_) host_->toggleInspector();
        updateToolbarSegmentedControls();
    });
    connect(t->trashItem, &QAction::triggered, this, [this] { perform([&] { box_->browseTrash(); }); });
    connect(t->preferencesItem, &QAction::triggered, this, [this] {
        if (host_) host_->showPreferences();
    });
    connect(tabs_, &QTabWidget::currentChanged, this, [this](int index) {
        if (selectingTab_ || index < 0 || index >= tabLabels().size()) return;
        perform([&] { box_->selectTabViewItemWithLabel(tabLabels().at(index)); });
    });
    connect(fields_, &SlipFields::fieldEditingEnded, this, [this] { syncFromBox(); });

    menuBar_->run = [this](const QString& command) { runCommand(command); };
    menuBar_->aboutToValidate = [this] {
        MenuValidation::logCurrentSlipConsistency(*box_);
        validationContext_ = context();
    };
    menuBar_->validate = [this](const QString& title) {
        return validationContext_ ? MenuValidation::validateMenuItem(title, *validationContext_) : validateMenuItem(title);
    };
    menuBar_->recentBoxes = [this] { return host_ ? host_->recentBoxes() : QStringList(); };
    menuBar_->openRecent = [this](const QString& path) {
        if (host_) host_->openRecentBox(path);
    };
    menuBar_->clearRecent = [this] {
        if (host_) host_->clearRecentBoxes();
    };
    // The style control follows the focus: it works only in the slip text.
    connect(qApp, &QApplication::focusChanged, this, [this](QWidget*, QWidget* now) {
        if (now && now->window() == this) updateToolbarSegmentedControls();
    });
}

void BoxWindow::connectListMenus() {
    LookUpActions::Ports ports = LookUpActions::desktopPorts();
    openUrl = ports.openUrl;
    desktopSearch = ports.desktopSearch;
    ports.openUrl = [this](const QUrl& url) { return openUrl && openUrl(url); };
    ports.desktopSearch = [this](const QString& query) { return desktopSearch && desktopSearch(query); };
    ports.replaceKeyword = [this](const QString& keyword) { slipCommands_->replaceKeyword(keyword); };
    ports.runCommand = [this](const QString& title) { runCommand(title); };
    ports.perform = [this](const std::function<void()>& action) { perform(action); };
    lookUpActions_ = std::make_unique<LookUpActions>(*box_, port_, std::move(ports));
    searchView_->resultsTable()->setLookUpActions(lookUpActions_.get(), true,
                                                  ResultTableModel::columnOf(QStringLiteral("value")));
    slipScentView_->setLookUpActions(lookUpActions_.get());
    keywordScentView_->outlineView()->setLookUpActions(lookUpActions_.get());
    alternatingScentView_->setLookUpActions(lookUpActions_.get());
}

void BoxWindow::connectBox() {
    // The views join the box's refresh hooks themselves.
    const QPointer<BoxWindow> self(this);
    connect(searchView_, &SearchView::resultSelectionChanged, this, [this] { updateToolbarSegmentedControls(); });
    connect(textView_, &SlipTextView::zoomChanged, this, [this](int percent) { toolBar_->showZoomFactor(percent); });
    connect(textView_, &SlipTextView::textDropped, this, [this] { syncFromBox(); });
    connect(textView_, &SlipTextView::linkClicked, this, &BoxWindow::followLink);
    connect(textView_, &SlipTextView::focusSlipScentsRequested, this,
            [this] { slipScentView_->setFocus(Qt::TabFocusReason); });
    box_->undoManager().addDidUndoOrRedoObserver([self] {
        if (self) self->scheduleSync();
    });
    connect(textView_, &SlipTextView::slipTextSelectionChanged, this, [this] {
        if (host_) host_->slipTextSelectionChanged(*this);
    });
    std::function<void()>& resize = box_->hooks().initiateResizeImage;
    resize = [previous = resize, self] {
        if (previous) previous();
        if (self && self->host_) self->host_->initiateResizeImage(*self);
    };
    connectWebResources();
}

void BoxWindow::connectWebResources() {
    // Hooks already given (by a test, say) are kept.
    BoxHooks& hooks = box_->hooks();
    if (!hooks.mediaTextFromURL) hooks.mediaTextFromURL = &FendleApplication::attachmentFromURL;
    if (!hooks.webPageFromURL) hooks.webPageFromURL = [](const QUrl& url) { return WebPageReader::read(url); };
    if (!hooks.showFetchProgress) {
        hooks.showFetchProgress = [](bool running) {
            if (running)
                QApplication::setOverrideCursor(Qt::BusyCursor);
            else
                QApplication::restoreOverrideCursor();
        };
    }
}

void BoxWindow::connectExtraSlipWindows() {
    extraWindows_->toggleFlagged = [this](const QString& key) { slipCommands_->toggleFlagged(key); };
    connect(extraWindows_.get(), &ExtraSlipWindows::extraSlipWindowsChanged, this, [this] { scheduleSync(); });
    // What the extra-window control offers follows the selected alternating-scent row.
    connect(alternatingScentView_->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            [this] { updateToolbarSegmentedControls(); });
    connect(toolBar_->openInExtraSlipWindowToolbarControl, &SegmentedControl::segmentClicked, this,
            [this] { runCommand(QStringLiteral("Show Selected Slips In Extra Window")); });
    connect(toolBar_->printItem, &QAction::triggered, this, [this] { runCommand(QStringLiteral("Print...")); });
}

void BoxWindow::setUpWindow() {
    selectingTab_ = true;
    tabs_->setCurrentIndex(0);
    selectingTab_ = false;
    toolBar_->selectView(0);
    setZoomToSize(box_->box().currentZoomFactor());
    fields_->sourceSnapBackButton()->hide();
    if (settings_.frame) restoreGeometry(*settings_.frame);
    box_->showFirstSlip(settings_.slipToDisplayWhenOpeningBox);
    syncFromBox();
}

void BoxWindow::setPath(const std::optional<QString>& path) {
    path_ = path;
    box_->setFileName(path);
    if (path) box_->setDisplayName(QFileInfo(*path).fileName());
    box_->updateBoxWindowTitle();
}

void BoxWindow::perform(const std::function<void()>& action) {
    {
        UndoManager::EventScope event(box_->undoManager());
        action();
    }
    syncFromBox();
}

void BoxWindow::scheduleSync() {
    if (syncPending_) return;
    syncPending_ = true;
    QMetaObject::invokeMethod(this, [this] { syncFromBox(); }, Qt::QueuedConnection);
}

void BoxWindow::syncFromBox() {
    syncPending_ = false;
    fields_->showEditorFields();
    fields_->setEditable(box_->editor().isEditable());
    // The text view reloads only when the box changed the text: reloading
    // what the user is typing would move the cursor.
    if (!shownText_ || !(*shownText_ == box_->editor().text())) {
        shownText_ = box_->editor().text();
        textView_->showEditorText();
    }
    const UndoManager& undo = box_->undoManager();
    menuBar_->setUndoTitles(undo.undoActionName(), undo.canUndo(), undo.redoActionName(), undo.canRedo());
    menuBar_->validateAll();
    updateToolbarSegmentedControls();
    // Edits, flags and undo reach the extra windows too, not only the box's refreshes.
    extraWindows_->updateExtraSlipWindowsToCurrentSlipState();
}

BoxWindowContext BoxWindow::context() const {
    BoxWindowContext c = BoxWindowContext::of(*box_, pasteboard_);
    c.slipTextFocused = focusIsIn(textView_);
    c.templateTextFocused = port_.templateWindow() && focusIsIn(port_.templateWindow());
    c.modalWindowUp = QApplication::activeModalWidget() != nullptr;
    c.inspectorVisible = host_ ? host_->inspectorVisible() : settings_.inspectorVisible;
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
    if (const QTextEdit* text = qobject_cast<const QTextEdit*>(textView_); text && c.slipTextFocused) {
        const TextStyling::Segments style = TextStyling::segmentsFor(*text, settings_.highlightColour);
        SegmentedControl* control = toolBar_->fontCharacteristicsToolbarControl;
        control->setSegmentSelected(0, style.bold);
        control->setSegmentSelected(1, style.italic);
        control->setSegmentSelected(2, style.underline);
        control->setSegmentSelected(3, style.highlight);
    }
}

void BoxWindow::runCommand(const QString& command) {
    if (slipCommands_->run(command)) return;
    if (const auto op = boxCommands().constFind(command); op != boxCommands().cend()) {
        perform([&] { (box_.get()->*op.value())(); });
        return;
    }
    static const QStringList views{QStringLiteral("Slip View"), QStringLiteral("Search View"),
                                   QStringLiteral("Keyword Scent View"), QStringLiteral("Alternating Scent View")};
    if (const qsizetype view = views.indexOf(command); view >= 0) {
        perform([&] { box_->selectView(int(view)); });
    } else if (command == QLatin1String("Undo") || command == QLatin1String("Redo")) {
        perform([&] {
            // The edit in progress becomes its own step first, as leaving the field would.
            box_->editor().endEditing();
            if (command == QLatin1String("Undo"))
                box_->undoManager().undo();
            else
                box_->undoManager().redo();
        });
    } else if (TextStyling::commandForTitle(command)) {
        fontCharacteristicsAction(command);
    } else if (command == QLatin1String("Show Selected Slips In Extra Window")) {
        extraWindows_->openSelectedSlipsInExtraWindow();
    } else if (command == QLatin1String("Show Flagged Slips In Extra Window")) {
        extraWindows_->openFlaggedSlipsInExtraWindow();
    } else if (command == QLatin1String("Close All Extra Slip Windows")) {
        extraWindows_->closeAllExtraSlipWindows();
    } else if (command == QLatin1String("Arrange Extra Slip Windows")) {
        extraWindows_->arrangeExtraSlipWindows();
    } else if (command == QLatin1String("Print...")) {
        SlipPrinter::printDocument(*box_, *this);
    } else if (command == QLatin1String("Save")) {
        save();
    } else if (command == QLatin1String("Save As...")) {
        saveAs();
    } else if (command == QLatin1String("Revert To Saved")) {
        revertToSaved();
    } else if (command == QLatin1String("Close")) {
        close();
    } else if (command == QLatin1String("Zoom In")) {
        changeZoomFactorAction(2);
    } else if (command == QLatin1String("Zoom Out")) {
        changeZoomFactorAction(0);
    } else if (command == QLatin1String("Actual Size")) {
        changeZoomFactorAction(1);
    } else if (command == QLatin1String("Cut")) {
        forwardToFocusWidget("cut");
    } else if (command == QLatin1String("Copy")) {
        forwardToFocusWidget("copy");
    } else if (command == QLatin1String("Paste")) {
        forwardToFocusWidget("paste");
    } else if (command == QLatin1String("Select All")) {
        forwardToFocusWidget("selectAll");
    } else if (host_ && command == QLatin1String("New")) {
        host_->newBox();
    } else if (host_ && command == QLatin1String("Open...")) {
        host_->openBox();
    } else if (host_ && command == QLatin1String("Quit")) {
        host_->quit();
    } else if (host_ && command == QLatin1String("Preferences...")) {
        host_->showPreferences();
    }
}

void BoxWindow::forwardToFocusWidget(const char* slot) {
    if (QWidget* focus = QApplication::focusWidget()) QMetaObject::invokeMethod(focus, slot);
}

bool BoxWindow::save() {
    if (!path_) return saveAs();
    return saveTo(*path_, int(Box::SaveKind::Save));
}

bool BoxWindow::saveAs() {
    QString path = QFileDialog::getSaveFileName(this, QStringLiteral("Save As"), path_.value_or(QString()),
                                                QStringLiteral("Fendle boxes (*.fendle)"));
    if (path.isEmpty()) return false;
    if (QFileInfo(path).suffix().isEmpty()) path += QStringLiteral(".fendle");
    return saveTo(path, int(Box::SaveKind::SaveAs));
}

bool BoxWindow::saveTo(const QString& path, int kind) {
    bool ok = false;
    perform([&] { ok = box_->saveDocument(path, Box::DocumentType, Box::SaveKind(kind)); });
    if (!ok) return false;
    if (Box::SaveKind(kind) != Box::SaveKind::SaveTo) {
        setPath(path);
        if (host_) host_->boxSaved(*this, path);
    }
    updateToolbarSegmentedControls();
    return true;
}

void BoxWindow::revertToSaved() {
    if (!path_ || !box_->isDocumentEdited()) return;
    const int answer = port_.askQuestion(
        {UiPort::AlertStyle::Sheet,
         QStringLiteral("Do you want to revert to the most recently saved version of the document \"%1\"?")
             .arg(QFileInfo(*path_).fileName()),
         QStringLiteral("Your current changes will be lost."),
         {QStringLiteral("Revert"), QStringLiteral("Cancel")}});
    if (answer != 0) return;
    perform([&] { box_->revertToContents(*path_, Box::DocumentType); });
}

QTextEdit* BoxWindow::focusedRichText() const {
    if (port_.templateWindow() && focusIsIn(port_.templateWindow())) return port_.templateWindow()->textView();
    return focusIsIn(textView_) ? qobject_cast<QTextEdit*>(textView_) : nullptr;
}

void BoxWindow::fontCharacteristicsAction(const QString& title) {
    const auto command = TextStyling::commandForTitle(title);
    QTextEdit* text = focusedRichText();
    if (!command || !text) return;
    TextStyling::apply(*text, *command, settings_.highlightColour);
    updateToolbarSegmentedControls();
}

void BoxWindow::setZoomToSize(qint32 percent) {
    if (!ZoomFactors::all().contains(percent)) percent = 100;
    // The text view keeps the factor in the box and reports it back to the toolbar.
    textView_->setZoomToSize(percent);
    updateToolbarSegmentedControls();
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
    if (!followed && openUrl) openUrl(QUrl(target));
}

void BoxWindow::setDocFont(const QFont& font) {
    fields_->keywordsField()->setFont(font);
    fields_->sourceField()->setFont(font);
    fields_->typeField()->setFont(font);
    searchView_->previewSource()->setFont(font);
}

void BoxWindow::setDefaultSlipFont(const FontAttribute& font) {
    perform([&] { box_->setDefaultSlipFont(font); });
}

void BoxWindow::retitleMenuItem(const QString& menu, const QString& from, const QString& to) {
    menuBar_->retitle(menu, from, to);
}

void BoxWindow::selectTab(const QString& label) {
    const int index = int(tabLabels().indexOf(label));
    if (index < 0) return;
    selectingTab_ = true;
    tabs_->setCurrentIndex(index);
    selectingTab_ = false;
    toolBar_->selectView(index);
    scheduleSync();
    // The box selects the kept result rows again only after this call.
    if (label == Box::SearchTab)
        QMetaObject::invokeMethod(searchView_, [view = QPointer<SearchView>(searchView_)] {
            if (view) view->refresh();
        }, Qt::QueuedConnection);
}

void BoxWindow::setWindowTitle(const QString& title) { QMainWindow::setWindowTitle(title); }

void BoxWindow::setEditorEditable(bool editable) { fields_->setEditable(editable); }

void BoxWindow::refreshToolbar() {
    updateToolbarSegmentedControls();
    scheduleSync();
}

void BoxWindow::closeExtraSlipWindows() { extraWindows_->closeAllExtraSlipWindows(); }
void BoxWindow::updateExtraSlipWindows() { extraWindows_->updateExtraSlipWindowsToCurrentSlipState(); }

// The box stores the current slip or shows another one: the fields follow.
void BoxWindow::refreshInspector() {
    scheduleSync();
    if (host_) host_->refreshInspector(*this);
}

bool BoxWindow::confirmClose() {
    {
        UndoManager::EventScope event(box_->undoManager());
        box_->editor().endEditing();
    }
    if (!box_->isDocumentEdited()) return true;
    const QString name = path_ ? QFileInfo(*path_).fileName() : QStringLiteral("Untitled");
    const int answer = port_.askQuestion({UiPort::AlertStyle::Sheet,
                                          QStringLiteral("Do you want to save the changes made to the document \"%1\"?").arg(name),
                                          QStringLiteral("Your changes will be lost if you don't save them."),
                                          {QStringLiteral("Save"), QStringLiteral("Don't Save"), QStringLiteral("Cancel")}});
    if (answer == 0) return save();
    return answer == 1;
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
    box_->close();
    event->accept();
    if (host_) host_->boxWindowClosed(*this);
}

}  // namespace fendle
