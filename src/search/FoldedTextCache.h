#pragma once
#include "model/Slip.h"

#include <QByteArray>
#include <unordered_map>
#include <vector>

namespace fendle {

// Case-folded copies of slip texts as UTF-8, kept across searches so that a
// case-insensitive text search scans bytes instead of folding the whole box
// on every keystroke. An entry stays valid while the slip's text revision is
// the one it was folded from. Folding is per code point, so a folded needle
// occurs in a folded text exactly when it occurs ignoring case in the
// original.
//
// Searches visit the slips in the same order every time, so the entries are
// kept in that order: the next slip is usually the next entry, found without
// hashing, and its folded bytes follow the previous ones in memory.
class FoldedTextCache {
public:
    // Valid until the next call.
    const QByteArray& foldedText(const Slip& slip);
    // Ends one search over a box of liveSlips slips. Entries visited out of
    // order are put in this search's order. Once the cache holds clearly more
    // entries than the box has slips, the entries not asked for since the
    // previous call (slips removed or replaced) are dropped.
    void sweep(qsizetype liveSlips);
    qsizetype count() const { return static_cast<qsizetype>(entries_.size()); }
    // Bytes held by the folded copies and the bookkeeping.
    qsizetype memoryBytes() const;

private:
    struct Entry {
        const Slip* slip = nullptr;
        quint64 revision = 0;
        quint64 generation = 0;
        QByteArray folded;
    };

    static constexpr std::size_t PrefetchDistance = 8;

    Entry* entryInSequence(const Slip& slip);
    void prefetchAhead(std::size_t position) const;
    Entry& entryOutOfSequence(const Slip& slip);
    const QByteArray& visit(Entry& entry, const Slip& slip);
    void reorder(bool dropUnvisited);

    std::vector<Entry> entries_;
    std::unordered_map<const Slip*, std::size_t> positions_;
    std::vector<std::size_t> visits_;  // entry positions in this search's order
    std::size_t cursor_ = 0;           // where the next slip is expected
    bool outOfOrder_ = false;
    quint64 generation_ = 1;
};

}  // namespace fendle
