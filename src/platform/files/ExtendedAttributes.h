#pragma once
#include <QByteArray>
#include <QString>
#include <QStringList>
#include <optional>

namespace fendle {

// Extended attributes of a file, by the names the other platform uses
// ("net.halvorn.fendle.LastSlipOpen"); on Linux each name lives under the
// "user." namespace. A final symbolic link is never followed.
class ExtendedAttributes {
public:
    struct Result {
        bool ok = false;
        QString message;      // why it failed
        int errorNumber = 0;  // errno of the failed call
    };
    struct Value {
        std::optional<QByteArray> bytes;  // absent when missing or unreadable
        QString message;                  // empty when the attribute is simply missing
        int errorNumber = 0;              // errno of a failed call, 0 otherwise
    };
    // Values above this size are refused on reading.
    static constexpr qsizetype MaxValueSize = 64 * 1024;

    static Result set(const QString& path, const QString& name, const QByteArray& value);
    static Value get(const QString& path, const QString& name);
    // The names of the "user." namespace, without the prefix.
    static std::optional<QStringList> list(const QString& path, QString* message = nullptr);
    static Result remove(const QString& path, const QString& name);

    static QByteArray systemName(const QString& name);
};

}  // namespace fendle
