#include "platform/ui/Pasteboard.h"

namespace fendle {

bool InMemoryPasteboard::setData(const QString& type, const QByteArray& data) {
    if (!forms_.contains(type)) order_.append(type);
    forms_.insert(type, data);
    return true;
}

std::optional<QByteArray> InMemoryPasteboard::data(const QString& type) const {
    const auto it = forms_.constFind(type);
    if (it == forms_.cend()) return std::nullopt;
    return *it;
}

}  // namespace fendle
