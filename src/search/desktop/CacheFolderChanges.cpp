#include "search/desktop/CacheFolderChanges.h"

#include <QFile>

#include <cerrno>
#include <cstring>
#include <sys/inotify.h>
#include <unistd.h>

namespace fendle {

namespace {
constexpr uint32_t EntryEvents = IN_CLOSE_WRITE | IN_MOVED_TO | IN_MOVED_FROM | IN_DELETE | IN_CREATE | IN_ATTRIB;
constexpr uint32_t FolderGoneEvents = IN_DELETE_SELF | IN_MOVE_SELF | IN_IGNORED | IN_Q_OVERFLOW;
}  // namespace

CacheFolderChanges::CacheFolderChanges(QString folder) : folder_(std::move(folder)) {
    descriptor_ = inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
}

CacheFolderChanges::~CacheFolderChanges() {
    if (descriptor_ >= 0) ::close(descriptor_);
}

void CacheFolderChanges::watch() {
    if (watching_ || descriptor_ < 0) return;
    watchDescriptor_ = inotify_add_watch(descriptor_, QFile::encodeName(folder_).constData(),
                                         EntryEvents | FolderGoneEvents | IN_ONLYDIR);
    watching_ = watchDescriptor_ >= 0;
    lost_ = false;
}

std::optional<QSet<QString>> CacheFolderChanges::takeChangedNames() {
    if (!watching_) return std::nullopt;
    QSet<QString> names;
    readEvents(names);
    if (lost_) {
        stopWatching();
        return std::nullopt;
    }
    return names;
}

void CacheFolderChanges::readEvents(QSet<QString>& names) {
    alignas(inotify_event) char buffer[64 * 1024];
    for (;;) {
        const ssize_t length = ::read(descriptor_, buffer, sizeof buffer);
        if (length <= 0) return;  // EAGAIN: nothing more pending
        for (ssize_t offset = 0; offset + ssize_t(sizeof(inotify_event)) <= length;) {
            const auto* event = reinterpret_cast<const inotify_event*>(buffer + offset);
            const ssize_t size = ssize_t(sizeof(inotify_event)) + event->len;
            if (offset + size > length) return;
            if (event->mask & FolderGoneEvents) lost_ = true;
            if (event->len > 0 && event->wd == watchDescriptor_)
                names.insert(QFile::decodeName(QByteArray(event->name, qsizetype(::strnlen(event->name, event->len)))));
            offset += size;
        }
    }
}

void CacheFolderChanges::stopWatching() {
    if (watchDescriptor_ >= 0) inotify_rm_watch(descriptor_, watchDescriptor_);
    // Events of the old watch still queued say nothing about the next one.
    QSet<QString> stale;
    readEvents(stale);
    watchDescriptor_ = -1;
    watching_ = false;
    lost_ = false;
}

}  // namespace fendle
