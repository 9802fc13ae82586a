#include "appcore/TypeAheadFind.h"

#include <chrono>

namespace fendle {

TypeAheadFind::TypeAheadFind(Clock clock) : clock_(std::move(clock)) {}

double TypeAheadFind::steadySeconds() {
    using namespace std::chrono;
    return duration<double>(steady_clock::now().time_since_epoch()).count();
}

const QString& TypeAheadFind::addCharacters(const QString& characters) {
    const double now = clock_();
    if (!lastEvent_ || now - *lastEvent_ > NewPrefixGap)
        prefix_ = characters;
    else
        prefix_ += characters;
    lastEvent_ = now;
    return prefix_;
}

std::optional<qsizetype> TypeAheadFind::firstMatchFromTop(const QStringList& items, const QString& prefix) {
    for (qsizetype i = 0; i < items.size(); ++i)
        if (items[i].startsWith(prefix, Qt::CaseInsensitive)) return i;
    return std::nullopt;
}

std::optional<qsizetype> TypeAheadFind::firstMatchWrapping(const QStringList& items, const QString& prefix,
                                                           qsizetype start) {
    if (items.isEmpty()) return std::nullopt;
    if (start < 0 || start >= items.size()) start = 0;
    for (qsizetype n = 0; n < items.size(); ++n) {
        const qsizetype i = (start + n) % items.size();
        if (items[i].startsWith(prefix, Qt::CaseSensitive)) return i;
    }
    return std::nullopt;
}

}  // namespace fendle
