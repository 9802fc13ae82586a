#include "lampwick/WrittenFiles.h"

namespace lampwick {

namespace {
bool sameText(const QString& a, const QString& b) {
    return (a.constData() == b.constData() && a.size() == b.size()) || a == b;
}
}  // namespace

WrittenFiles::Snapshot WrittenFiles::snapshot(const fendle::plugin::SlipView& slip, const QString& boxPath) {
    const std::optional<QString> author = slip.author();
    return {qHashMulti(0, boxPath, slip.key(), slip.title(), slip.keywords(), slip.source(), author.has_value(),
                       author.value_or(QString()), slip.creationTime().toMSecsSinceEpoch(),
                       slip.lastModificationTime().toMSecsSinceEpoch()),
            slip.plainText()};
}

void WrittenFiles::useFolder(const QString& folder) {
    if (folder == folder_) return;
    folder_ = folder;
    files_.clear();
}

bool WrittenFiles::unchanged(const QString& name, const Snapshot& slip, const std::optional<FileIdentity>& onDisk) const {
    const auto known = files_.constFind(name);
    return known != files_.cend() && onDisk && *onDisk == known->identity && known->slip.fields == slip.fields &&
           sameText(known->slip.text, slip.text);
}

void WrittenFiles::note(const QString& name, const Snapshot& slip, const std::optional<FileIdentity>& onDisk) {
    if (onDisk)
        files_.insert(name, Written{slip, *onDisk});
    else
        files_.remove(name);
}

}  // namespace lampwick
