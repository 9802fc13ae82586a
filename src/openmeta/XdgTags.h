#pragma once
#include "openmeta/OpenMetaError.h"

#include <QString>
#include <QStringList>

namespace fendle {

// The freedesktop tag attribute ("user.xdg.tags": tags joined by ","), which
// Linux file managers and desktop search show, kept beside the OpenMeta tags.
class XdgTags {
public:
    static inline const QString AttributeName = QStringLiteral("xdg.tags");

    // An empty list removes the attribute.
    static OpenMetaStatus write(const QStringList& tags, const QString& path);
};

}  // namespace fendle
