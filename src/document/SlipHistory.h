#pragma once
#include <QString>
#include <QStringList>
#include <functional>
#include <optional>

namespace fendle {

// The keys of visited slips, oldest first, with the position of the current
// one. Keys whose slip is gone are dropped when a move steps on them.
class SlipHistory {
public:
    static constexpr qsizetype Capacity = 36;
    static constexpr quint32 NoPosition = 0xFFFFFFFFu;
    using Exists = std::function<bool(const QString&)>;

    const QStringList& keys() const { return keys_; }
    quint32 position() const { return position_; }
    std::optional<QString> currentKey() const;

    void reset();
    // A slip became current: the forward part is cut off and the key
    // appended, unless it repeats the entry before the current one.
    void record(const QString& key);
    // Moves the position; answers the key to show, or none.
    std::optional<QString> back(const Exists& exists);
    std::optional<QString> forward(const Exists& exists);

private:
    QStringList keys_;
    quint32 position_ = NoPosition;
};

}  // namespace fendle
