#pragma once
#include <QSet>
#include <QString>
#include <optional>

namespace fendle {

// The names of the entries of one folder that changed since last asked, as
// the kernel reports them (inotify), so that a refresh looks at those files
// and not at a hundred thousand. Where the kernel cannot tell (no watch yet,
// the folder replaced, its event queue overflowed) the answer is none and
// the caller looks at everything.
class CacheFolderChanges {
public:
    explicit CacheFolderChanges(QString folder);
    ~CacheFolderChanges();
    CacheFolderChanges(const CacheFolderChanges&) = delete;
    CacheFolderChanges& operator=(const CacheFolderChanges&) = delete;

    // Starts watching when not yet watching; call before looking at the
    // whole folder, so that nothing done meanwhile is missed.
    void watch();
    // The names reported since the last call; none when unknown.
    std::optional<QSet<QString>> takeChangedNames();
    // Readable when changes are pending (for a socket notifier); -1 when the
    // kernel offers no watching at all.
    int descriptor() const { return descriptor_; }
    bool watching() const { return watching_; }

private:
    QString folder_;
    int descriptor_ = -1;
    int watchDescriptor_ = -1;
    bool watching_ = false;
    bool lost_ = false;

    void readEvents(QSet<QString>& names);
    void stopWatching();
};

}  // namespace fendle
