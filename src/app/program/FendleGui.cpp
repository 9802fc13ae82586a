#include "app/program/FendleGui.h"

#include "app/commands/BoxMenuBar.h"
#include "app/commands/PlugInsMenu.h"
#include "app/program/ThemeIcons.h"
#include "app/editing/TextFormatMapping.h"
#include "app/views/KeywordScentView.h"
#include "app/views/SearchView.h"
#include "app/windows/ExtraSlipWindow.h"
#include "app/windows/ExtraSlipWindows.h"
#include "app/windows/HelpWindow.h"
#include "app/windows/InfoPanel.h"
#include "app/windows/PlugInsPreferencesPage.h"
#include "app/windows/PreferencesWindow.h"
#include "app/windows/ShortcutEditorWindow.h"
#include "appcore/Preferences.h"
#include "document/Box.h"
#include "platform/system/Defaults.h"
#include "platform/system/Log.h"
#include "plugins/PlugInController.h"

#include <QApplication>
#include <QFileDialog>
#include <QFileInfo>
#include <QFont>
#include <QWindow>
#include <algorithm>

namespace fendle {

FendleGui::FendleGui(Defaults& defaults, Preferences& preferences)
    : defaults_(defaults),
      preferences_(preferences),
      desktopServices_(std::make_unique<DesktopServices>()),
      controller_(applicationPort_, preferences, *this),
      application_(controller_, applicationPort_, preferences, defaults, *this),
      plugIns_(std::make_unique<PlugInController>(applicationPort_, defaults, controller_, preferences)),
      dispatcher_(controller_, application_),
      importer_(controller_, application_, applicationPort_, columnAssignmentsWindow_),
      recent_(defaults) {
    // Whether the last window closing quits is the preference's business.
    QApplication::setQuitOnLastWindowClosed(false);
    ThemeIcons::install();
    connect(qApp, &QGuiApplication::focusWindowChanged, this, &FendleGui::keyWindowChanged);
    connect(&plugIns_->updates(), &PlugInUpdates::restartRequested, this, &FendleGui::relaunch);
}

FendleGui::~FendleGui() {
    for (auto& [box, window] : windows_) delete window.data();
    shortcutEditor_.reset();
    // The preference set outlives us: it must not call back into what is gone.
    if (preferencesWindow_) {
        preferencesWindow_.reset();
        preferences_.fontChanged = nullptr;
        preferences_.setUiPort(nullptr);
    }
}

// ---- boxes and their windows ------------------------------------------------

BoxPtr FendleGui::makeBox() {
    // Each box gets its own port, so that its sheets land on its window;
    // the box's deleter keeps the port alive exactly as long as the box.
    auto port = std::make_shared<QtUiPort>();
    BoxPtr box(new Box(*port, pasteboard_, preferences_, webResources_), [port](Box* made) { delete made; });
    ports_[box.get()] = port;
    return box;
}

BoxWindow::Settings FendleGui::windowSettings() const {
    BoxWindow::Settings settings;
    settings.slipToDisplayWhenOpeningBox = defaults_.stringForKey(FendleApplication::SlipToDisplayKey);
    if (preferences_.boolForKey(Preferences::SaveWindowPositionOnExit)) {
        const QString frame = defaults_.stringForKey(WindowFrameKey);
        if (!frame.isEmpty()) settings.frame = QByteArray::fromBase64(frame.toLatin1());
    }
    settings.autoCompleteKeywords = preferences_.boolForKey(Preferences::AutoCompleteKeywords);
    settings.autoCompleteSources = preferences_.boolForKey(Preferences::AutoCompleteSources);
    settings.plainTextFont = PreferencesWindow::toQFont(preferences_.fontForKey(Preferences::PlainTextFont));
    settings.useScentPathForSearch = defaults_.boolForKey(KeywordScentView::UseScentPathKey);
    return settings;
}

void FendleGui::documentOpened(FendleController::Document& document) {
    if (!document.displayed) return;
    const auto found = ports_.find(document.box.get());
    const std::shared_ptr<QtUiPort> port = found == ports_.end() ? nullptr : found->second.lock();
    if (!port) return;
    Box& box = *document.box;
    auto* window = new BoxWindow(document.box, *port, pasteboard_, windowSettings(), *this);
    window->setAttribute(Qt::WA_DeleteOnClose);
    window->searchView()->setColumnDefaults(defaults_, port.get());
    // A column shown or hidden in one window shows so in all of them.
    connect(window->searchView(), &SearchView::columnsChanged, this, [this] {
        for (BoxWindow* open : windows()) open->searchView()->updateResultsTableColumnsVisible();
    });
    window->extraSlipWindows().setNextExtraWindowPoint(&controller_.nextExtraWindowPoint());
    windows_[&box] = window;
    if (document.path) recent_.note(*document.path);
    BoxMenuBar* menus = window->boxMenuBar();
    menus->insertMenuBefore(new PlugInsMenu(*plugIns_, *this, menus), menus->menu(QStringLiteral("Help")));
    plugIns_->startSpotlightTimer(box);
    window->show();
}

BoxWindow* FendleGui::windowOf(const Box& box) const {
    const auto found = windows_.find(&box);
    return found == windows_.end() ? nullptr : found->second.data();
}

QList<BoxWindow*> FendleGui::windows() const {
    QList<BoxWindow*> result;
    for (const auto& [box, window] : windows_)
        if (window) result.append(window);
    return result;
}

void FendleGui::bringToFront(Box& box) {
    if (BoxWindow* window = windowOf(box)) {
        window->show();
        window->raise();
        window->activateWindow();
    }
}

void FendleGui::activate() {
    if (const BoxPtr current = controller_.currentDocument()) bringToFront(*current);
}

void FendleGui::documentClosed(Box& box) {
    // The window of a box the controller let go of (a refused format
    // upgrade, a box reopened from its autosaved copy) closes unasked.
    BoxWindow* window = windowOf(box);
    windows_.erase(&box);
    plugIns_->stopSpotlightTimer(box);
    if (window) {
        window->setAttribute(Qt::WA_DeleteOnClose);
        window->hide();
        window->deleteLater();
    }
}

std::optional<QString> FendleGui::runBackupSavePanel(const QString& proposedName) {
    QFileDialog panel(nullptr, QStringLiteral("Create Backup"));
    panel.setAcceptMode(QFileDialog::AcceptSave);
    panel.setLabelText(QFileDialog::Accept, QStringLiteral("Save As:"));
    panel.setNameFilter(QStringLiteral("Fendle boxes (*.fendle)"));
    panel.setDefaultSuffix(QStringLiteral("fendle"));
    panel.selectFile(proposedName);
    if (panel.exec() != QDialog::Accepted || panel.selectedFiles().isEmpty()) return std::nullopt;
    return panel.selectedFiles().first();
}

void FendleGui::plugInsInstalled() {
    // The new bundle is known to the table at once; switching it on there loads it.
    plugIns_->plugInTable().showPlugInTable();
}

void FendleGui::showPlugInPreferences() {
    showPreferences();
    preferencesWindow_->pages()->setCurrentWidget(plugInsPage_);
}

void FendleGui::showShortcutRecorder() {
    if (!shortcutEditor_) shortcutEditor_ = std::make_unique<ShortcutEditorWindow>(*plugIns_, defaults_);
    shortcutEditor_->showMenuItems();
}

void FendleGui::relaunch() {
    relaunchRequested_ = true;
    quit();
    // A box that would not close keeps the program running, and so no restart.
    if (!windows().isEmpty()) relaunchRequested_ = false;
}

// ---- launch -----------------------------------------------------------------

void FendleGui::start(const QList<LaunchRequest>& requests) {
    // Boxes a program that ended without closing them autosaved come first.
    controller_.reopenAutosavedDocuments();
    // What the command line names comes next, so that the start-up mode
    // adds its box only when nothing else was opened.
    dispatch(requests);
    application_.applicationWillFinishLaunching();
    // After the default box opened; its window then gets its cache timer.
    plugIns_->prepareAndLoadPlugIns();
    application_.applicationDidFinishLaunching();
    if (preferences_.boolForKey(Preferences::CheckForPlugInUpdates))
        plugIns_->updates().checkForPlugInUpdates(PlugInUpdates::Initiator::Application);
    // Without any window there would be no way to reach the program.
    if (windows().isEmpty()) controller_.openUntitledDocument(true);
    if (defaults_.boolForKey(FendleApplication::InspectorVisibleKey)) inspector().show();
    controller_.startAutosaving();
}

void FendleGui::takeHandOff(const QByteArray& message) {
    const Result<QList<LaunchRequest>> requests = decodeLaunchRequests(message);
    if (!requests) return;
    if (requests->isEmpty()) {
        if (windows().isEmpty()) controller_.openUntitledDocument(true);
        activate();
        return;
    }
    dispatch(*requests);
}

int FendleGui::dispatch(const QList<LaunchRequest>& requests) {
    int done = 0;
    for (const LaunchRequest& request : requests) {
        // Files are opened here so that a failure the controller did not
        // report itself reaches the user.
        const bool ok = request.kind == LaunchRequest::Kind::Open ? openPath(request.value) : dispatcher_.dispatch(request);
        if (ok) ++done;
    }
    return done;
}

std::optional<std::pair<QString, QUrl>> FendleGui::parseExternalSlipLink(const QString& address) {
    static const QString scheme = QStringLiteral("fendle://");
    if (!address.startsWith(scheme) || address.endsWith(QLatin1String(".self"))) return std::nullopt;
    const qsizetype separator = address.indexOf(QLatin1String("::"));
    if (separator < 0) return std::nullopt;
    const QString key = address.mid(scheme.size(), separator - scheme.size());
    const QUrl box(address.mid(separator + 2));
    if (key.isEmpty() || !box.isValid()) return std::nullopt;
    return std::make_pair(key, box);
}

void FendleGui::openSlipLink(const QString& address) {
    const auto link = parseExternalSlipLink(address);
    if (!link) return;
    QUrl url = link->second;
    // "file://localhost/..." names a local file too.
    if (url.scheme() == QLatin1String("file") && url.host() == QLatin1String("localhost")) url.setHost(QString());
    const BoxPtr box = controller_.openDocumentWithContentsOfURL(url, true);
    if (!box || !box->box().slipForKeyExists(link->first)) return;
    UndoManager::EventScope event(box->undoManager());
    box->performChangeCurrentSlip(box->box().slipForKey(link->first), false);
}

bool FendleGui::openPath(const QString& path) {
    QString error;
    if (controller_.openDocumentWithContentsOfURL(QUrl::fromLocalFile(path), true, &error)) return true;
    if (!error.isEmpty()) applicationPort_.displayMessage(error);
    return false;
}

// ---- the window's host ------------------------------------------------------

void FendleGui::newBox() { controller_.openUntitledDocument(true); }

void FendleGui::openBox() {
    const QStringList paths = QFileDialog::getOpenFileNames(nullptr, QStringLiteral("Open"), QString(),
                                                            QStringLiteral("Fendle boxes (*.fendle);;All files (*)"));
    for (const QString& path : paths) openPath(path);
}

void FendleGui::openRecentBox(const QString& path) { openPath(path); }

QStringList FendleGui::recentBoxes() const { return recent_.paths(); }

void FendleGui::clearRecentBoxes() { recent_.clear(); }

void FendleGui::boxSaved(BoxWindow& window, const QString& path) {
    controller_.setPathOfDocument(window.box(), path);
    recent_.note(path);
}

void FendleGui::storeWindowState(BoxWindow& window) {
    defaults_.setObject(WindowFrameKey, QString::fromLatin1(window.saveGeometry().toBase64()));
    defaults_.setObject(KeywordScentView::UseScentPathKey, window.keywordScentView()->useScentPathForSearch());
    if (!defaults_.synchronize())
        applicationPort_.showAlert({UiPort::AlertStyle::Modal, QStringLiteral("Problem saving your Preferences to the disk!"),
                                    QStringLiteral("I'll just continue as if nothing happend.")});
}

void FendleGui::boxWindowClosed(BoxWindow& window) {
    const BoxPtr box = window.boxPointer();
    // The cache files are written once more as the box closes.
    plugIns_->boxWillClose(*box);
    windows_.erase(box.get());
    ports_.erase(box.get());
    controller_.closeDocument(box);
    lastWindowMayHaveClosed();
}

void FendleGui::lastWindowMayHaveClosed() {
    if (!windows().isEmpty() || !application_.applicationShouldTerminateAfterLastWindowClosed()) return;
    // Once the closing window is gone.
    QMetaObject::invokeMethod(this, [this] { quit(); }, Qt::QueuedConnection);
}

void FendleGui::quit() {
    for (BoxWindow* window : windows())
        if (!window->close()) return;
    application_.applicationShouldTerminate();
    QApplication::quit();
}

void FendleGui::showPreferences() {
    if (!preferencesWindow_) {
        preferences_.setUiPort(&applicationPort_);
        preferences_.fontChanged = [this](const QString& key) { preferenceFontChanged(key); };
        preferencesWindow_ = std::make_unique<PreferencesWindow>(preferences_, defaults_, *plugIns_);
        plugInsPage_ = new PlugInsPreferencesPage(*plugIns_, defaults_, preferencesWindow_.get());
        preferencesWindow_->addPage(plugInsPage_, PlugInsPreferencesPage::Title);
        connect(preferencesWindow_.get(), &QDialog::finished, this, &FendleGui::preferencesSaved);
    }
    preferencesWindow_->showPreferences();
}

void FendleGui::preferencesSaved() { controller_.startAutosaving(); }

void FendleGui::preferenceFontChanged(const QString& key) {
    const FontAttribute font = preferences_.fontForKey(key);
    for (BoxWindow* window : windows()) {
        if (key == Preferences::PlainTextFont)
            window->setDocFont(PreferencesWindow::toQFont(font));
        else
            window->setDefaultSlipFont(font);
    }
}

bool FendleGui::showDesktopSearch(const QString& query) {
    if (!desktopSearchWindow_) desktopSearchWindow_ = std::make_unique<DesktopSearchWindow>(applicationPort_, *this);
    if (!desktopSearchWindow_->search(query)) return false;
    desktopSearchWindow_->show();
    desktopSearchWindow_->raise();
    desktopSearchWindow_->activateWindow();
    return true;
}

void FendleGui::showHelp() {
    if (!helpWindow_) helpWindow_ = std::make_unique<HelpWindow>();
    helpWindow_->show();
    helpWindow_->raise();
    helpWindow_->activateWindow();
}

bool FendleGui::toggleTextChecking(const QString& defaultsKey) { return application_.toggleMenuItem(defaultsKey); }

bool FendleGui::textCheckingState(const QString& defaultsKey) const {
    return application_.textCheckingState(defaultsKey);
}

void FendleGui::floatWindows() {
    windowsFloat_ = !windowsFloat_;
    for (BoxWindow* window : windows()) window->setFloating(windowsFloat_);
}

// ---- the inspector ----------------------------------------------------------

InfoPanel& FendleGui::inspector() {
    if (!inspector_) inspector_ = std::make_unique<InfoPanel>(defaults_, *this);
    return *inspector_;
}

BoxWindow* FendleGui::windowOfActiveWindow() const {
    QWidget* active = QApplication::activeWindow();
    if (auto* window = qobject_cast<BoxWindow*>(active)) return window;
    if (auto* extra = qobject_cast<ExtraSlipWindow*>(active)) return windowOf(extra->box());
    return nullptr;
}

SlipPtr FendleGui::keyExtraWindowSlip() const {
    auto* extra = qobject_cast<ExtraSlipWindow*>(QApplication::activeWindow());
    return extra ? extra->displayedSlip() : nullptr;
}

void FendleGui::keyWindowChanged() {
    QWidget* active = QApplication::activeWindow();
    if (auto* window = qobject_cast<BoxWindow*>(active)) {
        controller_.setCurrentDocument(window->boxPointer());
        controller_.setKeyExtraWindowBox(nullptr);
    } else if (auto* extra = qobject_cast<ExtraSlipWindow*>(active)) {
        BoxWindow* window = windowOf(extra->box());
        controller_.setKeyExtraWindowBox(window ? window->boxPointer() : nullptr);
    } else if (active) {
        // The inspector or a dialogue: the box last in front stays current.
        return;
    }
    if (inspectorVisible()) {
        inspector_->update();
        inspector_->slipTextSelectionChanged();
    }
}

void FendleGui::slipTextSelectionChanged(BoxWindow& window) {
    if (inspector_ && currentBoxWindow() == &window) inspector_->slipTextSelectionChanged();
}

void FendleGui::initiateResizeImage(BoxWindow& window) {
    if (inspector_ && currentBoxWindow() == &window) inspector_->reopenResizeImage();
}

BoxWindow* FendleGui::currentBoxWindow() const {
    if (BoxWindow* active = windowOfActiveWindow()) lastCurrentWindow_ = active;
    if (!lastCurrentWindow_) {
        const QList<BoxWindow*> open = windows();
        if (!open.isEmpty()) lastCurrentWindow_ = open.last();
    }
    return lastCurrentWindow_.data();
}

void FendleGui::toggleInspector() {
    if (inspectorVisible())
        inspector_->hide();
    else
        inspector().show();
    for (BoxWindow* window : windows()) window->updateToolbarSegmentedControls();
}

void FendleGui::showInspectorPage(InspectorPage page) {
    InfoPanel& panel = inspector();
    panel.show();
    switch (page) {
    case InspectorPage::SavedSearches: panel.showView(InfoPanel::SavedSearchesView); break;
    case InspectorPage::KeywordsList: panel.showView(InfoPanel::KeywordsListView); break;
    case InspectorPage::ResizeImage:
        panel.showView(InfoPanel::ResizeImageViewName);
        panel.reopenResizeImage();
        break;
    }
    panel.raise();
    panel.activateWindow();
}

bool FendleGui::inspectorVisible() const { return inspector_ && inspector_->isVisible(); }

void FendleGui::refreshInspector() {
    if (inspectorVisible()) inspector_->update();
}

void FendleGui::refreshInspector(BoxWindow& window) {
    if (inspectorVisible() && currentBoxWindow() == &window) inspector_->update();
}

}  // namespace fendle
