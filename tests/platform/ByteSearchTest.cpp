#include "platform/text/ByteSearch.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <string_view>
#include <vector>

using namespace fendle;
using Kernel = ByteSearch::Kernel;

namespace {
std::vector<Kernel> kernelsHere() {
    std::vector<Kernel> kernels;
    for (Kernel k : {Kernel::Portable, Kernel::Sse2, Kernel::Avx2})
        if (ByteSearch::processorRuns(k)) kernels.push_back(k);
    return kernels;
}

// Every kernel the processor runs must agree with the plain search.
void expectFound(std::string_view hay, std::string_view needle) {
    const auto expected = static_cast<qsizetype>(hay.find(needle));
    const qsizetype want = hay.find(needle) == std::string_view::npos ? -1 : expected;
    for (Kernel kernel : kernelsHere()) {
        const ByteSearch search(QByteArrayView(needle.data(), qsizetype(needle.size())), kernel);
        EXPECT_EQ(search.indexIn(QByteArrayView(hay.data(), qsizetype(hay.size()))), want)
            << "kernel " << int(kernel) << " needle '" << needle << "' in " << hay.size() << " bytes";
    }
}
}  // namespace

TEST(ByteSearch, FindsNeedlesAtEveryPlaceAroundTheVectorBlocks) {
    const std::string filler(100, '.');
    for (std::size_t at : {0, 1, 14, 15, 16, 17, 30, 31, 32, 33, 63, 64, 65, 90}) {
        for (std::string needle : {"ab", "abc", "quixt", "a longer needle of more than thirty-two bytes"}) {
            std::string hay = filler + filler;
            hay.replace(at, needle.size(), needle);
            expectFound(hay, needle);
            // The needle ending exactly where the haystack ends.
            expectFound(std::string_view(hay).substr(0, at + needle.size()), needle);
        }
    }
}

TEST(ByteSearch, ShortLongAndEmptyNeedles) {
    expectFound("x", "x");
    expectFound("abcdefghijklmnopqrstuvwxyz0123456789", "9");
    expectFound("abcdefghijklmnopqrstuvwxyz0123456789", "89");
    expectFound("abcdefghijklmnopqrstuvwxyz0123456789", "8");
    expectFound("short", "shorter than this");
    expectFound("", "a");
    expectFound("same length here", "same length here");
    EXPECT_EQ(ByteSearch(QByteArrayView()).indexIn("anything"), 0);
    EXPECT_EQ(ByteSearch(QByteArrayView()).indexIn(QByteArrayView()), 0);
}

TEST(ByteSearch, NoMatchWhenOnlyFirstAndLastBytesAgree) {
    // Candidates everywhere, none right: a..b with a different middle.
    std::string hay;
    for (int i = 0; i < 50; ++i) hay += "axxb";
    expectFound(hay, "ayyb");
    expectFound(hay + "ayyb", "ayyb");
    expectFound(hay, "xb");
}

TEST(ByteSearch, MultiByteUtf8) {
    const std::string hay = "stra\xc3\x9f" "e und \xe2\x82\xac-zeichen, f\xc3\xbcr alle \xf0\x9f\x98\x80 fertig";
    expectFound(hay, "\xc3\x9f");
    expectFound(hay, "\xe2\x82\xac-");
    expectFound(hay, "\xf0\x9f\x98\x80");
    expectFound(hay, "f\xc3\xbcr");
    expectFound(hay, "\xc3\xbc\xc3\xbc");
    // High bytes must not be taken as negative and mismatched in the masks.
    expectFound(std::string(40, '\xff') + "\xfe\xff", "\xfe\xff");
}

TEST(ByteSearch, LongRunsOfTheSameByteStayCorrect) {
    // Every position is a candidate: the search gives up on candidates and
    // must still find the needle at the very end.
    const std::string run(20000, 'a');
    const std::string needle = std::string(300, 'a') + "b";
    expectFound(run, needle);
    expectFound(run + "b", needle);
    expectFound(run + "b" + run, needle);
}

TEST(ByteSearch, AgreesWithThePlainSearchOnRandomText) {
    std::mt19937 random(99);
    std::uniform_int_distribution<int> letter(0, 3);
    std::uniform_int_distribution<int> length(0, 200);
    for (int round = 0; round < 300; ++round) {
        std::string hay(std::size_t(length(random)), ' ');
        for (char& c : hay) c = char('a' + letter(random));
        std::string needle(std::size_t(1 + length(random) % 7), ' ');
        for (char& c : needle) c = char('a' + letter(random));
        expectFound(hay, needle);
    }
}

TEST(ByteSearch, UnavailableKernelFallsBackToOneThatRuns) {
    const ByteSearch search("ab", Kernel::Avx2);
    EXPECT_TRUE(ByteSearch::processorRuns(search.kernel()));
    EXPECT_EQ(search.indexIn("xxab"), 2);
}
