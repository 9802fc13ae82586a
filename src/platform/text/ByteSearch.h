#pragma once
#include <QByteArray>
#include <QByteArrayView>

namespace fendle {

// Finds one needle in many haystacks of bytes. Vector registers compare the
// needle's first and last byte at sixteen or thirty-two positions at once and
// only the few positions where both agree are compared in full; on text that
// is several times faster than a general substring search.
class ByteSearch {
public:
    enum class Kernel { Portable, Sse2, Avx2 };

    // Uses the widest kernel this processor runs.
    explicit ByteSearch(QByteArrayView needle);
    // Tests ask for a kernel; one the processor lacks falls back to a narrower one.
    ByteSearch(QByteArrayView needle, Kernel kernel);

    // Offset of the first occurrence, or -1. An empty needle occurs at 0.
    qsizetype indexIn(QByteArrayView haystack) const;
    bool occursIn(QByteArrayView haystack) const { return indexIn(haystack) >= 0; }

    Kernel kernel() const { return kernel_; }
    static bool processorRuns(Kernel kernel);

private:
    QByteArray needle_;
    Kernel kernel_;
};

}  // namespace fendle
