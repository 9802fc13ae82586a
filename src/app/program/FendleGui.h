#pragma once
#include "app/commands/PlugInsMenu.h"
#include "app/dialogs/ColumnAssignmentsWindow.h"
#include "app/program/ClipboardPasteboard.h"
#include "app/program/DesktopServices.h"
#include "app/program/DesktopWebResources.h"
#include "app/program/QtUiPort.h"
#include "app/program/RecentBoxes.h"
#include "app/windows/BoxWindow.h"
#include "app/windows/DesktopSearchWindow.h"
#include "app/windows/InspectorTarget.h"
#include "appcore/FendleApplication.h"
#include "appcore/FendleController.h"
#include "appcore/LaunchDispatcher.h"
#include "appcore/LaunchRequest.h"
#include "io/Importer.h"

#include <QObject>
#include <QPointer>
#include <QUrl>
#include <map>
#include <memory>
#include <optional>
#include <utility>

namespace fendle {

class Defaults;
class ExtraSlipWindow;
class HelpWindow;
class InfoPanel;
class PlugInController;
class PlugInsPreferencesPage;
class Preferences;
class PreferencesWindow;
class ShortcutEditorWindow;

// The running program: the document controller and the application object,
// with the windows and dialogs they work through; one window per box.
// main() makes exactly this, and so do the tests of the assembled program.
class FendleGui : public QObject,
                  public FendleController::Host,
                  public FendleApplication::Host,
                  public BoxWindow::Host,
                  public PlugInsMenu::Host,
                  public DesktopSearchWindow::Host,
                  public InspectorTarget {
    Q_OBJECT
public:
    static inline const QString WindowFrameKey = QStringLiteral("BoxWindowPositionAndSize");

    FendleGui(Defaults& defaults, Preferences& preferences);
    ~FendleGui() override;

    FendleController& controller() { return controller_; }
    FendleApplication& application() { return application_; }
    ClipboardPasteboard& pasteboard() { return pasteboard_; }
    QtUiPort& applicationPort() { return applicationPort_; }
    PlugInController& plugIns() { return *plugIns_; }
    // The window of a box; none when it has none.
    BoxWindow* windowOf(const Box& box) const;
    QList<BoxWindow*> windows() const;
    // Tests watch what leaves the program by putting a recorder here.
    void setDesktopServices(std::unique_ptr<DesktopServices> services) { desktopServices_ = std::move(services); }

    // Launch: autosaved boxes offered back, what the command line asked
    // for, then the start-up mode.
    void start(const QList<LaunchRequest>& requests);
    // A later start handed its requests over.
    void takeHandOff(const QByteArray& message);
    int dispatch(const QList<LaunchRequest>& requests);
    void openSlipLink(const QString& address) override;
    // "fendle://KEY::ADDRESS" → (KEY, ADDRESS); none for internal links and other text.
    static std::optional<std::pair<QString, QUrl>> parseExternalSlipLink(const QString& address);

    // FendleController::Host
    BoxPtr makeBox() override;
    void documentOpened(FendleController::Document& document) override;
    QStringList recentDocuments() const override { return recentBoxes(); }
    void runOpenPanel() override { openBox(); }
    std::optional<QString> runBackupSavePanel(const QString& proposedName) override;
    void bringToFront(Box& box) override;
    void plugInsInstalled() override;
    // The preferences window at its "Plug-ins" page.
    void showPlugInPreferences() override;
    void makeSlipFromFile(const QString& path) override { application_.makeSlipFromFile(path); }
    void refreshInspector() override;
    void documentClosed(Box& box) override;

    // PlugInsMenu::Host
    void showShortcutRecorder() override;

    // "Restart" after plug-in updates: the program quits, and main starts it
    // again with the same arguments once everything is closed.
    void relaunch();
    bool relaunchRequested() const { return relaunchRequested_; }

    // FendleApplication::Host
    void activate() override;
    void makeKeyWindow(Box& box) override { bringToFront(box); }
    bool inspectorVisible() const override;

    // BoxWindow::Host
    void newBox() override;
    void openBox() override;
    void openRecentBox(const QString& path) override;
    void importFile() override { importer_.importFile(); }
    QStringList recentBoxes() const override;
    void clearRecentBoxes() override;
    void boxSaved(BoxWindow& window, const QString& path) override;
    void storeWindowState(BoxWindow& window) override;
    void boxWindowClosed(BoxWindow& window) override;
    void quit() override;
    void showPreferences() override;
    void showHelp() override;
    void toggleInspector() override;
    void showInspectorPage(InspectorPage page) override;
    void refreshInspector(BoxWindow& window) override;
    void slipTextSelectionChanged(BoxWindow& window) override;
    void initiateResizeImage(BoxWindow& window) override;
    bool toggleTextChecking(const QString& defaultsKey) override;
    bool textCheckingState(const QString& defaultsKey) const override;
    void floatWindows() override;
    bool windowsFloat() const override { return windowsFloat_; }
    DesktopServices& desktopServices() override { return *desktopServices_; }
    bool showDesktopSearch(const QString& query) override;

    // DesktopSearchWindow::Host: as when the cache file is handed to the program.
    void openCacheFile(const QString& path) override { openPath(path); }
    // Made on first use; none before.
    DesktopSearchWindow* desktopSearchWindow() const { return desktopSearchWindow_.get(); }

    // InspectorTarget: the box window in front, or the one of the extra
    // slip window in front.
    BoxWindow* currentBoxWindow() const override;
    SlipPtr keyExtraWindowSlip() const override;

    // Made on first use; refers to the front box window.
    InfoPanel& inspector();
    // Another window came to the front: a box window makes its box the
    // current document, an extra slip window makes its box current for the
    // menus and the inspector.
    void keyWindowChanged();
    PreferencesWindow* preferencesWindow() const { return preferencesWindow_.get(); }
    Importer& importer() { return importer_; }
    ColumnAssignmentsWindow& columnAssignmentsWindow() { return columnAssignmentsWindow_; }
    HelpWindow* helpWindow() const { return helpWindow_.get(); }
    PlugInsPreferencesPage* plugInsPreferencesPage() const { return plugInsPage_; }
    ShortcutEditorWindow* shortcutEditorWindow() const { return shortcutEditor_.get(); }

private:
    Defaults& defaults_;
    Preferences& preferences_;
    ClipboardPasteboard pasteboard_;
    QtUiPort applicationPort_;
    std::unique_ptr<DesktopServices> desktopServices_;
    DesktopWebResources webResources_;
    FendleController controller_;
    FendleApplication application_;
    std::unique_ptr<PlugInController> plugIns_;
    LaunchDispatcher dispatcher_;
    // Kept for the program's life, so the column settings are too.
    ColumnAssignmentsWindow columnAssignmentsWindow_;
    Importer importer_;
    RecentBoxes recent_;
    std::map<const Box*, QPointer<BoxWindow>> windows_;
    std::map<const Box*, std::weak_ptr<QtUiPort>> ports_;
    std::unique_ptr<InfoPanel> inspector_;
    mutable QPointer<BoxWindow> lastCurrentWindow_;
    std::unique_ptr<PreferencesWindow> preferencesWindow_;
    std::unique_ptr<HelpWindow> helpWindow_;
    PlugInsPreferencesPage* plugInsPage_ = nullptr;
    std::unique_ptr<ShortcutEditorWindow> shortcutEditor_;
    std::unique_ptr<DesktopSearchWindow> desktopSearchWindow_;
    bool windowsFloat_ = false;
    bool relaunchRequested_ = false;

    bool openPath(const QString& path);
    BoxWindow::Settings windowSettings() const;
    BoxWindow* windowOfActiveWindow() const;
    void preferenceFontChanged(const QString& key);
    void preferencesSaved();
    // With "TerminateWhenLastDocumentIsClosed" the last window closing quits.
    void lastWindowMayHaveClosed();
};

}  // namespace fendle
