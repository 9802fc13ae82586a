#include "openmeta/OpenMetaBackup.h"

#include "openmeta/OpenMetaBackupContents.h"
#include "openmeta/OpenMetaBackupNaming.h"
#include "openmeta/OpenMetaBackupQueue.h"
#include "platform/files/AtomicFile.h"
#include "platform/plist/BinaryPlistWriter.h"
#include "platform/system/Log.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>
#include <QThread>

namespace fendle {

OpenMetaBackup& OpenMetaBackup::sharedInstance() {
    static OpenMetaBackup store;
    return store;
}

QString OpenMetaBackup::standardBackupFolder() {
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) +
           QStringLiteral("/OpenMeta/backups");
}

OpenMetaBackup::OpenMetaBackup(std::optional<QString> folder) : folder_(std::move(folder)) {}

OpenMetaBackup::~OpenMetaBackup() {
    if (!thread_) return;
    thread_->quit();
    thread_->wait();
}

void OpenMetaBackup::backupMetadata(const QString& path) {
    if (!backupsOn_.load() || path.isEmpty()) return;
    // Qt delivers nothing to the thread before the application object
    // exists; a path handed over then would be lost without a trace.
    if (!QCoreApplication::instance()) {
        if (!warnedWithoutApplication_.exchange(true))
            logLine(QStringLiteral("OpenMetaBackup:backupMetadata: no application object, no backups"));
        return;
    }
    backupThread();
    OpenMetaBackupQueue* queue = queue_.load(std::memory_order_acquire);
    QMetaObject::invokeMethod(queue, [queue, path] { queue->enqueueBackupItem(path); }, Qt::QueuedConnection);
}

QThread* OpenMetaBackup::backupThread() {
    if (queue_.load(std::memory_order_acquire)) return thread_.get();
    const std::lock_guard lock(creation_);
    if (!thread_) {
        if (QFileInfo::exists(backupFolder() + QLatin1Char('/') + OptOutFileName)) backupsOn_.store(false);
        thread_ = std::make_unique<QThread>();
        thread_->setObjectName(QStringLiteral("OpenMeta backups"));
        auto* queue = new OpenMetaBackupQueue(*this);
        queue->moveToThread(thread_.get());
        // The queue dies on its own thread when the thread ends.
        QObject::connect(thread_.get(), &QThread::finished, queue, &QObject::deleteLater);
        thread_->start(QThread::LowPriority);
        queue_.store(queue, std::memory_order_release);
    }
    return thread_.get();
}

bool OpenMetaBackup::waitUntilIdle(std::chrono::milliseconds limit) {
    OpenMetaBackupQueue* queue = queue_.load(std::memory_order_acquire);
    if (!queue) return true;
    quint64 marker = 0;
    {
        const std::lock_guard lock(idleMutex_);
        marker = ++markersPosted_;
    }
    // Once the thread reaches the marker, it has queued every path handed
    // over before it; then the busy flag tells the rest.
    QMetaObject::invokeMethod(queue, [this, marker] { markerReached(marker); }, Qt::QueuedConnection);
    std::unique_lock lock(idleMutex_);
    return idleChanged_.wait_for(lock, limit, [&] { return markersReached_ >= marker && !busy_.load(); });
}

bool OpenMetaBackup::finishBeforeQuit() {
    terminating_.store(true);
    const bool finished = waitUntilIdle(QuitWaitLimit);
    if (!finished) logLine(QStringLiteral("OpenMetaBackup: backups still waiting at quit were dropped"));
    return finished;
}

void OpenMetaBackup::setBusy(bool busy) {
    {
        const std::lock_guard lock(idleMutex_);
        busy_.store(busy);
    }
    if (!busy) idleChanged_.notify_all();
}

void OpenMetaBackup::markerReached(quint64 marker) {
    {
        const std::lock_guard lock(idleMutex_);
        markersReached_ = std::max(markersReached_, marker);
    }
    idleChanged_.notify_all();
}

QString OpenMetaBackup::backupFolder() const { return folder_ ? *folder_ : standardBackupFolder(); }

QString OpenMetaBackup::currentBackupPath() const {
    const QString folder = backupPathForMonthsBeforeNow(0);
    QDir().mkpath(folder);
    return folder;
}

QString OpenMetaBackup::backupPathForMonthsBeforeNow(int months) const {
    return OpenMetaBackupNaming::monthFolder(backupFolder(), QDate::currentDate(), months);
}

QString OpenMetaBackup::backupPathForItem(const QString& path) const {
    return currentBackupPath() + QLatin1Char('/') + OpenMetaBackupNaming::calculateBackupFileName(path);
}

bool OpenMetaBackup::backupMetadataNow(const QString& path) {
    const std::optional<PlistValue> backup = OpenMetaBackupContents::backupDictForPath(path);
    if (!backup) return false;
    // Binary, because attribute values written by other programs may hold
    // characters that XML cannot carry.
    if (!writeFileAtomically(backupPathForItem(path), writeBinaryPlist(*backup))) return false;
    written_.fetch_add(1);
    return true;
}

}  // namespace fendle
