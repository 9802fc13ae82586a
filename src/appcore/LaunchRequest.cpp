#include "appcore/LaunchRequest.h"

#include <QDataStream>
#include <QDir>
#include <QFileInfo>
#include <QIODevice>
#include <QUrl>

namespace fendle {

namespace {

constexpr quint32 Magic = 0x46444c31;  // "FDL1"
constexpr quint32 MaxRequests = 10000;

QString absolutePath(const QString& path) { return QFileInfo(QDir::current(), path).absoluteFilePath(); }

Result<LaunchRequest> serviceRequest(LaunchRequest::Kind kind, const QString& value,
                                     const std::function<std::optional<QByteArray>()>& readStandardInput) {
    if (value != QLatin1String("-")) return LaunchRequest{kind, absolutePath(value), std::nullopt};
    std::optional<QByteArray> input = readStandardInput ? readStandardInput() : std::nullopt;
    if (!input) return Result<LaunchRequest>::failure(QStringLiteral("Could not read the standard input"));
    return LaunchRequest{kind, QStringLiteral("-"), std::move(input)};
}

}  // namespace

Result<QList<LaunchRequest>> parseCommandLine(const QStringList& arguments,
                                              const std::function<std::optional<QByteArray>()>& readStandardInput) {
    using Failure = Result<QList<LaunchRequest>>;
    QList<LaunchRequest> requests;
    bool optionsEnded = false;
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString& argument = arguments[i];
        if (!optionsEnded && argument == QLatin1String("--")) {
            optionsEnded = true;
            continue;
        }
        if (!optionsEnded && argument.startsWith(QLatin1String("--"))) {
            const QString option = argument.section(QLatin1Char('='), 0, 0);
            const bool inlineValue = argument.contains(QLatin1Char('='));
            LaunchRequest::Kind kind;
            if (option == QLatin1String("--new-slip")) kind = LaunchRequest::Kind::NewSlip;
            else if (option == QLatin1String("--append")) kind = LaunchRequest::Kind::Append;
            else if (option == QLatin1String("--search-box")) kind = LaunchRequest::Kind::SearchBox;
            else return Failure::failure(QStringLiteral("Unknown option %1").arg(option));
            if (!inlineValue && i + 1 >= arguments.size())
                return Failure::failure(QStringLiteral("%1 needs a value").arg(option));
            const QString value = inlineValue ? argument.section(QLatin1Char('='), 1) : arguments[++i];
            if (kind == LaunchRequest::Kind::SearchBox) {
                requests.append({kind, value, std::nullopt});
                continue;
            }
            Result<LaunchRequest> request = serviceRequest(kind, value, readStandardInput);
            if (!request) return Failure::failure(request.error());
            requests.append(*request);
            continue;
        }
        const QUrl url(argument);
        if (url.scheme().compare(QLatin1String("fendle"), Qt::CaseInsensitive) == 0) {
            requests.append({LaunchRequest::Kind::SlipLink, argument, std::nullopt});
        } else if (url.isLocalFile()) {
            requests.append({LaunchRequest::Kind::Open, url.toLocalFile(), std::nullopt});
        } else if (argument.contains(QLatin1String("://"))) {
            return Failure::failure(QStringLiteral("Cannot open the address %1").arg(argument));
        } else {
            requests.append({LaunchRequest::Kind::Open, absolutePath(argument), std::nullopt});
        }
    }
    return requests;
}

QByteArray encodeLaunchRequests(const QList<LaunchRequest>& requests) {
    QByteArray bytes;
    QDataStream out(&bytes, QIODevice::WriteOnly);
    out.setVersion(QDataStream::Qt_6_4);
    out << Magic << quint32(requests.size());
    for (const LaunchRequest& request : requests) {
        out << quint8(request.kind) << request.value << bool(request.standardInput)
            << request.standardInput.value_or(QByteArray());
    }
    return bytes;
}

Result<QList<LaunchRequest>> decodeLaunchRequests(const QByteArray& bytes) {
    using Failure = Result<QList<LaunchRequest>>;
    if (bytes.size() > MaxLaunchPayload) return Failure::failure(QStringLiteral("The message is too large"));
    QDataStream in(bytes);
    in.setVersion(QDataStream::Qt_6_4);
    quint32 magic = 0, count = 0;
    in >> magic >> count;
    if (in.status() != QDataStream::Ok || magic != Magic || count > MaxRequests)
        return Failure::failure(QStringLiteral("Not a launch message"));
    QList<LaunchRequest> requests;
    for (quint32 i = 0; i < count; ++i) {
        quint8 kind = 0;
        bool hasInput = false;
        LaunchRequest request;
        QByteArray input;
        in >> kind >> request.value >> hasInput >> input;
        if (in.status() != QDataStream::Ok || kind > quint8(LaunchRequest::Kind::SearchBox))
            return Failure::failure(QStringLiteral("Damaged launch message"));
        request.kind = LaunchRequest::Kind(kind);
        if (hasInput) request.standardInput = input;
        requests.append(request);
    }
    return requests;
}

}  // namespace fendle
