#pragma once
#include <QtGlobal>

namespace fendle {

// A text range in UTF-16 code units, as archived text ranges count them.
struct TextRange {
    qsizetype location = 0;
    qsizetype length = 0;

    qsizetype end() const { return location + length; }
    bool contains(qsizetype index) const { return index >= location && index < end(); }
    friend bool operator==(const TextRange&, const TextRange&) = default;
};

}  // namespace fendle
