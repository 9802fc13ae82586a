#pragma once
#include "plugins/FendlePlugIn.h"

namespace fendle {

class Defaults;
class PlistValue;

// The host's log, property-list writer, atomic file writer and defaults, as
// plug-ins reach them.
class PlugInServices : public plugin::HostServices {
public:
    explicit PlugInServices(const Defaults& defaults) : defaults_(defaults) {}
    void log(const QString& line) const override;
    QByteArray xmlPropertyList(const QVariant& value) const override;
    bool writeCacheFile(const QString& path, const QByteArray& bytes) const override;
    QString dateDescription(const QDateTime& date) const override;
    bool boolDefault(const QString& key) const override;
    QString spotlightCacheFolder() const override;

    static PlistValue plistFromVariant(const QVariant& value);

private:
    const Defaults& defaults_;
};

}  // namespace fendle
