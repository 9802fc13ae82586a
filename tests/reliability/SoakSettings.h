#pragma once
#include <QRandomGenerator>
#include <QtGlobal>
#include <cstdio>

namespace fendle::test {

// CI runs the short forms of the long tests with a fixed seed; `make soak`
// sets FENDLE_SOAK=1 for the long forms with a random seed, or the seed in
// FENDLE_SEED to repeat a run. The seed is printed first, so that a failure
// can be repeated.
struct SoakSettings {
    bool soak = false;
    quint64 seed = 0;

    static SoakSettings fromEnvironment(const char* test, quint64 fixedSeed) {
        SoakSettings settings;
        settings.soak = qEnvironmentVariableIntValue("FENDLE_SOAK") != 0;
        bool given = false;
        const quint64 seed = qEnvironmentVariable("FENDLE_SEED").toULongLong(&given);
        settings.seed = given ? seed : settings.soak ? QRandomGenerator::system()->generate64() : fixedSeed;
        std::printf("%s: %s run, seed %llu (FENDLE_SEED=%llu repeats it)\n", test, settings.soak ? "soak" : "short",
                    static_cast<unsigned long long>(settings.seed), static_cast<unsigned long long>(settings.seed));
        std::fflush(stdout);
        return settings;
    }
    // The short count in CI, the long one in a soak run.
    qint64 count(qint64 shortCount, qint64 soakCount) const { return soak ? soakCount : shortCount; }
};

}  // namespace fendle::test
