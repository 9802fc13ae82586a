#include "appcore/Autosaver.h"

#include "document/Box.h"
#include "platform/files/AtomicFile.h"
#include "platform/files/MappedFile.h"
#include "platform/plist/XmlPlist.h"
#include "platform/system/Log.h"
#include "platform/ui/UiPort.h"

#include <QDir>
#include <QFileInfo>
#include <QUuid>

namespace fendle {

namespace {
const QString BoxPathKey = QStringLiteral("boxPath");
const QString DateKey = QStringLiteral("date");
// Records are a few hundred bytes; anything larger is no record of ours.
constexpr qint64 MaxRecordSize = 64 * 1024;
}  // namespace

Autosaver::Autosaver(QString folder) : folder_(std::move(folder)) {
    connect(&timer_, &QTimer::timeout, this, &Autosaver::autosaveAll);
}

Autosaver::~Autosaver() = default;

QString Autosaver::recordPathOf(const QString& copyPath) {
    const QFileInfo info(copyPath);
    return info.dir().filePath(info.completeBaseName() + QStringLiteral(".plist"));
}

void Autosaver::setDelay(qint64 seconds) {
    delaySeconds_ = std::max<qint64>(0, seconds);
    if (delaySeconds_ == 0) {
        timer_.stop();
        return;
    }
    // QTimer counts in int milliseconds: a day is more than any interval asked for.
    timer_.start(int(std::min<qint64>(delaySeconds_, 24 * 3600) * 1000));
}

void Autosaver::watch(const std::shared_ptr<Box>& box) {
    if (!box || watched_.count(box.get())) return;
    watched_[box.get()] = Watched{box, QString()};
    const Box* key = box.get();
    // A saved box has nothing left to recover.
    connect(&box->document(), &BoxDocument::editedChanged, this, [this, key](bool edited) {
        const auto found = watched_.find(key);
        if (!edited && found != watched_.end() && !found->second.copyPath.isEmpty()) {
            removeCopy(found->second.copyPath);
            found->second.copyPath.clear();
        }
    });
}

void Autosaver::forget(const Box& box) {
    const auto found = watched_.find(&box);
    if (found == watched_.end()) return;
    if (!found->second.copyPath.isEmpty()) removeCopy(found->second.copyPath);
    disconnect(&box.document(), nullptr, this, nullptr);
    watched_.erase(found);
}

void Autosaver::autosaveAll() {
    for (auto& [key, watched] : watched_)
        if (const std::shared_ptr<Box> box = watched.box.lock(); box && box->isDocumentEdited()) autosave(*box, watched);
}

void Autosaver::autosave(Box& box, Watched& watched) {
    const bool firstCopy = watched.copyPath.isEmpty();
    if (firstCopy)
        watched.copyPath = QDir(folder_).filePath(QUuid::createUuid().toString(QUuid::WithoutBraces) + QStringLiteral(".fendle"));
    const Status written = writeCopy(box, watched.copyPath);
    if (written) {
        watched.failureShown = false;
        return;
    }
    logLine(QStringLiteral("Autosaver: could not autosave %1: %2").arg(watched.copyPath, written.error()));
    // No half-made copy is left to be offered; an earlier copy stays whole.
    if (firstCopy) {
        removeCopy(watched.copyPath);
        watched.copyPath.clear();
    }
    if (!watched.failureShown) {
        watched.failureShown = true;
        box.ui().displayAlert(AutosaveFailedMessage, written.error());
    }
}

Status Autosaver::writeCopy(Box& box, const QString& copyPath) const {
    if (!QDir().mkpath(folder_)) return Status::failure(QStringLiteral("could not make %1").arg(folder_));
    // The record first: a copy without one would not be offered.
    PlistValue::Dictionary record;
    record.emplace_back(BoxPathKey, PlistValue(box.fileName().value_or(QString())));
    record.emplace_back(DateKey, PlistValue(QDateTime::currentDateTimeUtc()));
    const Status recorded = writeFileAtomically(recordPathOf(copyPath), writeXmlPlist(PlistValue(record)));
    return recorded ? box.writeCopy(copyPath) : recorded;
}

std::optional<QString> Autosaver::copyOf(const Box& box) const {
    const auto found = watched_.find(&box);
    if (found == watched_.end() || found->second.copyPath.isEmpty()) return std::nullopt;
    return found->second.copyPath;
}

QList<Autosaver::Leftover> Autosaver::leftovers() const {
    QList<Leftover> found;
    const QFileInfoList copies = QDir(folder_).entryInfoList({QStringLiteral("*.fendle")}, QDir::Files, QDir::Time);
    for (const QFileInfo& copy : copies) {
        const Result<QByteArray> bytes = readWholeFile(recordPathOf(copy.filePath()), MaxRecordSize);
        const Result<PlistValue> record = bytes ? readPlist(*bytes) : Result<PlistValue>::failure(bytes.error());
        if (!record || record->type() != PlistValue::Type::Dictionary) continue;
        const PlistValue* boxPath = record->value(BoxPathKey);
        const QString path = boxPath && boxPath->type() == PlistValue::Type::String ? boxPath->toString() : QString();
        found.append({copy.filePath(), path.isEmpty() ? std::nullopt : std::optional<QString>(path)});
    }
    return found;
}

void Autosaver::discard(const Leftover& leftover) const { removeCopy(leftover.copyPath); }

void Autosaver::removeCopy(const QString& copyPath) const {
    QFile::remove(copyPath);
    QFile::remove(recordPathOf(copyPath));
}

}  // namespace fendle
