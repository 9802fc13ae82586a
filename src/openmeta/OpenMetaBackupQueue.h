#pragma once
#include <QObject>
#include <QSet>
#include <QString>
#include <deque>

namespace fendle {

class OpenMetaBackup;

// The files waiting for their backup, oldest first. It lives on the
// backup thread and is touched only there, by messages posted to it, so it
// needs no lock. The first backup waits a moment so that a burst of writes
// to one file gives one backup; the rest follow at a steady pace.
class OpenMetaBackupQueue : public QObject {
public:
    explicit OpenMetaBackupQueue(OpenMetaBackup& store) : store_(store) {}

    void enqueueBackupItem(const QString& path);
    void doABackup();

private:
    OpenMetaBackup& store_;
    std::deque<QString> queue_;
    QSet<QString> waiting_;  // the same paths, for a quick "already queued?"
};

}  // namespace fendle
