// The only test source that knows where this checkout and its build are:
// the paths come in as compile definitions of this file alone, so the
// compiler cache still serves every other test source to another clone.
#include "support/BuildPaths.h"
#include "support/Samples.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace fendle::test {

QString cliPath() { return QStringLiteral(FENDLE_CLI_PATH); }

QString saveLoopPath() { return QStringLiteral(FENDLE_SAVE_LOOP_PATH); }

QString scratchFolder() { return QStringLiteral(FENDLE_TEST_SCRATCH_DIR); }

QString binaryFolder() { return QStringLiteral(FENDLE_BINARY_DIR); }

QString sourceFolder() { return QStringLiteral(FENDLE_SOURCE_DIR); }

QString samplesFolder() { return QDir::cleanPath(QStringLiteral(FENDLE_SAMPLES_DIR)); }

bool haveSamples() {
    static const bool present = QFileInfo(samplesFolder()).isDir();
    return present;
}

std::string missingSamplesMessage() {
    return "needs the sample files of " + samplesFolder().toStdString() +
           ", which this checkout does not have beside it";
}

QString samplePath(const QString& relative) { return samplesFolder() + QLatin1Char('/') + relative; }

QByteArray sampleBytes(const QString& relative) {
    QFile file(samplePath(relative));
    EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << "cannot open " << file.fileName().toStdString();
    return file.readAll();
}

}  // namespace fendle::test
