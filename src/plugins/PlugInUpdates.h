#pragma once
#include "appcore/WebTransfer.h"
#include "plugins/PlugInCatalogue.h"

#include <QObject>
#include <QStringList>
#include <QUrl>
#include <memory>
#include <optional>

namespace fendle {

class Defaults;
class PlugInController;
class UiPort;

// The plug-in catalogue and updates: a check cycle fetches the catalogue
// from the base address ("FDLPlugInBaseURL": an http, https or file
// address), offers each new plug-in once ever and each update once per
// cycle, downloads the chosen archive, installs it into the user's plug-ins
// folder and loads it when asked; after every download the check runs
// again, and a cycle that installed something offers a restart. At most one
// download runs at a time.
class PlugInUpdates : public QObject {
    Q_OBJECT
public:
    enum class Initiator { Application, Button, Host };
    static inline const QString BaseURLKey = QStringLiteral("FDLPlugInBaseURL");
    static constexpr int TimeoutMilliseconds = 60000;

    PlugInUpdates(PlugInController& host, UiPort& ui, Defaults& defaults, QString applicationVersion);
    ~PlugInUpdates() override;

    // The base folder's address, with its trailing slash; none when unset or
    // of another scheme.
    std::optional<QUrl> baseURL() const;
    // The local copy of the catalogue; none before the first check.
    std::optional<PlugInCatalogue> plugInCatalogue() const;
    QString localCataloguePath() const;

    void checkForPlugInUpdates(Initiator initiator);
    // Whether the catalogue publishes a newer version of the installed plug-in.
    bool updateAvailable(const QString& identifier) const;
    enum class AfterDownload { Install, InstallAndLoad };
    // name: the identifier's last component. Answers whether the download
    // started; a check cycle goes on after it when continueCheck is set.
    bool startDownloadingPlugIn(const QString& name, AfterDownload after, bool continueCheck = false);

    bool downloadRunning() const { return download_ != nullptr; }
    // Something is still on its way: the catalogue or an archive.
    bool busy() const { return catalogueTransfer_ || download_; }
    // Tests of a stalling server wait less than a minute.
    void setTransferTimeout(int milliseconds) { timeout_ = milliseconds; }

signals:
    // A new catalogue was stored: the plug-in table is built again.
    void catalogueChanged();
    // Plug-ins were installed, loaded or unloaded: the table is refreshed.
    void plugInsChanged();
    // The plug-in table is disabled while a download runs.
    void downloadRunningChanged(bool running);
    // The user asked to start the program again.
    void restartRequested();

private:
    PlugInController& host_;
    UiPort& ui_;
    Defaults& defaults_;
    QString applicationVersion_;
    int timeout_ = TimeoutMilliseconds;
    Initiator updateInitiator_ = Initiator::Application;
    std::unique_ptr<WebTransfer> catalogueTransfer_;
    std::unique_ptr<WebTransfer> download_;
    QString downloadName_;
    bool loadPlugInAfterDownload_ = false;
    QStringList plugInsAlreadyOfferedForUpdate_;
    quint32 numberOfPlugInsUpdated_ = 0;
    bool continueCheckForPlugInUpdates_ = false;

    void storeLocalCopy(const PlugInCatalogue& catalogue);
    void connectionDidFinishLoading();
    void couldNotRetrieve();
    // Each answers whether it started a download, which ends this pass.
    bool offerNewPlugIns(const PlugInCatalogue& fresh);
    bool offerUpdates(const PlugInCatalogue& fresh, bool& aborted);
    void endCycle();
    bool tooOld(const PlugInInfo& entry, const QString& message, const QString& informative);
    void downloadFinished();
    void downloadDidFinish(const QByteArray& archive);
    void replaceInstalledCopy(const QString& installed);
    void downloadFailed(const QString& error);
    void stopDownload();
    QString installedVersion(const QString& identifier) const;
};

}  // namespace fendle
