#include "lampwick/WrittenFiles.h"

#include <QFile>
#include <sys/stat.h>

namespace lampwick {

size_t WrittenFiles::fingerprint(const fendle::plugin::SlipView& slip, const QString& boxPath) {
    const std::optional<QString> author = slip.author();
    return qHashMulti(0, boxPath, slip.key(), slip.title(), slip.plainText(), slip.keywords(), slip.source(),
                      author.has_value(), author.value_or(QString()), slip.creationTime().toMSecsSinceEpoch(),
                      slip.lastModificationTime().toMSecsSinceEpoch());
}

bool WrittenFiles::stat(const QString& path, OnDisk& identity) {
    struct stat info {};
    if (::stat(QFile::encodeName(path).constData(), &info) != 0) return false;
    identity.device = info.st_dev;
    identity.inode = info.st_ino;
    identity.size = info.st_size;
    identity.modifiedNanoseconds = qint64(info.st_mtim.tv_sec) * 1000000000 + info.st_mtim.tv_nsec;
    return true;
}

bool WrittenFiles::unchanged(const QString& path, size_t fingerprint) const {
    const auto known = files_.constFind(path);
    if (known == files_.cend() || known->fingerprint != fingerprint) return false;
    OnDisk now{fingerprint};
    return stat(path, now) && now == *known;
}

void WrittenFiles::note(const QString& path, size_t fingerprint) {
    OnDisk identity{fingerprint};
    if (stat(path, identity))
        files_.insert(path, identity);
    else
        files_.remove(path);
}

}  // namespace lampwick
