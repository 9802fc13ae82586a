#include "platform/text/ByteSearch.h"

#include <cstring>

#if defined(__x86_64__) || defined(__i386__)
#include <immintrin.h>
#define FENDLE_X86 1
#endif

namespace fendle {

namespace {

// Candidates are positions whose first and last byte match; the bytes
// between are compared here. Needles are at least two bytes long.
inline bool middleMatches(const char* at, const char* needle, qsizetype needleSize) {
    return std::memcmp(at + 1, needle + 1, static_cast<std::size_t>(needleSize - 2)) == 0;
}

// The general search, linear in the worst case.
qsizetype findPortable(const char* hay, qsizetype from, qsizetype haySize, const char* needle, qsizetype needleSize) {
    const void* at = memmem(hay + from, static_cast<std::size_t>(haySize - from), needle,
                            static_cast<std::size_t>(needleSize));
    return at ? static_cast<const char*>(at) - hay : -1;
}

// Positions from `from` on, one at a time: the end of a haystack too short
// for another full vector, at most 31 positions.
qsizetype findScalar(const char* hay, qsizetype from, qsizetype haySize, const char* needle, qsizetype needleSize) {
    const char first = needle[0], last = needle[needleSize - 1];
    for (qsizetype i = from; i + needleSize <= haySize; ++i) {
        if (hay[i] == first && hay[i + needleSize - 1] == last && middleMatches(hay + i, needle, needleSize)) return i;
    }
    return -1;
}

#ifdef FENDLE_X86
// The set bits of mask are candidate offsets from block; the first that holds.
// Counts the candidates compared in vain.
inline qsizetype firstCandidate(unsigned mask, const char* block, const char* needle, qsizetype needleSize,
                                qsizetype& failed) {
    while (mask != 0) {
        const int bit = __builtin_ctz(mask);
        if (middleMatches(block + bit, needle, needleSize)) return bit;
        ++failed;
        mask &= mask - 1;
    }
    return -1;
}

// Text made to match the first and last byte everywhere (a long run of one
// letter, say) would make the candidate checks quadratic; past a budget of
// wasted comparisons the linear search takes over.
inline bool tooManyCandidates(qsizetype failed, qsizetype needleSize, qsizetype scanned) {
    return failed * needleSize > 4 * scanned + 4096;
}

qsizetype findSse2(const char* hay, qsizetype from, qsizetype haySize, const char* needle, qsizetype needleSize) {
    const __m128i first = _mm_set1_epi8(needle[0]);
    const __m128i last = _mm_set1_epi8(needle[needleSize - 1]);
    qsizetype i = from, failed = 0;
    // Both loads stay inside the haystack: the second ends at i + needleSize + 14.
    for (; i + needleSize + 15 <= haySize; i += 16) {
        const __m128i a = _mm_loadu_si128(reinterpret_cast<const __m128i*>(hay + i));
        const __m128i b = _mm_loadu_si128(reinterpret_cast<const __m128i*>(hay + i + needleSize - 1));
        const auto mask = static_cast<unsigned>(_mm_movemask_epi8(_mm_and_si128(_mm_cmpeq_epi8(a, first), _mm_cmpeq_epi8(b, last))));
        const qsizetype found = firstCandidate(mask, hay + i, needle, needleSize, failed);
        if (found >= 0) return i + found;
        if (tooManyCandidates(failed, needleSize, i - from)) return findPortable(hay, i + 16, haySize, needle, needleSize);
    }
    return findScalar(hay, i, haySize, needle, needleSize);
}

__attribute__((target("avx2"))) qsizetype findAvx2(const char* hay, qsizetype haySize, const char* needle,
                                                    qsizetype needleSize) {
    const __m256i first = _mm256_set1_epi8(needle[0]);
    const __m256i last = _mm256_set1_epi8(needle[needleSize - 1]);
    qsizetype i = 0, failed = 0;
    for (; i + needleSize + 31 <= haySize; i += 32) {
        const __m256i a = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(hay + i));
        const __m256i b = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(hay + i + needleSize - 1));
        const auto mask = static_cast<unsigned>(
            _mm256_movemask_epi8(_mm256_and_si256(_mm256_cmpeq_epi8(a, first), _mm256_cmpeq_epi8(b, last))));
        const qsizetype found = firstCandidate(mask, hay + i, needle, needleSize, failed);
        if (found >= 0) return i + found;
        if (tooManyCandidates(failed, needleSize, i)) return findPortable(hay, i + 32, haySize, needle, needleSize);
    }
    return findSse2(hay, i, haySize, needle, needleSize);
}
#endif

ByteSearch::Kernel widestKernel() {
    static const ByteSearch::Kernel widest = ByteSearch::processorRuns(ByteSearch::Kernel::Avx2)
                                                 ? ByteSearch::Kernel::Avx2
                                             : ByteSearch::processorRuns(ByteSearch::Kernel::Sse2)
                                                 ? ByteSearch::Kernel::Sse2
                                                 : ByteSearch::Kernel::Portable;
    return widest;
}

}  // namespace

bool ByteSearch::processorRuns(Kernel kernel) {
    switch (kernel) {
    case Kernel::Portable: return true;
#ifdef FENDLE_X86
    case Kernel::Sse2: return __builtin_cpu_supports("sse2");
    case Kernel::Avx2: return __builtin_cpu_supports("avx2");
#else
    default: return false;
#endif
    }
    return false;
}

ByteSearch::ByteSearch(QByteArrayView needle) : ByteSearch(needle, widestKernel()) {}

ByteSearch::ByteSearch(QByteArrayView needle, Kernel kernel) : needle_(needle.toByteArray()), kernel_(kernel) {
    while (!processorRuns(kernel_)) kernel_ = static_cast<Kernel>(static_cast<int>(kernel_) - 1);
}

qsizetype ByteSearch::indexIn(QByteArrayView haystack) const {
    const qsizetype needleSize = needle_.size(), haySize = haystack.size();
    if (needleSize == 0) return 0;
    if (needleSize > haySize) return -1;
    const char* hay = haystack.data();
    const char* needle = needle_.constData();
    if (needleSize == 1) {
        const void* at = std::memchr(hay, needle[0], static_cast<std::size_t>(haySize));
        return at ? static_cast<const char*>(at) - hay : -1;
    }
    switch (kernel_) {
#ifdef FENDLE_X86
    case Kernel::Avx2: return findAvx2(hay, haySize, needle, needleSize);
    case Kernel::Sse2: return findSse2(hay, 0, haySize, needle, needleSize);
#endif
    default: return findPortable(hay, 0, haySize, needle, needleSize);
    }
}

}  // namespace fendle
