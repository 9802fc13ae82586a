#pragma once
#include "appcore/CacheTimers.h"
#include "plugins/FendlePlugIn.h"
#include "plugins/PlugInBundle.h"
#include "plugins/PlugInFolders.h"
#include "plugins/PlugInMenu.h"
#include "plugins/PlugInServices.h"
#include "plugins/PlugInTableController.h"
#include "plugins/PlugInUpdates.h"
#include "plugins/PreferencesPlugInView.h"
#include "plugins/SpotlightTimer.h"

#include <QObject>
#include <QStringList>
#include <map>
#include <memory>
#include <optional>
#include <vector>

namespace fendle {

class Box;
class Defaults;
class FendleController;
class Preferences;
class UiPort;

// The plug-in host: finds the bundles in the plug-ins folders, asks which
// copy of a twice-installed one to keep, loads those the saved table
// switches on (one owner per exclusive protocol), checks that the program
// is new enough for each, and runs the per-box cache timers of the
// Spotlight plug-in. The catalogue and its downloads, and the plug-in table
// of the preferences, are its parts.
class PlugInController : public QObject,
                         public CacheTimers,
                         public plugin::DocumentControllerView {
    Q_OBJECT
public:
    struct LoadedPlugIn {
        QString identifier;
        QObject* principalClass = nullptr;
        std::unique_ptr<plugin::GeneralProtocol> instance;
    };

    PlugInController(UiPort& ui, Defaults& defaults, FendleController& documents, const Preferences& preferences,
                     QStringList searchFolders = PlugInFolders::defaultSearchFolders(), QString applicationVersion = QString());
    ~PlugInController() override;

    // The user's plug-ins folder, made when missing; none after an alert.
    std::optional<QString> localPlugInDirectory();
    // Bundle paths in search order, every identifier once.
    QStringList availablePlugIns();
    QStringList identifiersOfLocalPlugins();
    // Identifiers to load.
    QStringList preparePlugins();
    void loadPlugIns(const QStringList& identifiers);
    void prepareAndLoadPlugIns() { loadPlugIns(preparePlugins()); }
    void unloadPlugIn(const QString& identifier);
    bool applicationVersionSufficientForBundle(const PlugInBundle& bundle);

    const std::vector<LoadedPlugIn>& loadedPlugIns() const { return loadedPlugIns_; }
    const QStringList& identifiersOfLoadedPlugIns() const { return identifiersOfLoadedPlugIns_; }
    std::optional<QString> pathForPluginIdentifier(const QString& identifier) const;
    // The bundle installed under the identifier at the last preparation, if it is still there.
    std::optional<PlugInBundle> installedBundle(const QString& identifier) const;
    const LoadedPlugIn* loadedSpotlightPlugIn() const;
    // The user's plug-ins folder, whether or not it exists yet.
    static QString plugInsFolder();
    Defaults& defaults() { return defaults_; }
    const PlugInBundle* bundleForPlugInID(const QString& identifier) const;
    // The principal class of the first loaded Spotlight plug-in.
    plugin::SpotlightProtocol* spotlightInterface() const;

    // Every open box's timer.
    void startSpotlightTimers();
    void stopSpotlightTimers();
    // One box's: started when its window loaded, stopped when it closes.
    const SpotlightTimer* startSpotlightTimer(Box& box);
    void stopSpotlightTimer(const Box& box);
    const SpotlightTimer* spotlightTimer(const Box& box) const;
    // The box closes: its cache files are written once more, then its timer stops.
    void boxWillClose(Box& box);
    // The interval changed.
    void restartCacheTimers() override {
        stopSpotlightTimers();
        startSpotlightTimers();
    }

    // The "Plug-ins" menu of the loaded plug-ins.
    PlugInMenu& plugInMenu() { return menu_; }
    const PlugInMenu& plugInMenu() const { return menu_; }

    PlugInUpdates& updates() { return updates_; }
    PlugInTableController& plugInTable() { return table_; }

    // What plug-ins see of the host.
    const plugin::HostServices& services() const override { return services_; }

signals:
    // Items came into the "Plug-ins" menu or left it.
    void plugInMenuChanged();

private:
    UiPort& ui_;
    Defaults& defaults_;
    FendleController& documents_;
    const Preferences& preferences_;
    QStringList searchFolders_;
    QString applicationVersion_;
    PlugInServices services_;
    PreferencesPlugInView preferencesView_;
    PlugInMenu menu_;
    std::vector<LoadedPlugIn> loadedPlugIns_;
    PlistValue::Dictionary plugInPrefs_;
    std::map<QString, PlugInBundle> identifierToBundle_;
    std::map<QString, QString> identifierToPlugInPath_;
    QStringList identifiersOfLoadedPlugIns_;
    std::map<const Box*, std::unique_ptr<SpotlightTimer>> spotlightTimers_;
    PlugInUpdates updates_;
    PlugInTableController table_;

    // The copy the user keeps; the other one is removed.
    QString keepOneOf(const QString& identifier, const QString& earlier, const QString& later);
    void logLoadedPlugIns() const;
};

}  // namespace fendle
