#include "app/program/FendleGui.h"

#include "app/windows/InfoPanel.h"
#include "app/windows/ExtraSlipWindow.h"
#include "app/windows/ExtraSlipWindows.h"
#include "app/views/KeywordScentView.h"
#include "app/windows/PreferencesWindow.h"
#include "app/views/SearchView.h"
#include "app/editing/TextFormatMapping.h"
#include "appcore/Preferences.h"
#include "appcore/StandardBoxFileCodec.h"
#include "document/Box.h"
#include "platform/system/Defaults.h"

#include <QApplication>
#include <QFileDialog>
#include <QFileInfo>
#include <QFont>
#include <QWindow>
#include <algorithm>

namespace fendle {

namespace {
StandardBoxFileCodec& boxFileCodec() {
    static StandardBoxFileCodec codec;
    return codec;
}
}  // namespace

FendleGui::FendleGui(Defaults& defaults, Preferences& preferences)
    : defaults_(defaults),
      preferences_(preferences),
      controller_(applicationPort_, pasteboard_, preferences, &boxFileCodec()),
      application_(controller_, applicationPort_, preferences, defaults),
      dispatcher_(controller_, application_),
      recent_(defaults) {
    FendleController::Hooks& hooks = controller_.hooks();
    hooks.makeBox = [this] { return makeBox(); };
    hooks.documentOpened = [this](FendleController::Document& document) { documentOpened(document); };
    hooks.recentDocuments = [this] { return recent_.paths(); };
    hooks.runOpenPanel = [this] { openBox(); };
    hooks.bringToFront = [this](Box& box) { bringToFront(box); };
    application_.hooks().makeKeyWindow = [this](Box& box) { bringToFront(box); };
    dispatcher_.openSlipLink = [this](const QString& address) { openSlipLink(address); };
    application_.hooks().inspectorVisible = [this] { return inspectorVisible(); };
    connect(qApp, &QGuiApplication::focusWindowChanged, this, &FendleGui::keyWindowChanged);
}

FendleGui::~FendleGui() {
    for (auto& [box, window] : windows_) delete window.data();
    // The preference set outlives us: it must not call back into what is gone.
    if (preferencesWindow_) {
        preferencesWindow_.reset();
        preferences_.fontChanged = nullptr;
        preferences_.setUiPort(nullptr);
    }
}

BoxPtr FendleGui::makeBox() {
    // Each box gets its own port, so that its sheets land on its window;
    // the box's deleter keeps the port alive exactly as long as the box.
    auto port = std::make_shared<QtUiPort>();
    BoxPtr box(new Box(*port, pasteboard_), [port](Box* made) { delete made; });
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
    settings.highlightColour = TextFormatMapping::toQColor(preferences_.colorForKey(Preferences::HighlightColour));
    settings.inspectorVisible = defaults_.boolForKey(FendleApplication::InspectorVisibleKey);
    settings.plainTextFont = PreferencesWindow::toQFont(preferences_.fontForKey(Preferences::PlainTextFont));
    return settings;
}

void FendleGui::documentOpened(FendleController::Document& document) {
    if (!document.displayed) return;
    const auto found = ports_.find(document.box.get());
    const std::shared_ptr<QtUiPort> port = found == ports_.end() ? nullptr : found->second.lock();
    if (!port) return;
    Box& box = *document.box;
    if (document.path) box.setFileName(document.path);
    auto* window = new BoxWindow(document.box, *port, pasteboard_, windowSettings(), this);
    window->setAttribute(Qt::WA_DeleteOnClose);
    window->setPath(document.path);
    window->searchView()->setColumnDefaults(defaults_, port.get());
    window->extraSlipWindows().setNextExtraWindowPoint(&controller_.nextExtraWindowPoint());
    windows_[&box] = window;
    box.hooks().storeWindowState = [this, window = QPointer<BoxWindow>(window)] {
        if (!window) return;
        defaults_.setObject(WindowFrameKey, QString::fromLatin1(window->saveGeometry().toBase64()));
        defaults_.setObject(KeywordScentView::UseScentPathKey, window->keywordScentView()->useScentPathForSearch());
    };
    box.hooks().synchronizeDefaults = [this] { return defaults_.synchronize().ok(); };
    if (document.path) recent_.note(*document.path);
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

void FendleGui::bringToFront(const Box& box) {
    if (BoxWindow* window = windowOf(box)) {
        window->show();
        window->raise();
        window->activateWindow();
    }
}

void FendleGui::start(const QList<LaunchRequest>& requests) {
    // What the command line names comes first, so that the start-up mode
    // adds its box only when nothing else was opened.
    dispatch(requests);
    application_.applicationWillFinishLaunching();
    application_.applicationDidFinishLaunching();
    // Without any window there would be no way to reach the program.
    if (windows().isEmpty()) controller_.openUntitledDocument(true);
    if (defaults_.boolForKey(FendleApplication::InspectorVisibleKey)) inspector().show();
}

void FendleGui::takeHandOff(const QByteArray& message) {
    const Result<QList<LaunchRequest>> requests = decodeLaunchRequests(message);
    if (!requests) return;
    if (requests->isEmpty()) {
        if (const BoxPtr current = controller_.currentDocument()) bringToFront(*current);
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
    if (BoxWindow* window = windowOf(*box)) {
        UndoManager::EventScope event(box->undoManager());
        box->performChangeCurrentSlip(box->box().slipForKey(link->first), false);
        window->syncFromBox();
    }
}

bool FendleGui::openPath(const QString& path) {
    QString error;
    if (controller_.openDocumentWithContentsOfURL(QUrl::fromLocalFile(path), true, &error)) return true;
    if (!error.isEmpty()) applicationPort_.displayMessage(error);
    return false;
}

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

void FendleGui::boxWindowClosed(BoxWindow& window) {
    const BoxPtr box = window.boxPointer();
    windows_.erase(box.get());
    ports_.erase(box.get());
    controller_.closeDocument(box);
}

InfoPanel& FendleGui::inspector() {
    if (!inspector_) {
        inspector_ = std::make_unique<InfoPanel>(defaults_, [this] { return currentBoxWindow(); });
        inspector_->setKeyExtraWindowSlip([this] { return keyExtraWindowSlip(); });
    }
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
}

bool FendleGui::inspectorVisible() const { return inspector_ && inspector_->isVisible(); }

void FendleGui::refreshInspector(BoxWindow& window) {
    if (inspectorVisible() && currentBoxWindow() == &window) inspector_->update();
}

void FendleGui::showPreferences() {
    if (!preferencesWindow_) {
        preferences_.setUiPort(&applicationPort_);
        preferences_.fontChanged = [this](const QString& key) { preferenceFontChanged(key); };
        preferencesWindow_ = std::make_unique<PreferencesWindow>(preferences_, defaults_);
    }
    preferencesWindow_->showPreferences();
}

void FendleGui::preferenceFontChanged(const QString& key) {
    const FontAttribute font = preferences_.fontForKey(key);
    for (BoxWindow* window : windows()) {
        if (key == Preferences::PlainTextFont)
            window->setDocFont(PreferencesWindow::toQFont(font));
        else
            window->setDefaultSlipFont(font);
    }
}

void FendleGui::quit() {
    for (BoxWindow* window : windows())
        if (!window->close()) return;
    application_.applicationShouldTerminate();
    QApplication::quit();
}

}  // namespace fendle
