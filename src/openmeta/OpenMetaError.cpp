#include "openmeta/OpenMetaError.h"

#include <cstring>

namespace fendle {

OpenMetaError OpenMetaError::parameterError() {
    return {Domain, ParameterErrorCode, QStringLiteral("Open Meta parameter error")};
}

OpenMetaError OpenMetaError::serializationError(const QString& description) {
    return {Domain, SerializationErrorCode, description};
}

OpenMetaError OpenMetaError::tooBigError() {
    return {Domain, TooBigErrorCode,
            QStringLiteral("Meta data is too big - size as binary plist must be less than (perhaps 4k?) some number "
                           "of bytes")};
}

OpenMetaError OpenMetaError::posixError(int errorNumber) {
    return {PosixDomain, errorNumber, QString::fromLocal8Bit(std::strerror(errorNumber))};
}

QString OpenMetaError::description() const { return QStringLiteral("%1 %2: %3").arg(domain).arg(code).arg(info); }

}  // namespace fendle
