#include "platform/system/Defaults.h"

#include "platform/files/Paths.h"

#include "platform/files/AtomicFile.h"
#include "platform/system/Log.h"
#include "platform/plist/XmlPlist.h"

#include <QDir>
#include <QFile>

namespace fendle {

namespace {
std::unique_ptr<Defaults>& standardStore() {
    static std::unique_ptr<Defaults> store;
    return store;
}
}  // namespace

QString Defaults::configFolder() { return Paths::configFolder(); }

Defaults& Defaults::standard() {
    auto& store = standardStore();
    if (!store) store = std::make_unique<Defaults>(Domain);
    return *store;
}

void Defaults::resetStandard() { standardStore().reset(); }

Defaults::Defaults(const QString& domain, const QString& folder) : domain_(domain), folder_(folder) { load(); }

QString Defaults::filePath() const { return folder_ + QLatin1Char('/') + domain_ + QStringLiteral(".plist"); }

void Defaults::load() {
    if (!QFile::exists(filePath())) return;
    const Result<QByteArray> bytes = readWholeFile(filePath(), MaxFileSize);
    if (!bytes) {
        logLine(QStringLiteral("Defaults: cannot read %1: %2").arg(filePath(), bytes.error()));
        return;
    }
    const Result<PlistValue> plist = readPlist(*bytes);
    if (!plist || plist->type() != PlistValue::Type::Dictionary) {
        // A damaged file is left alone until the next write replaces it.
        logLine(QStringLiteral("Defaults: %1 is not a dictionary").arg(filePath()));
        return;
    }
    values_ = plist->dictionary();
}

const PlistValue* Defaults::find(const PlistValue::Dictionary& values, const QString& key) {
    for (const auto& [name, value] : values)
        if (name == key) return &value;
    return nullptr;
}

std::optional<PlistValue> Defaults::persistentObjectForKey(const QString& key) const {
    if (const PlistValue* value = find(values_, key)) return *value;
    return std::nullopt;
}

std::optional<PlistValue> Defaults::objectForKey(const QString& key) const {
    if (auto value = persistentObjectForKey(key)) return value;
    if (const PlistValue* value = find(registered_, key)) return *value;
    return std::nullopt;
}

void Defaults::setObject(const QString& key, const PlistValue& value) {
    for (auto& [name, old] : values_) {
        if (name == key) {
            if (!(old == value)) {
                old = value;
                dirty_ = true;
            }
            return;
        }
    }
    values_.emplace_back(key, value);
    dirty_ = true;
}

void Defaults::removeObject(const QString& key) {
    const auto before = values_.size();
    std::erase_if(values_, [&](const auto& entry) { return entry.first == key; });
    if (values_.size() != before) dirty_ = true;
}

void Defaults::registerDefaults(const PlistValue::Dictionary& values) {
    for (const auto& entry : values) {
        const QString& key = entry.first;
        std::erase_if(registered_, [&key](const auto& old) { return old.first == key; });
        registered_.push_back(entry);
    }
}

bool Defaults::toBool(const PlistValue& value) {
    switch (value.type()) {
    case PlistValue::Type::Boolean:
    case PlistValue::Type::Integer:
        return value.toInteger() != 0;
    case PlistValue::Type::Real:
        return value.toReal() != 0;
    case PlistValue::Type::String: {
        const QString s = value.toString().trimmed().toLower();
        return s == QLatin1String("yes") || s == QLatin1String("true") || s.toLongLong() != 0;
    }
    default:
        return false;
    }
}

qint64 Defaults::toInteger(const PlistValue& value) {
    switch (value.type()) {
    case PlistValue::Type::Boolean:
    case PlistValue::Type::Integer:
        return value.toInteger();
    case PlistValue::Type::Real: {
        const double r = value.toReal();
        // Out-of-range and NaN values would be undefined to convert.
        if (!(r > -9.2e18 && r < 9.2e18)) return 0;
        return static_cast<qint64>(r);
    }
    case PlistValue::Type::String:
        return value.toString().trimmed().toLongLong();
    default:
        return 0;
    }
}

bool Defaults::boolForKey(const QString& key) const {
    const auto value = objectForKey(key);
    return value && toBool(*value);
}

qint64 Defaults::integerForKey(const QString& key) const {
    const auto value = objectForKey(key);
    return value ? toInteger(*value) : 0;
}

QString Defaults::stringForKey(const QString& key) const {
    const auto value = objectForKey(key);
    if (!value) return QString();
    if (value->type() == PlistValue::Type::String) return value->toString();
    if (value->type() == PlistValue::Type::Integer) return QString::number(value->toInteger());
    return QString();
}

void Defaults::setPersistentDomain(const PlistValue::Dictionary& values) {
    values_ = values;
    dirty_ = true;
}

bool Defaults::removePersistentDomain() {
    values_.clear();
    dirty_ = false;
    return !QFile::exists(filePath()) || QFile::remove(filePath());
}

Status Defaults::synchronize() {
    if (!dirty_) return succeeded();
    if (!QDir().mkpath(folder_)) return Status::failure(QStringLiteral("Cannot make the folder %1").arg(folder_));
    const Status written = writeFileAtomically(filePath(), writeXmlPlist(PlistValue(values_)));
    if (written) {
        dirty_ = false;
        ++writes_;
    }
    return written;
}

}  // namespace fendle
