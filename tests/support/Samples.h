#pragma once
// The sample files of the file formats live beside the repository, not in
// it: a clone without them skips the tests that read them instead of failing.
#include <QByteArray>
#include <QString>
#include <gtest/gtest.h>
#include <string>

namespace fendle::test {

// The folder the samples are looked for in.
QString samplesFolder();
bool haveSamples();
std::string missingSamplesMessage();

// A file inside that folder, e.g. "keyed/box-small.fendle".
QString samplePath(const QString& relative);
QByteArray sampleBytes(const QString& relative);

}  // namespace fendle::test

// The first statement of every test (or SetUp) that reads a sample file.
#define REQUIRE_SAMPLES()                  \
    if (::fendle::test::haveSamples()) {   \
    } else                                 \
        GTEST_SKIP() << ::fendle::test::missingSamplesMessage()
