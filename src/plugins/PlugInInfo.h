#pragma once
#include "platform/plist/PlistValue.h"

#include <QDateTime>
#include <QString>
#include <optional>

namespace fendle {

// The Info keys the host reads, from a bundle's Info dictionary or a
// catalogue entry alike. Both come from others, so every value is read
// typed: a value of the wrong type counts as absent.
class PlugInInfo {
public:
    PlugInInfo() = default;
    explicit PlugInInfo(PlistValue::Dictionary info) : info_(std::move(info)) {}

    QString identifier() const { return string("CFBundleIdentifier"); }
    QString version() const { return string("CFBundleVersion"); }
    QString name() const { return string("ZNPlugInName"); }
    QString description() const { return string("ZNPlugInDescription"); }
    std::optional<QString> requiredVersion() const;
    std::optional<QDateTime> versionDate() const;
    QString string(const char* key) const;
    const PlistValue* entry(const QString& key) const;
    const PlistValue::Dictionary& dictionary() const { return info_; }

private:
    PlistValue::Dictionary info_;
};

}  // namespace fendle
