#pragma once
#include "fendlelook/FendleLookInterface.h"

#include <QByteArray>
#include <QUuid>
#include <cstring>

namespace fendle::look {

// Identifiers as the interface passes them: 16 bytes in RFC 4122 order.
inline FLUUIDBytes uuidBytes(const char* text) {
    const QByteArray bytes = QUuid::fromString(QLatin1String(text)).toRfc4122();
    FLUUIDBytes uuid{};
    std::memcpy(uuid.bytes, bytes.constData(), sizeof uuid.bytes);
    return uuid;
}

inline bool sameUuid(const FLUUIDBytes& a, const char* b) {
    const FLUUIDBytes other = uuidBytes(b);
    return std::memcmp(a.bytes, other.bytes, sizeof a.bytes) == 0;
}

}  // namespace fendle::look
