#pragma once
#include <QString>
#include <QStringList>
#include <functional>
#include <optional>

namespace fendle {

// The type-ahead text of a list view and the searches it drives. A key that
// comes more than a second after the one before starts a new text; the
// clock is injectable so the gap can be tested without waiting.
class TypeAheadFind {
public:
    // Seconds on a monotonic clock.
    using Clock = std::function<double()>;
    static constexpr double NewPrefixGap = 1.0;

    explicit TypeAheadFind(Clock clock = steadySeconds);
    void setClock(Clock clock) { clock_ = std::move(clock); }

    // Adds a key's characters and answers the type-ahead text now.
    const QString& addCharacters(const QString& characters);
    // Keys that move the selection forget the text typed so far.
    void clear() { prefix_.clear(); }
    const QString& prefix() const { return prefix_; }

    // Tables: the first item, from the top, that begins with the prefix ignoring case.
    static std::optional<qsizetype> firstMatchFromTop(const QStringList& items, const QString& prefix);
    // Outlines: the first item that begins with the prefix (case matters),
    // from start downwards, then from the top up to start.
    static std::optional<qsizetype> firstMatchWrapping(const QStringList& items, const QString& prefix, qsizetype start);

    static double steadySeconds();

private:
    Clock clock_;
    // "XXX" until the first key, which always starts a new text.
    QString prefix_ = QStringLiteral("XXX");
    std::optional<double> lastEvent_;
};

}  // namespace fendle
