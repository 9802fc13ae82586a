#pragma once
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <sys/stat.h>

namespace fendle::test {

struct ProgramOutcome {
    int status = -1;
    QByteArray out;
    QByteArray err;
};

// Runs a program as desktops run thumbnailers: a clean environment with an
// empty, read-only home and private runtime and temporary folders. Any
// file the program leaves in them fails the test.
class IsolatedRun {
public:
    IsolatedRun() {
        for (const char* name : {"home", "runtime", "tmp"}) QDir(root_.path()).mkdir(QLatin1String(name));
        ::chmod(QFile::encodeName(folder("runtime")).constData(), 0700);
        ::chmod(QFile::encodeName(folder("home")).constData(), 0555);
    }
    ~IsolatedRun() { ::chmod(QFile::encodeName(folder("home")).constData(), 0755); }

    ProgramOutcome run(const QString& program, const QStringList& arguments) {
        QProcessEnvironment environment;
        environment.insert(QStringLiteral("PATH"), QStringLiteral("/usr/bin:/bin"));
        environment.insert(QStringLiteral("HOME"), folder("home"));
        environment.insert(QStringLiteral("XDG_RUNTIME_DIR"), folder("runtime"));
        environment.insert(QStringLiteral("TMPDIR"), folder("tmp"));
        for (const char* name : {"ASAN_OPTIONS", "UBSAN_OPTIONS", "LSAN_OPTIONS"})
            if (qEnvironmentVariableIsSet(name))
                environment.insert(QLatin1String(name), qEnvironmentVariable(name));
        QProcess process;
        process.setProcessEnvironment(environment);
        process.start(program, arguments);
        const bool finished = process.waitForFinished(60000);
        EXPECT_TRUE(finished) << program.toStdString() << " did not finish";
        if (!finished) process.kill();
        return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1, process.readAllStandardOutput(),
                process.readAllStandardError()};
    }

    // The files the run left behind in its home, runtime and temporary folders.
    QStringList leftovers() const {
        QStringList found;
        for (const char* name : {"home", "runtime", "tmp"})
            for (const QString& entry : QDir(folder(name)).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot))
                found.append(QLatin1String(name) + u'/' + entry);
        return found;
    }

private:
    QTemporaryDir root_;
    QString folder(const char* name) const { return root_.filePath(QLatin1String(name)); }
};

}  // namespace fendle::test
