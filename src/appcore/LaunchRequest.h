#pragma once
#include "platform/system/Result.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>
#include <functional>
#include <optional>

namespace fendle {

// One thing a start of the program asks for: the command-line stand-ins
// for opened files, the URL-open event and the three services.
struct LaunchRequest {
    enum class Kind { Open, SlipLink, NewSlip, Append, SearchBox };
    Kind kind = Kind::Open;
    // An absolute path, a link address or a keyword.
    QString value;
    // What "-" read from standard input, when it was used.
    std::optional<QByteArray> standardInput;
    friend bool operator==(const LaunchRequest&, const LaunchRequest&) = default;
};

// Standard input and hand-off messages above this size are refused.
inline constexpr qint64 MaxLaunchPayload = qint64(64) << 20;

// fendle [FILE|URL]… | --new-slip FILE|- | --append FILE|- | --search-box KEYWORD.
// Relative paths are made absolute against the current folder, so that the
// requests mean the same in another process.
Result<QList<LaunchRequest>> parseCommandLine(const QStringList& arguments,
                                              const std::function<std::optional<QByteArray>()>& readStandardInput);

// The form in which a second start hands its requests to the first.
QByteArray encodeLaunchRequests(const QList<LaunchRequest>& requests);
Result<QList<LaunchRequest>> decodeLaunchRequests(const QByteArray& bytes);

}  // namespace fendle
