#pragma once
#include "model/Slip.h"

#include <QByteArray>
#include <unordered_map>

namespace fendle {

// Case-folded copies of slip texts as UTF-8, kept across searches so that a
// case-insensitive text search scans bytes instead of folding the whole box
// on every keystroke. An entry stays valid while the slip's text shares the
// storage it was folded from; any edit of the text gives the slip new
// storage and the entry is folded again on next use. Folding is per code
// point, so a folded needle occurs in a folded text exactly when it occurs
// ignoring case in the original.
class FoldedTextCache {
public:
    const QByteArray& foldedText(const Slip& slip);
    // Ends one search over a box of liveSlips slips. Once the cache holds
    // clearly more entries than the box has slips, the entries not asked for
    // since the previous call (slips removed or replaced) are dropped.
    void sweep(qsizetype liveSlips);
    qsizetype count() const { return static_cast<qsizetype>(entries_.size()); }
    // Bytes held by the folded copies (the source texts are shared, not copied).
    qsizetype memoryBytes() const;

private:
    struct Entry {
        QString source;
        QByteArray folded;
        quint64 generation = 0;
    };
    std::unordered_map<const Slip*, Entry> entries_;
    quint64 generation_ = 1;
};

}  // namespace fendle
