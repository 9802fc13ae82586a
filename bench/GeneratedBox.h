#pragma once
// Boxes for the benchmarks: five keywords per slip drawn from 2,000, about
// 1 KB of text per slip, all from a fixed seed so runs compare.
#include "model/BoxData.h"

#include <malloc.h>

#include <QString>
#include <map>
#include <memory>
#include <random>

namespace fendle::bench {

inline constexpr int KeywordCount = 2000;

inline QString keywordName(int i) { return QStringLiteral("Keyword %1").arg(i); }

inline std::shared_ptr<BoxData> generatedBox(int slips) {
    static std::map<int, std::shared_ptr<BoxData>> made;
    auto& box = made[slips];
    if (box) return box;
    box = std::make_shared<BoxData>();
    std::mt19937 random(4711);
    std::uniform_int_distribution<int> keyword(0, KeywordCount - 1);
    std::uniform_int_distribution<int> letter(0, 25);
    std::uniform_int_distribution<int> wordLength(2, 9);
    SlipDictionary dictionary;
    dictionary.reserve(slips);
    for (int n = 1; n <= slips; ++n) {
        auto slip = std::make_shared<Slip>(static_cast<quint32>(n));
        QStringList keywords;
        for (int k = 0; k < 5; ++k) keywords.append(keywordName(keyword(random)));
        slip->setKeywordsWithoutLastModificationDate(KeywordsArray(keywords));
        QString text;
        text.reserve(1100);
        while (text.size() < 1000) {
            const int length = wordLength(random);
            for (int i = 0; i < length; ++i)
                text.append(QChar(u'a' + letter(random) - (i == 0 && letter(random) < 3 ? 32 : 0)));
            text.append(text.size() % 97 < 10 ? QLatin1Char('\n') : QLatin1Char(' '));
        }
        slip->setTextWithoutLastModificationDate(RichText(text));
        dictionary.insert(slip->key(), slip);
    }
    box->setSlips(std::move(dictionary), {});
    return box;
}

// Bytes the allocator hands out at this moment, for memory costs.
inline long long allocatedBytes() { return static_cast<long long>(mallinfo2().uordblks); }

}  // namespace fendle::bench
