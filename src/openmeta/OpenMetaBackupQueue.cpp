#include "openmeta/OpenMetaBackupQueue.h"

#include "openmeta/OpenMetaBackup.h"

#include <QTimer>

namespace fendle {

void OpenMetaBackupQueue::enqueueBackupItem(const QString& path) {
    store_.setBusy(true);
    if (waiting_.contains(path)) return;
    waiting_.insert(path);
    queue_.push_back(path);
    if (queue_.size() == 1) QTimer::singleShot(OpenMetaBackup::FirstDelay, this, &OpenMetaBackupQueue::doABackup);
}

void OpenMetaBackupQueue::doABackup() {
    if (queue_.empty()) return;
    const QString path = queue_.front();
    store_.backupMetadataNow(path);
    queue_.pop_front();
    waiting_.remove(path);
    if (queue_.empty()) {
        store_.setBusy(false);
        return;
    }
    const auto pause = store_.isTerminating() ? std::chrono::milliseconds(0) : OpenMetaBackup::Pace;
    QTimer::singleShot(pause, this, &OpenMetaBackupQueue::doABackup);
}

}  // namespace fendle
