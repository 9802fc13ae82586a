#include "plugins/PlugInController.h"

#include "appcore/FendleController.h"
#include "appcore/Preferences.h"
#include "plugins/BundleRemoval.h"
#include "plugins/PlugInProtocols.h"
#include "plugins/PlugInTable.h"
#include "plugins/VersionNumber.h"
#include "platform/files/Paths.h"
#include "platform/system/AppVersion.h"
#include "platform/system/Defaults.h"
#include "platform/system/Log.h"
#include "platform/ui/UiPort.h"

#include <QDir>

namespace fendle {

namespace {

void modal(UiPort& ui, const QString& message, const QString& informative = QString()) {
    ui.showAlert({UiPort::AlertStyle::Modal, message, informative});
}

}  // namespace

PlugInController::PlugInController(UiPort& ui, Defaults& defaults, FendleController& documents,
                                   const Preferences& preferences, QStringList searchFolders, QString applicationVersion)
    : ui_(ui),
      defaults_(defaults),
      documents_(documents),
      preferences_(preferences),
      searchFolders_(std::move(searchFolders)),
      applicationVersion_(applicationVersion.isEmpty() ? versionString() : std::move(applicationVersion)),
      services_(defaults),
      preferencesView_(preferences),
      menu_(defaults),
      updates_(*this, ui, defaults, applicationVersion_),
      table_(*this, updates_, ui) {}

PlugInController::~PlugInController() {
    // The per-box instances go before the plug-ins that made them.
    spotlightTimers_.clear();
    loadedPlugIns_.clear();
}

std::optional<QString> PlugInController::localPlugInDirectory() {
    if (!QDir().mkpath(Paths::fendleDataFolder())) {
        modal(ui_, QStringLiteral("Could not create a subdirectory for Fendle in the Application Support directory!"));
        return std::nullopt;
    }
    if (!QDir().mkpath(Paths::plugInsFolder())) {
        modal(ui_, QStringLiteral("Could not create a PlugIns directory!"));
        return std::nullopt;
    }
    return Paths::plugInsFolder();
}

QString PlugInController::keepOneOf(const QString& identifier, const QString& earlier, const QString& later) {
    logLine(QStringLiteral("Plug-in installed twice: %1; Paths: %2, %3").arg(identifier, earlier, later));
    const int answer =
        ui_.askQuestion({UiPort::AlertStyle::Modal, QStringLiteral("Plug-in \"%1\" is installed twice!").arg(identifier),
                         QStringLiteral("Do you want to keep \r1. %1\r2. %2\rThe other plug-in will be deleted from "
                                        "your system.")
                             .arg(earlier, later),
                         {QStringLiteral("1"), QStringLiteral("2")}});
    const QString& kept = answer == 1 ? later : earlier;
    const QString& other = answer == 1 ? earlier : later;
    if (!removeBundleFolder(other))
        modal(ui_, QStringLiteral("Could not delete the plug-in!"),
              QStringLiteral("Please delete the plug-in at: %1 and restart the application.").arg(other));
    return kept;
}

QStringList PlugInController::availablePlugIns() {
    QStringList paths;
    std::map<QString, qsizetype> indexes;
    for (const QString& folder : searchFolders_) {
        for (const QString& path : PlugInFolders::bundlePaths(folder)) {
            const Result<PlugInBundle> bundle = PlugInBundle::open(path);
            if (!bundle) {
                logLine(QStringLiteral("PlugInController:availablePlugIns: skipping %1: %2").arg(path, bundle.error()));
                continue;
            }
            const auto [known, added] = indexes.emplace(bundle->identifier(), paths.size());
            if (added)
                paths.append(bundle->path());
            else
                paths[known->second] = keepOneOf(bundle->identifier(), paths[known->second], bundle->path());
        }
    }
    return paths;
}

QStringList PlugInController::identifiersOfLocalPlugins() {
    QStringList identifiers;
    for (const QString& path : availablePlugIns())
        if (const Result<PlugInBundle> bundle = PlugInBundle::open(path)) identifiers.append(bundle->identifier());
    return identifiers;
}

QStringList PlugInController::preparePlugins() {
    std::map<QString, QObject*> owners;
    plugInPrefs_ = PlugInTable::saved(defaults_);
    QStringList identifiers;
    for (const QString& path : availablePlugIns()) {
        Result<PlugInBundle> bundle = PlugInBundle::open(path);
        if (!bundle) continue;
        const QString identifier = bundle->identifier();
        identifierToPlugInPath_[identifier] = path;
        identifierToBundle_.insert_or_assign(identifier, *bundle);
        if (!PlugInTable::loadEntry(plugInPrefs_, identifier)) continue;
        // Only the code of plug-ins switched on is loaded.
        const Result<QObject*> principalClass = bundle->principalClass();
        if (!principalClass) {
            logLine(QStringLiteral("PlugInController:preparePlugins: cannot load %1: %2").arg(path, principalClass.error()));
            continue;
        }
        // The earlier plug-in in search order keeps an exclusive protocol.
        bool conflicts = false;
        for (const QString& iid : PlugInProtocols::exclusiveProtocolsOf(*principalClass)) {
            auto [owner, claimed] = owners.emplace(iid, *principalClass);
            if (!claimed && owner->second != *principalClass) conflicts = true;
        }
        if (!conflicts) identifiers.append(identifier);
    }
    return identifiers;
}

bool PlugInController::applicationVersionSufficientForBundle(const PlugInBundle& bundle) {
    const std::optional<QString> required = bundle.requiredVersion();
    if (!required || versionNumber(applicationVersion_, *required)) return true;
    logLine(QStringLiteral("Could not load plug-in %1: required version: %2; application version: %3")
                .arg(bundle.identifier(), *required, applicationVersion_));
    const int answer = ui_.askQuestion(
        {UiPort::AlertStyle::Modal, QStringLiteral("The \"%1\" plug-in cannot be loaded.").arg(bundle.name()),
         QStringLiteral("This bundle requres Fendle version %1 or higher. You are using version %2.\n\nDo you want to "
                        "delete the plug-in?")
             .arg(*required, applicationVersion_),
         {QStringLiteral("OK"), QStringLiteral("Cancel")}});
    if (answer != 0) return false;
    logLine(QStringLiteral("Removing plug-in at path: %1").arg(bundle.path()));
    if (!removeBundleFolder(bundle.path())) modal(ui_, QStringLiteral("The plug-in could not be deleted!"));
    return false;
}

void PlugInController::loadPlugIns(const QStringList& identifiers) {
    for (const QString& identifier : identifiers) {
        // A plug-in installed a moment ago is found too.
        preparePlugins();
        if (identifiersOfLoadedPlugIns_.contains(identifier)) continue;
        const PlugInBundle* bundle = bundleForPlugInID(identifier);
        if (!bundle) continue;
        const Result<QObject*> principalClass = bundle->principalClass();
        if (!principalClass || !applicationVersionSufficientForBundle(*bundle)) continue;
        plugin::GeneralProtocol* general = PlugInProtocols::general(*principalClass);
        std::unique_ptr<plugin::GeneralProtocol> instance = general ? general->initWithController(*this) : nullptr;
        if (!instance) continue;
        plugin::GeneralProtocol& made = *instance;
        loadedPlugIns_.push_back({identifier, *principalClass, std::move(instance)});
        identifiersOfLoadedPlugIns_.append(identifier);
        if (const auto items = made.addMenuItems()) {
            menu_.addMenuItems(*items, bundle->name(), made);
            emit plugInMenuChanged();
        }
        if (qobject_cast<plugin::SpotlightProtocol*>(*principalClass)) startSpotlightTimers();
    }
    logLoadedPlugIns();
}

void PlugInController::unloadPlugIn(const QString& identifier) {
    const auto loaded = std::find_if(loadedPlugIns_.begin(), loadedPlugIns_.end(),
                                     [&](const LoadedPlugIn& p) { return p.identifier == identifier; });
    if (loaded == loadedPlugIns_.end()) return;
    if (const auto items = loaded->instance->addMenuItems()) {
        menu_.removeMenuItems(*items);
        emit plugInMenuChanged();
    }
    if (qobject_cast<plugin::SpotlightProtocol*>(loaded->principalClass)) stopSpotlightTimers();
    identifierToBundle_.erase(identifier);
    loadedPlugIns_.erase(loaded);
    identifiersOfLoadedPlugIns_.removeAll(identifier);
    logLoadedPlugIns();
}

void PlugInController::logLoadedPlugIns() const {
    logLine(QStringLiteral("loaded plug-ins: (%1)").arg(identifiersOfLoadedPlugIns_.join(QStringLiteral(", "))));
}

std::optional<QString> PlugInController::pathForPluginIdentifier(const QString& identifier) const {
    const auto it = identifierToPlugInPath_.find(identifier);
    return it == identifierToPlugInPath_.end() ? std::nullopt : std::optional<QString>(it->second);
}

std::optional<PlugInBundle> PlugInController::installedBundle(const QString& identifier) const {
    const std::optional<QString> path = pathForPluginIdentifier(identifier);
    if (!path) return std::nullopt;
    Result<PlugInBundle> bundle = PlugInBundle::open(*path);
    if (!bundle || bundle->identifier() != identifier) return std::nullopt;
    return std::move(*bundle);
}

QString PlugInController::plugInsFolder() { return Paths::plugInsFolder(); }

const PlugInController::LoadedPlugIn* PlugInController::loadedSpotlightPlugIn() const {
    for (const LoadedPlugIn& loaded : loadedPlugIns_)
        if (qobject_cast<plugin::SpotlightProtocol*>(loaded.principalClass)) return &loaded;
    return nullptr;
}

const PlugInBundle* PlugInController::bundleForPlugInID(const QString& identifier) const {
    const auto it = identifierToBundle_.find(identifier);
    return it == identifierToBundle_.end() ? nullptr : &it->second;
}

plugin::SpotlightProtocol* PlugInController::spotlightInterface() const {
    const LoadedPlugIn* loaded = loadedSpotlightPlugIn();
    return loaded ? qobject_cast<plugin::SpotlightProtocol*>(loaded->principalClass) : nullptr;
}

void PlugInController::startSpotlightTimers() {
    for (const FendleController::Document& document : documents_.documents()) startSpotlightTimer(*document.box);
}

void PlugInController::stopSpotlightTimers() { spotlightTimers_.clear(); }

const SpotlightTimer* PlugInController::startSpotlightTimer(Box& box) {
    if (const SpotlightTimer* running = spotlightTimer(box)) return running;
    plugin::SpotlightProtocol* principalClass = spotlightInterface();
    if (!principalClass) return nullptr;
    std::unique_ptr<SpotlightTimer> timer = SpotlightTimer::start(
        box, *principalClass, services_, preferencesView_, preferences_.integerForKey(Preferences::SpotlightFileGenerationTimeInterval));
    if (!timer) return nullptr;
    // A box that goes without closing takes its timer with it.
    connect(&box, &QObject::destroyed, this, [this, key = &box] { spotlightTimers_.erase(key); });
    return spotlightTimers_.insert_or_assign(&box, std::move(timer)).first->second.get();
}

void PlugInController::stopSpotlightTimer(const Box& box) {
    disconnect(&box, &QObject::destroyed, this, nullptr);
    spotlightTimers_.erase(&box);
}

const SpotlightTimer* PlugInController::spotlightTimer(const Box& box) const {
    const auto it = spotlightTimers_.find(&box);
    return it == spotlightTimers_.end() ? nullptr : it->second.get();
}

void PlugInController::boxWillClose(Box& box) {
    const auto it = spotlightTimers_.find(&box);
    if (it == spotlightTimers_.end()) return;
    it->second->generateCacheFiles(nullptr);
    stopSpotlightTimer(box);
}


}  // namespace fendle
