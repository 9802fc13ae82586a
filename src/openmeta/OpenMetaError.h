#pragma once
#include <QString>
#include <optional>

namespace fendle {

// Why an OpenMeta operation failed: a domain, a code and the "info" text.
// Attribute calls that fail give the "posix" domain with errno as the code.
struct OpenMetaError {
    static inline const QString Domain = QStringLiteral("openmeta");
    static inline const QString PosixDomain = QStringLiteral("posix");
    static constexpr int ParameterErrorCode = -1;
    static constexpr int SerializationErrorCode = -2;
    static constexpr int TooBigErrorCode = -5;

    QString domain;
    int code = 0;
    QString info;

    static OpenMetaError parameterError();
    static OpenMetaError serializationError(const QString& description);
    static OpenMetaError tooBigError();
    // The error number with its system text.
    static OpenMetaError posixError(int errorNumber);

    // One line for logs and the command line: "domain code: info".
    QString description() const;
    friend bool operator==(const OpenMetaError&, const OpenMetaError&) = default;
};

// An operation's answer: no error, or the error.
using OpenMetaStatus = std::optional<OpenMetaError>;

// A value, or the error that stopped the operation. A read answers neither
// when the attribute is simply not there.
template <typename T>
struct OpenMetaAnswer {
    std::optional<T> value;
    OpenMetaStatus error;
};

}  // namespace fendle
