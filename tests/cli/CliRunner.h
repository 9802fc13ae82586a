#pragma once
#include <QByteArray>
#include <QProcess>
#include <QString>
#include <QStringList>
#include <gtest/gtest.h>

#include "support/BuildPaths.h"

// Runs the built fendle-cli and collects what it answered.
struct CliOutcome {
    int status = -1;
    QByteArray out;
    QByteArray err;
};

inline CliOutcome runCli(const QStringList& arguments, const QByteArray& input = {}) {
    QProcess process;
    process.start(fendle::test::cliPath(), arguments);
    process.write(input);
    process.closeWriteChannel();
    const bool finished = process.waitForFinished(20000);
    EXPECT_TRUE(finished) << "fendle-cli did not finish in time";
    if (!finished) process.kill();
    return {process.exitCode(), process.readAllStandardOutput(), process.readAllStandardError()};
}

// The same, with the answers decoded as text.
struct CliTextOutcome {
    int status = -1;
    QString out;
    QString err;
};

inline CliTextOutcome runCliForText(const QStringList& arguments) {
    const CliOutcome outcome = runCli(arguments);
    return {outcome.status, QString::fromUtf8(outcome.out), QString::fromUtf8(outcome.err)};
}
