#pragma once
#include "plugins/FendlePlugIn.h"

namespace fendle {

// The OpenMeta controller as plug-ins reach it; failures are logged.
class OpenMetaPlugInView : public plugin::OpenMetaView {
public:
    void setUserTags(const QStringList& tags, const QString& path) const override;
};

}  // namespace fendle
