#pragma once
#include <QByteArray>
#include <QProcess>
#include <QStringList>
#include <gtest/gtest.h>

// Runs the built fendle-cli and collects what it answered.
struct CliOutcome {
    int status = -1;
    QByteArray out;
    QByteArray err;
};

inline CliOutcome runCli(const QStringList& arguments) {
    QProcess process;
    process.start(QStringLiteral(FENDLE_CLI_PATH), arguments);
    const bool finished = process.waitForFinished(20000);
    EXPECT_TRUE(finished) << "fendle-cli did not finish in time";
    if (!finished) process.kill();
    return {process.exitCode(), process.readAllStandardOutput(), process.readAllStandardError()};
}
