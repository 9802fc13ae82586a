#include "search/FoldedTextCache.h"

#include "platform/TextMatching.h"

namespace fendle {

const QByteArray& FoldedTextCache::foldedText(const Slip& slip) {
    static const QString noText;
    const QString& text = slip.text() ? slip.text()->string() : noText;
    Entry& entry = entries_[&slip];
    entry.generation = generation_;
    const bool current = !entry.folded.isNull() && entry.source.constData() == text.constData() &&
                         entry.source.size() == text.size();
    if (!current) {
        entry.source = text;
        entry.folded = foldCase(text).toUtf8();
        // The encoder reserves three bytes a character; keep only what is used.
        entry.folded.squeeze();
        if (entry.folded.isNull()) entry.folded = QByteArray("", 0);
    }
    return entry.folded;
}

void FoldedTextCache::sweep(qsizetype liveSlips) {
    const auto limit = static_cast<std::size_t>(liveSlips + liveSlips / 4 + 64);
    for (auto it = entries_.begin(); entries_.size() > limit && it != entries_.end();) {
        if (it->second.generation != generation_)
            it = entries_.erase(it);
        else
            ++it;
    }
    ++generation_;
}

qsizetype FoldedTextCache::memoryBytes() const {
    qsizetype bytes = 0;
    for (const auto& [slip, entry] : entries_) bytes += entry.folded.capacity() + static_cast<qsizetype>(sizeof(Entry));
    return bytes;
}

}  // namespace fendle
