#include "search/FoldedTextCache.h"

#include "platform/text/TextMatching.h"

namespace fendle {

namespace {
QByteArray foldedUtf8(const Slip& slip) {
    if (!slip.text()) return QByteArray("", 0);
    QByteArray folded = foldCase(slip.text()->string()).toUtf8();
    // The encoder reserves three bytes a character; keep only what is used.
    folded.squeeze();
    return folded.isNull() ? QByteArray("", 0) : folded;
}
}  // namespace

const QByteArray& FoldedTextCache::foldedText(const Slip& slip) {
    if (Entry* entry = entryInSequence(slip)) return visit(*entry, slip);
    return visit(entryOutOfSequence(slip), slip);
}

// The entry at the cursor, or the one just visited when a predicate tests the
// text of one slip twice.
FoldedTextCache::Entry* FoldedTextCache::entryInSequence(const Slip& slip) {
    if (cursor_ < entries_.size() && entries_[cursor_].slip == &slip) {
        prefetchAhead(cursor_ + PrefetchDistance);
        visits_.push_back(cursor_);
        return &entries_[cursor_++];
    }
    if (cursor_ > 0 && entries_[cursor_ - 1].slip == &slip) return &entries_[cursor_ - 1];
    return nullptr;
}

// A search over a large box waits mostly on memory: the slip's revision and
// the folded bytes of slips a few places ahead are asked for early.
void FoldedTextCache::prefetchAhead(std::size_t position) const {
    if (position >= entries_.size()) return;
    const Entry& ahead = entries_[position];
    ahead.slip->prefetchTextRevision();
    __builtin_prefetch(ahead.folded.constData());
}

FoldedTextCache::Entry& FoldedTextCache::entryOutOfSequence(const Slip& slip) {
    const auto [it, added] = positions_.try_emplace(&slip, entries_.size());
    if (added) {
        entries_.push_back(Entry{&slip, 0, 0, QByteArray()});
        // A slip new to the cache at the end of the sequence keeps the order.
        if (cursor_ + 1 != entries_.size()) outOfOrder_ = true;
    } else {
        outOfOrder_ = true;
    }
    cursor_ = it->second + 1;
    visits_.push_back(it->second);
    return entries_[it->second];
}

const QByteArray& FoldedTextCache::visit(Entry& entry, const Slip& slip) {
    entry.generation = generation_;
    if (entry.revision != slip.textRevision() || entry.folded.isNull()) {
        entry.folded = foldedUtf8(slip);
        entry.revision = slip.textRevision();
    }
    return entry.folded;
}

void FoldedTextCache::sweep(qsizetype liveSlips) {
    const auto limit = static_cast<std::size_t>(liveSlips + liveSlips / 4 + 64);
    const bool dropUnvisited = entries_.size() > limit;
    if (outOfOrder_ || dropUnvisited) reorder(dropUnvisited);
    visits_.clear();
    cursor_ = 0;
    outOfOrder_ = false;
    ++generation_;
}

// Lays the entries out in the order of the search just ended, the ones it did
// not visit after them unless they are dropped.
void FoldedTextCache::reorder(bool dropUnvisited) {
    std::vector<Entry> ordered;
    ordered.reserve(entries_.size());
    std::vector<bool> moved(entries_.size(), false);
    const auto take = [&](std::size_t position) {
        if (moved[position]) return;
        moved[position] = true;
        ordered.push_back(std::move(entries_[position]));
    };
    for (const std::size_t position : visits_) take(position);
    if (!dropUnvisited)
        for (std::size_t position = 0; position < entries_.size(); ++position) take(position);
    entries_ = std::move(ordered);
    positions_.clear();
    for (std::size_t position = 0; position < entries_.size(); ++position) positions_[entries_[position].slip] = position;
}

qsizetype FoldedTextCache::memoryBytes() const {
    qsizetype bytes = static_cast<qsizetype>(entries_.capacity() * sizeof(Entry) +
                                             positions_.size() * (sizeof(void*) * 2 + sizeof(std::size_t)) +
                                             visits_.capacity() * sizeof(std::size_t));
    for (const Entry& entry : entries_) bytes += entry.folded.capacity();
    return bytes;
}

}  // namespace fendle
