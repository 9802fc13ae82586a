#include "plugins/PlugInUpdates.h"

#include "platform/files/AtomicFile.h"
#include "platform/system/Defaults.h"
#include "platform/system/Log.h"
#include "platform/ui/UiPort.h"
#include "plugins/BundleRemoval.h"
#include "plugins/PlugInArchive.h"
#include "plugins/PlugInController.h"
#include "plugins/PlugInTable.h"
#include "plugins/VersionNumber.h"

#include <QFileInfo>

namespace fendle {

namespace {
const QString IdentifierPrefix = QStringLiteral("com.quorvel.fendle.");
const QString CouldNotRetrieve = QStringLiteral("Could not retrieve current plug-in information!");
const QString NoConnection = QStringLiteral("Do you have an active Internet connection?");
}  // namespace

PlugInUpdates::PlugInUpdates(PlugInController& host, UiPort& ui, Defaults& defaults, QString applicationVersion)
    : host_(host), ui_(ui), defaults_(defaults), applicationVersion_(std::move(applicationVersion)) {}

PlugInUpdates::~PlugInUpdates() = default;

std::optional<QUrl> PlugInUpdates::baseURL() const {
    QString text = defaults_.stringForKey(BaseURLKey).trimmed();
    if (text.isEmpty()) return std::nullopt;
    if (!text.endsWith(QLatin1Char('/'))) text += QLatin1Char('/');
    const QUrl url(text, QUrl::StrictMode);
    if (!WebTransfer::isSupportedScheme(url)) return std::nullopt;
    return url;
}

QString PlugInUpdates::localCataloguePath() const {
    return host_.plugInsFolder() + QLatin1Char('/') + PlugInCatalogue::FileName;
}

void PlugInUpdates::storeLocalCopy(const PlugInCatalogue& catalogue) {
    const std::optional<QString> folder = host_.localPlugInDirectory();
    const Status stored = folder ? writeFileAtomically(localCataloguePath(), catalogue.toXml())
                                 : Status::failure(QStringLiteral("no plug-ins folder"));
    if (!stored) logLine(QStringLiteral("PlugInController:connectionDidFinishLoading: %1").arg(stored.error()));
}

std::optional<PlugInCatalogue> PlugInUpdates::plugInCatalogue() const {
    if (!QFileInfo::exists(localCataloguePath())) return std::nullopt;
    Result<PlugInCatalogue> local = PlugInCatalogue::readFile(localCataloguePath());
    if (!local) {
        logLine(QStringLiteral("PlugInController:plugInCatalogue: %1").arg(local.error()));
        return std::nullopt;
    }
    return std::move(*local);
}

QString PlugInUpdates::installedVersion(const QString& identifier) const {
    const std::optional<PlugInBundle> bundle = host_.installedBundle(identifier);
    return bundle ? bundle->version() : QString();
}

bool PlugInUpdates::updateAvailable(const QString& identifier) const {
    const std::optional<PlugInCatalogue> catalogue = plugInCatalogue();
    const PlugInCatalogue::Entry* entry = catalogue ? catalogue->entry(identifier) : nullptr;
    const QString installed = installedVersion(identifier);
    if (!entry || installed.isEmpty()) return false;
    return !versionNumber(installed, entry->info.version());
}

void PlugInUpdates::checkForPlugInUpdates(Initiator initiator) {
    updateInitiator_ = initiator;
    if (initiator != Initiator::Host) {
        plugInsAlreadyOfferedForUpdate_.clear();
        numberOfPlugInsUpdated_ = 0;
    }
    // One check at a time, and none while a download runs: the one running
    // answers for both, and a download goes on with the check anyway.
    if (catalogueTransfer_ || download_) return;
    const std::optional<QUrl> base = baseURL();
    if (!base) {
        couldNotRetrieve();
        return;
    }
    catalogueTransfer_ = std::make_unique<WebTransfer>(base->resolved(QUrl(PlugInCatalogue::FileName)),
                                                       PlugInCatalogue::MaxSize, timeout_);
    connect(catalogueTransfer_.get(), &WebTransfer::finished, this, &PlugInUpdates::connectionDidFinishLoading);
    catalogueTransfer_->start();
}

void PlugInUpdates::couldNotRetrieve() {
    if (updateInitiator_ == Initiator::Button) ui_.showAlert({UiPort::AlertStyle::Modal, CouldNotRetrieve, NoConnection});
}

void PlugInUpdates::connectionDidFinishLoading() {
    const Result<QByteArray> bytes = catalogueTransfer_->result();
    // Called from the transfer's own signal: it goes once that returned.
    catalogueTransfer_.release()->deleteLater();
    const Result<PlugInCatalogue> fresh = bytes ? PlugInCatalogue::read(*bytes) : Result<PlugInCatalogue>::failure(bytes);
    if (!fresh) {
        logLine(QStringLiteral("PlugInController:connectionDidFinishLoading: %1").arg(fresh.error()));
        couldNotRetrieve();
        return;
    }
    // The installed plug-ins as they are now.
    host_.preparePlugins();
    if (offerNewPlugIns(*fresh)) return;
    storeLocalCopy(*fresh);
    emit catalogueChanged();
    bool aborted = false;
    if (offerUpdates(*fresh, aborted) || aborted) return;
    endCycle();
}

bool PlugInUpdates::tooOld(const PlugInInfo& entry, const QString& message, const QString& informative) {
    const std::optional<QString> required = entry.requiredVersion();
    if (!required || versionNumber(applicationVersion_, *required)) return false;
    ui_.showAlert({UiPort::AlertStyle::Modal, message, informative.arg(applicationVersion_, *required)});
    return true;
}

bool PlugInUpdates::offerNewPlugIns(const PlugInCatalogue& fresh) {
    std::optional<PlugInCatalogue> local = plugInCatalogue();
    if (!local) return false;
    for (const PlugInCatalogue::Entry& entry : fresh.entries()) {
        if (local->contains(entry.identifier)) continue;
        // Into the local copy before the question: offered once, whatever the answer.
        local->add(entry);
        storeLocalCopy(*local);
        const QString name = entry.info.name();
        if (tooOld(entry.info,
                   QStringLiteral("There is a new plug-in \"%1\", but it requires a higher application version than the "
                                  "one you have installed. Please update Fendle before installing this plug-in.")
                       .arg(name),
                   QStringLiteral("You have version %1 of Fendle installed, but this plug-in needs version %2.")))
            continue;
        const int answer = ui_.askQuestion({UiPort::AlertStyle::Modal, QStringLiteral("New plug-in: %1").arg(name),
                                            entry.info.description(),
                                            {QStringLiteral("Install"), QStringLiteral("Cancel"), QStringLiteral("Install & Load")}});
        if (answer == 1) continue;
        startDownloadingPlugIn(PlugInCatalogue::plugInName(entry.identifier),
                               answer == 2 ? AfterDownload::InstallAndLoad : AfterDownload::Install, true);
        return true;
    }
    return false;
}

bool PlugInUpdates::offerUpdates(const PlugInCatalogue& fresh, bool& aborted) {
    for (const PlugInCatalogue::Entry& entry : fresh.entries()) {
        if (plugInsAlreadyOfferedForUpdate_.contains(entry.identifier)) continue;
        const QString installed = installedVersion(entry.identifier);
        if (installed.isEmpty() || versionNumber(installed, entry.info.version())) continue;
        plugInsAlreadyOfferedForUpdate_.append(entry.identifier);
        const QString name = entry.info.name();
        if (tooOld(entry.info,
                   QStringLiteral("There is an update available for the plug-in \"%1\", but it requires a higher "
                                  "application version than the one you have installed. Please update Fendle before "
                                  "installing the update.")
                       .arg(name),
                   QStringLiteral("You have version %1 of Fendle installed, but this update needs version %2.")))
            continue;
        const int answer = ui_.askQuestion(
            {UiPort::AlertStyle::Modal, QStringLiteral("Update available for %1").arg(name),
             QStringLiteral("You have:\t%1\nAvailable:\t%2").arg(installed, entry.info.version()),
             {QStringLiteral("Update"), QStringLiteral("Abort"), QStringLiteral("Don't update")}});
        if (answer == 1) {
            aborted = true;
            return false;
        }
        if (answer == 2) continue;
        host_.unloadPlugIn(entry.identifier);
        const bool switchedOn = PlugInTable::loadEntry(PlugInTable::saved(defaults_), entry.identifier);
        startDownloadingPlugIn(PlugInCatalogue::plugInName(entry.identifier),
                               switchedOn ? AfterDownload::InstallAndLoad : AfterDownload::Install, true);
        return true;
    }
    return false;
}

void PlugInUpdates::endCycle() {
    emit plugInsChanged();
    if (plugInsAlreadyOfferedForUpdate_.isEmpty()) {
        if (updateInitiator_ != Initiator::Application)
            ui_.showAlert({UiPort::AlertStyle::Modal, QStringLiteral("All your active plug-ins are up to date."), QString()});
        return;
    }
    if (numberOfPlugInsUpdated_ == 0) return;
    const int answer = ui_.askQuestion({UiPort::AlertStyle::Modal,
                                        QStringLiteral("New plug-in version(s) will be available after Fendle is restarted."),
                                        QString(), {QStringLiteral("Restart"), QStringLiteral("Cancel")}});
    if (answer == 0) emit restartRequested();
}

bool PlugInUpdates::startDownloadingPlugIn(const QString& name, AfterDownload after, bool continueCheck) {
    if (download_) {
        logLine(QStringLiteral("PlugInController:startDownloadingPlugIn: a download is running already"));
        return false;
    }
    const std::optional<PlugInCatalogue> catalogue = plugInCatalogue();
    const PlugInCatalogue::Entry* entry = catalogue ? catalogue->entry(IdentifierPrefix + name) : nullptr;
    if (entry && tooOld(entry->info,
                        QStringLiteral("The plug-in \"%1\" requires a higher application version than the one you have "
                                       "installed. Please update Fendle before downloading it.")
                            .arg(entry->info.name().isEmpty() ? name : entry->info.name()),
                        QStringLiteral("You have version %1 of Fendle installed, but this plug-in requires version %2.")))
        return false;
    const QString fileName = name + QLatin1Char('.') + PlugInCatalogue::ArchiveExtension;
    const std::optional<QUrl> base = baseURL();
    if (!base || PlugInCatalogue::plugInName(name) != name) {
        logLine(QStringLiteral("PlugInController:startDownloadingPlugIn: Could not start the download for %1").arg(fileName));
        return false;
    }
    downloadName_ = name;
    loadPlugInAfterDownload_ = after == AfterDownload::InstallAndLoad;
    continueCheckForPlugInUpdates_ = continueCheck;
    download_ = std::make_unique<WebTransfer>(base->resolved(QUrl(fileName)), PlugInArchive::MaxArchiveSize, timeout_);
    connect(download_.get(), &WebTransfer::progress, this, [this](qint64 received, qint64 expected) {
        if (expected > 0) ui_.setProgress(double(received) / double(expected) * 100.0);
    });
    connect(download_.get(), &WebTransfer::finished, this, &PlugInUpdates::downloadFinished);
    ui_.showProgress(QStringLiteral("Downloading plug-in"), 0);
    emit downloadRunningChanged(true);
    download_->start();
    return true;
}

void PlugInUpdates::downloadFinished() {
    const Result<QByteArray> archive = download_->result();
    if (archive)
        downloadDidFinish(*archive);
    else
        downloadFailed(archive.error());
}

void PlugInUpdates::stopDownload() {
    // Called from the transfer's own signal: it goes once that returned.
    download_.release()->deleteLater();
    emit downloadRunningChanged(false);
}

void PlugInUpdates::downloadFailed(const QString& error) {
    ui_.hideProgress();
    loadPlugInAfterDownload_ = false;
    continueCheckForPlugInUpdates_ = false;
    emit plugInsChanged();
    ui_.showAlert({UiPort::AlertStyle::Modal, QStringLiteral("Could not download the plug-in!"), error});
    logLine(QStringLiteral("Download failed! Error - %1 %2").arg(error, download_->url().toString()));
    stopDownload();
}

void PlugInUpdates::replaceInstalledCopy(const QString& installed) {
    const Result<PlugInBundle> bundle = PlugInBundle::open(installed);
    if (!bundle) return;
    // An update of a copy installed in the user's folder under another
    // folder name replaces that copy, rather than making it a twin.
    const std::optional<PlugInBundle> earlier = host_.installedBundle(bundle->identifier());
    if (earlier && QFileInfo(earlier->path()) != QFileInfo(installed) &&
        PlugInBundle::isInside(PlugInController::plugInsFolder(), earlier->path()) && !removeBundleFolder(earlier->path()))
        logLine(QStringLiteral("PlugInController:downloadDidFinish: could not remove %1").arg(earlier->path()));
    if (loadPlugInAfterDownload_) host_.loadPlugIns({bundle->identifier()});
}

void PlugInUpdates::downloadDidFinish(const QByteArray& archive) {
    ui_.showProgress(QStringLiteral("Extracting"), -1);
    const std::optional<QString> folder = host_.localPlugInDirectory();
    const Result<QString> installed = folder ? PlugInArchive::install(archive, *folder, downloadName_)
                                             : Result<QString>::failure(QStringLiteral("no plug-ins folder"));
    if (!installed) {
        logLine(QStringLiteral("PlugInController:downloadDidFinish: %1: %2").arg(downloadName_, installed.error()));
        ui_.showAlert({UiPort::AlertStyle::Modal, QStringLiteral("Could not install plug-in!"), QString()});
    } else {
        replaceInstalledCopy(*installed);
    }
    loadPlugInAfterDownload_ = false;
    emit plugInsChanged();
    ui_.hideProgress();
    const bool continueCheck = continueCheckForPlugInUpdates_;
    continueCheckForPlugInUpdates_ = false;
    stopDownload();
    if (!continueCheck) return;
    if (installed) ++numberOfPlugInsUpdated_;
    checkForPlugInUpdates(Initiator::Host);
}

}  // namespace fendle
