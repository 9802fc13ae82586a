#pragma once
#include "openmeta/OpenMetaError.h"

#include <QString>
#include <QStringList>

namespace fendle {

// What a box uses to tag its files: failures become log lines, never
// messages to the user.
class OpenMetaController {
public:
    // Writes the tags, then marks the file as managed. Answers the first
    // failure (already logged), for callers that report it themselves.
    OpenMetaStatus setUserTags(const QStringList& tags, const QString& path) const;
    // The file's tags; none when it has none or they cannot be read.
    QStringList getUserTags(const QString& path) const;
};

}  // namespace fendle
