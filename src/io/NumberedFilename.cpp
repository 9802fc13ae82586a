#include "io/NumberedFilename.h"

#include "platform/text/StringValues.h"

#include <QFileInfo>
#include <QStringList>

namespace fendle {
namespace {

constexpr int MaximumTries = 100000;

QString nextCandidate(const QString& path) {
    const QFileInfo info(path);
    const QString name = info.fileName();
    const qsizetype dot = name.lastIndexOf(u'.');
    const QString stem = dot > 0 ? name.left(dot) : name;
    const QString extension = dot > 0 ? name.mid(dot) : QString();
    QStringList pieces = stem.split(u'-');
    const qint64 value = intValueOfString(pieces.last());
    QString numbered;
    if (value == 0 || pieces.size() == 1) {
        numbered = QStringLiteral("%1-1%2").arg(stem, extension);
    } else {
        pieces.removeLast();
        numbered = QStringLiteral("%1-%2%3").arg(pieces.join(u'-')).arg(value + 1).arg(extension);
    }
    const qsizetype slash = path.lastIndexOf(u'/');
    return slash < 0 ? numbered : path.left(slash + 1) + numbered;
}

}  // namespace

std::optional<QString> numberedFilenameForFilename(const QString& path) {
    QString candidate = path;
    for (int i = 0; i < MaximumTries; ++i) {
        candidate = nextCandidate(candidate);
        if (!QFileInfo::exists(candidate) && !QFileInfo(candidate).isSymLink()) return candidate;
    }
    return std::nullopt;
}

}  // namespace fendle
