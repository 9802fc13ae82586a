#include "openmeta/XdgTags.h"

#include "platform/files/ExtendedAttributes.h"

#include <cerrno>

namespace fendle {

OpenMetaStatus XdgTags::write(const QStringList& tags, const QString& path) {
    const ExtendedAttributes::Result result =
        tags.isEmpty() ? ExtendedAttributes::remove(path, AttributeName)
                       : ExtendedAttributes::set(path, AttributeName, tags.join(QLatin1Char(',')).toUtf8());
    if (result.ok || (tags.isEmpty() && result.errorNumber == ENODATA)) return std::nullopt;
    return OpenMetaError::posixError(result.errorNumber);
}

}  // namespace fendle
