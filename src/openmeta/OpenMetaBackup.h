#pragma once
#include <QString>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <optional>

class QThread;

namespace fendle {

class OpenMetaBackupQueue;

// Keeps a backup of every tagged file's OpenMeta attributes, one small
// property-list file per file in the folder of the current month. Files are
// handed over from any thread without waiting; the backups are written one
// at a time on a thread of the store's own, so that tagging thousands of
// files does not hold up the user interface.
class OpenMetaBackup {
public:
    static inline const QString OptOutFileName = QStringLiteral("No Backups Please.txt");
    static constexpr std::chrono::milliseconds FirstDelay{200};
    static constexpr std::chrono::milliseconds Pace{30};
    static constexpr std::chrono::milliseconds QuitWaitLimit{5000};

    // The store of the process, writing below standardBackupFolder().
    static OpenMetaBackup& sharedInstance();
    // $XDG_DATA_HOME/OpenMeta/backups
    static QString standardBackupFolder();

    // A store writing below the given folder; without one, below the
    // standard folder as it is at the time of each backup.
    explicit OpenMetaBackup(std::optional<QString> folder = std::nullopt);
    // Stops the thread; backups still waiting are dropped.
    ~OpenMetaBackup();
    OpenMetaBackup(const OpenMetaBackup&) = delete;
    OpenMetaBackup& operator=(const OpenMetaBackup&) = delete;

    // Queues the file for its backup and returns at once. The thread's
    // messages need the application object (QCoreApplication or a subclass).
    void backupMetadata(const QString& path);
    // The thread, created (and the opt-out file looked for) on first use.
    QThread* backupThread();
    bool backupThreadIsBusy() const { return busy_.load(); }
    bool backupsAreOn() const { return backupsOn_.load(); }
    int backupsWritten() const { return written_.load(); }

    // Waits until everything handed over so far is backed up, at most limit;
    // answers whether the queue was worked off.
    bool waitUntilIdle(std::chrono::milliseconds limit);
    // For a program that is quitting: the remaining files follow each other
    // without pause, and the caller waits for them (at most QuitWaitLimit).
    bool finishBeforeQuit();
    bool isTerminating() const { return terminating_.load(); }

    QString backupFolder() const;
    // The folder of this month, created when missing.
    QString currentBackupPath() const;
    QString backupPathForMonthsBeforeNow(int months) const;
    QString backupPathForItem(const QString& path) const;
    // Writes the file's backup now, on the calling thread; false when there
    // was nothing to back up or the write failed.
    bool backupMetadataNow(const QString& path);

private:
    friend class OpenMetaBackupQueue;
    void setBusy(bool busy);
    void markerReached(quint64 marker);

    const std::optional<QString> folder_;
    std::atomic<bool> backupsOn_{true};
    std::atomic<bool> busy_{false};
    std::atomic<bool> terminating_{false};
    std::atomic<int> written_{0};
    std::atomic<bool> warnedWithoutApplication_{false};

    std::mutex creation_;  // the one lock: making the thread
    std::unique_ptr<QThread> thread_;
    std::atomic<OpenMetaBackupQueue*> queue_{nullptr};

    std::mutex idleMutex_;
    std::condition_variable idleChanged_;
    quint64 markersPosted_ = 0;
    quint64 markersReached_ = 0;
};

}  // namespace fendle
