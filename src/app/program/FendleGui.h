#pragma once
#include "app/windows/BoxWindow.h"
#include "app/program/ClipboardPasteboard.h"
#include "app/program/QtUiPort.h"
#include "app/program/RecentBoxes.h"
#include "appcore/FendleApplication.h"
#include "appcore/FendleController.h"
#include "appcore/LaunchDispatcher.h"
#include "appcore/LaunchRequest.h"

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
class InfoPanel;
class Preferences;
class PreferencesWindow;

// The running program: the document controller and application object
// with their hooks filled by windows and dialogs, one window per box.
class FendleGui : public QObject, public BoxWindow::Host {
    Q_OBJECT
public:
    static inline const QString WindowFrameKey = QStringLiteral("BoxWindowPositionAndSize");

    FendleGui(Defaults& defaults, Preferences& preferences);
    ~FendleGui() override;

    FendleController& controller() { return controller_; }
    FendleApplication& application() { return application_; }
    ClipboardPasteboard& pasteboard() { return pasteboard_; }
    // The window of a box; none when it has none.
    BoxWindow* windowOf(const Box& box) const;
    QList<BoxWindow*> windows() const;

    // Launch: what the command line asked for, then the start-up mode.
    void start(const QList<LaunchRequest>& requests);
    // A later start handed its requests over.
    void takeHandOff(const QByteArray& message);
    int dispatch(const QList<LaunchRequest>& requests);
    void openSlipLink(const QString& address);
    // "fendle://KEY::ADDRESS" → (KEY, ADDRESS); none for internal links and other text.
    static std::optional<std::pair<QString, QUrl>> parseExternalSlipLink(const QString& address);

    // BoxWindow::Host
    void newBox() override;
    void openBox() override;
    void openRecentBox(const QString& path) override;
    QStringList recentBoxes() const override;
    void clearRecentBoxes() override;
    void boxSaved(BoxWindow& window, const QString& path) override;
    void boxWindowClosed(BoxWindow& window) override;
    void quit() override;
    void toggleInspector() override;
    bool inspectorVisible() const override;
    void refreshInspector(BoxWindow& window) override;
    void slipTextSelectionChanged(BoxWindow& window) override;
    void initiateResizeImage(BoxWindow& window) override;
    // Made on first use; refers to the front box window.
    InfoPanel& inspector();
    // The box window in front, or the one of the extra slip window in front.
    BoxWindow* currentBoxWindow() const;
    // Another window came to the front: a box window makes its box the
    // current document, an extra slip window makes its box current for the
    // menus and the inspector.
    void keyWindowChanged();
    // The one preferences window, made on first use.
    void showPreferences() override;
    PreferencesWindow* preferencesWindow() const { return preferencesWindow_.get(); }

private:
    Defaults& defaults_;
    Preferences& preferences_;
    ClipboardPasteboard pasteboard_;
    QtUiPort applicationPort_;
    FendleController controller_;
    FendleApplication application_;
    LaunchDispatcher dispatcher_;
    RecentBoxes recent_;
    std::map<const Box*, QPointer<BoxWindow>> windows_;
    std::map<const Box*, std::weak_ptr<QtUiPort>> ports_;
    std::unique_ptr<InfoPanel> inspector_;
    mutable QPointer<BoxWindow> lastCurrentWindow_;
    QPointer<ExtraSlipWindow> keyExtraWindow_;
    std::unique_ptr<PreferencesWindow> preferencesWindow_;

    BoxPtr makeBox();
    void documentOpened(FendleController::Document& document);
    bool openPath(const QString& path);
    BoxWindow::Settings windowSettings() const;
    void bringToFront(const Box& box);
    BoxWindow* windowOfActiveWindow() const;
    SlipPtr keyExtraWindowSlip() const;
    void preferenceFontChanged(const QString& key);
};

}  // namespace fendle
