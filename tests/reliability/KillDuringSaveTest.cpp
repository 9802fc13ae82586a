#include "SoakSettings.h"
#include "cli/CliRunner.h"
#include "model/BoxFile.h"
#include "support/BuildPaths.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <chrono>
#include <sys/stat.h>
#include <thread>
#include <utime.h>

using namespace fendle;
using namespace fendle::test;

namespace {

// What a box file on disk holds, as far as these tests tell saves apart.
struct SavedBox {
    qsizetype slips = 0;
    QStringList sources;  // the distinct sources of its slips
};

// A box file must read, whole, in one piece: anything else is a failure.
std::optional<SavedBox> readWhole(const QString& path) {
    BoxData box;
    const Result<BoxFile::Form> read = BoxFile::readFromURL(box, path);
    EXPECT_TRUE(read) << path.toStdString() << ": " << read.error().toStdString();
    if (!read) return std::nullopt;
    SavedBox saved;
    saved.slips = box.slips().size();
    for (const SlipPtr& slip : box.slips())
        if (!saved.sources.contains(slip->source().value_or(QString()))) saved.sources.append(slip->source().value_or(QString()));
    return saved;
}

// Kills a started program at a random moment: some time after it said it
// is ready, at most the given span.
class Killer {
public:
    explicit Killer(quint64 seed) : random_(seed) {}
    void killSoon(QProcess& process, std::chrono::microseconds span) {
        std::this_thread::sleep_for(std::chrono::microseconds(random_.bounded(qint64(span.count()) + 1)));
        process.kill();  // SIGKILL
        process.waitForFinished(10000);
    }
    QRandomGenerator& random() { return random_; }

private:
    QRandomGenerator random_;
};

class KillDuringSaveTest : public ::testing::Test {
protected:
    QTemporaryDir folder;
    QString path = folder.filePath("Large.fendle");

    // The files in the folder besides the box and its backup.
    QStringList litter() const {
        QStringList names = QDir(folder.path()).entryList(QDir::Files | QDir::Hidden | QDir::System);
        names.removeAll("Large.fendle");
        names.removeAll("Large~.fendle");
        return names;
    }
    // What a later start of the program sees: the leftovers are old by then.
    void ageLeftovers() const {
        for (const QString& name : litter()) {
            const struct utimbuf old {1, 1};
            ::utime(QFile::encodeName(folder.filePath(name)).constData(), &old);
        }
    }
    // Runs the saving program to its end, through the given rounds of saves.
    void saveToTheEnd(int slips, qint64 rounds) const {
        QProcess saver;
        saver.start(saveLoopPath(), {path, QString::number(slips), "0", QString::number(rounds)});
        ASSERT_TRUE(saver.waitForFinished(120000));
        ASSERT_EQ(saver.exitCode(), 0) << saver.readAllStandardError().toStdString();
    }
    static std::chrono::microseconds timed(const std::function<void()>& run) {
        QElapsedTimer timer;
        timer.start();
        run();
        return std::chrono::microseconds(timer.nsecsElapsed() / 1000);
    }
};

QStringList saveLoopArguments(const QString& path, int slips, int run, qint64 rounds = -1) {
    QStringList arguments{path, QString::number(slips), QString::number(run)};
    if (rounds >= 0) arguments.append(QString::number(rounds));
    return arguments;
}

// The rounds the program said it finished.
qint64 lastRoundSaved(QProcess& process) {
    qint64 last = 0;
    for (const QByteArray& line : process.readAllStandardOutput().split('\n'))
        if (line.startsWith("saved ")) last = line.mid(6).toLongLong();
    return last;
}

}  // namespace

TEST_F(KillDuringSaveTest, TheBoxDocumentSaveKilledAtRandomLeavesTheOldOrTheNewFileWhole) {
    const SoakSettings settings = SoakSettings::fromEnvironment("kill during document save", 20221);
    const int slips = int(settings.count(300, 5000));
    const qint64 kills = settings.count(120, 1000);
    Killer killer(settings.seed);

    // One save's length, from a run that is not killed.
    QProcess measured;
    measured.start(saveLoopPath(), saveLoopArguments(path, slips, 0, 3));
    ASSERT_TRUE(measured.waitForReadyRead(60000));
    const auto cycle = timed([&] { ASSERT_TRUE(measured.waitForFinished(120000)); }) / 3;
    ASSERT_EQ(measured.exitCode(), 0) << measured.readAllStandardError().toStdString();
    QString before = "run 0 round 3";

    qint64 landedAfterASave = 0;
    for (int run = 1; run <= kills; ++run) {
        QProcess saver;
        saver.start(saveLoopPath(), saveLoopArguments(path, slips, run));
        ASSERT_TRUE(saver.waitForReadyRead(60000));
        ASSERT_TRUE(saver.readLine().startsWith("ready"));
        killer.killSoon(saver, cycle * 2);
        const qint64 saved = lastRoundSaved(saver);

        const std::optional<SavedBox> box = readWhole(path);
        ASSERT_TRUE(box) << "after kill " << run;
        ASSERT_EQ(box->sources.size(), 1) << "a box of two saves after kill " << run;
        ASSERT_EQ(box->slips, slips);
        const QString now = box->sources.first();
        // The last save reported, or the one under way when the kill came.
        const QStringList allowed = saved > 0 ? QStringList{QStringLiteral("run %1 round %2").arg(run).arg(saved),
                                                             QStringLiteral("run %1 round %2").arg(run).arg(saved + 1)}
                                              : QStringList{before, QStringLiteral("run %1 round 1").arg(run)};
        ASSERT_TRUE(allowed.contains(now)) << now.toStdString() << " after kill " << run;
        if (QFile::exists(folder.filePath("Large~.fendle"))) {
            const std::optional<SavedBox> backup = readWhole(folder.filePath("Large~.fendle"));
            ASSERT_TRUE(backup && backup->sources.size() == 1) << "backup after kill " << run;
        }
        landedAfterASave += saved > 0;
        before = now;
    }
    // Most kills came while the program was saving, not before it began.
    EXPECT_GT(landedAfterASave, kills / 4);
    std::printf("%lld kills, %lld of them after a finished save, a save taking %lld µs\n", static_cast<long long>(kills),
                static_cast<long long>(landedAfterASave), static_cast<long long>(cycle.count()));

    // The next save, once the killed ones are over, clears what they left.
    ageLeftovers();
    saveToTheEnd(slips, 1);
    EXPECT_EQ(litter(), QStringList());
}

TEST_F(KillDuringSaveTest, FendleCliKilledAtRandomLeavesTheOldOrTheNewFileWhole) {
    const SoakSettings settings = SoakSettings::fromEnvironment("kill during fendle-cli save", 20222);
    const int slips = int(settings.count(300, 5000));
    const qint64 kills = settings.count(80, 1000);
    Killer killer(settings.seed);
    saveToTheEnd(slips, 1);

    const auto oneAdd = timed([&] { ASSERT_EQ(runCli({"add", path, "--source", "run 0 round 1"}).status, 0); });
    qsizetype count = slips + 1;
    for (int run = 1; run <= kills; ++run) {
        QProcess cli;
        cli.start(cliPath(), {"add", path, "--source", "run 0 round 1"});
        ASSERT_TRUE(cli.waitForStarted(10000));
        killer.killSoon(cli, oneAdd * 5 / 4);
        const std::optional<SavedBox> box = readWhole(path);
        ASSERT_TRUE(box) << "after kill " << run;
        ASSERT_TRUE(box->slips == count || box->slips == count + 1) << box->slips << " slips after kill " << run;
        ASSERT_EQ(box->sources, QStringList{"run 0 round 1"});
        count = box->slips;
    }
    ageLeftovers();
    EXPECT_EQ(runCli({"add", path}).status, 0);
    EXPECT_EQ(litter(), QStringList());
}
