#include "document/SlipHistory.h"

namespace fendle {

std::optional<QString> SlipHistory::currentKey() const {
    if (position_ == NoPosition || position_ >= static_cast<quint32>(keys_.size())) return std::nullopt;
    return keys_.at(position_);
}

void SlipHistory::reset() {
    keys_.clear();
    position_ = NoPosition;
}

void SlipHistory::record(const QString& key) {
    // After A -> B -> A the position stays on B's entry while A is shown.
    if (!keys_.isEmpty() && position_ != 0 && position_ != NoPosition && position_ <= keys_.size() &&
        keys_.at(position_ - 1) == key)
        return;
    if (position_ == Capacity - 1) {
        keys_.removeFirst();
    } else {
        position_ = position_ == NoPosition ? 0 : position_ + 1;
    }
    if (position_ < keys_.size()) keys_.erase(keys_.begin() + position_, keys_.end());
    // A position beyond the entries (possible only after stale entries were
    // dropped) closes up to the end.
    position_ = static_cast<quint32>(keys_.size());
    keys_.append(key);
}

std::optional<QString> SlipHistory::back(const Exists& exists) {
    while (!keys_.isEmpty() && position_ != 0 && position_ != NoPosition) {
        --position_;
        if (position_ >= keys_.size()) continue;
        if (exists(keys_.at(position_))) return keys_.at(position_);
        keys_.removeAt(position_);
    }
    return std::nullopt;
}

std::optional<QString> SlipHistory::forward(const Exists& exists) {
    if (position_ == NoPosition) return std::nullopt;
    while (position_ + 1 < keys_.size() && position_ < Capacity - 1) {
        const QString& next = keys_.at(position_ + 1);
        if (exists(next)) {
            ++position_;
            return keys_.at(position_);
        }
        keys_.removeAt(position_ + 1);
    }
    return std::nullopt;
}

}  // namespace fendle
