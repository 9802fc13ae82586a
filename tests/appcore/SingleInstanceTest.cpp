#include "AppcoreFixture.h"
#include "appcore/LaunchRequest.h"
#include "appcore/SingleInstance.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLocalServer>
#include <QTemporaryDir>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

using namespace fendle;
using namespace fendle::test;

namespace {

// Sets environment variables for one test and puts the old values back.
class EnvironmentForTest {
public:
    void set(const char* name, const QByteArray& value) {
        keep(name);
        qputenv(name, value);
    }
    void unset(const char* name) {
        keep(name);
        qunsetenv(name);
    }
    ~EnvironmentForTest() {
        for (const auto& [name, value] : kept_)
            value ? qputenv(name.constData(), *value) : qunsetenv(name.constData());
    }

private:
    std::vector<std::pair<QByteArray, std::optional<QByteArray>>> kept_;
    void keep(const char* name) {
        kept_.emplace_back(name, qEnvironmentVariableIsSet(name) ? std::optional(qgetenv(name)) : std::nullopt);
    }
};

class SingleInstanceTest : public ::testing::Test {
protected:
    QTemporaryDir root;
    EnvironmentForTest environment;

    void SetUp() override {
        coreApplication();
        // The shared temporary folder of these tests.
        environment.set("TMPDIR", root.path().toUtf8());
        environment.unset("WAYLAND_DISPLAY");
        environment.set("DISPLAY", ":7");
    }
    QString folderWithMode(const QString& name, mode_t mode) const {
        const QString path = root.filePath(name);
        EXPECT_TRUE(QDir().mkpath(path));
        ::chmod(QFile::encodeName(path).constData(), mode);
        return path;
    }
    // Waits a moment for connections to come in to a server.
    static void settle() {
        QElapsedTimer timer;
        timer.start();
        while (timer.elapsed() < 300) QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    }
    static QByteArray launchMessage() {
        const auto parsed = parseCommandLine({"/boxes/secret.fendle"}, [] { return std::optional<QByteArray>(); });
        return encodeLaunchRequests(*parsed);
    }
};

}  // namespace

TEST_F(SingleInstanceTest, SecondStartHandsItsArgumentsToTheFirst) {
    environment.set("XDG_RUNTIME_DIR", folderWithMode("runtime", 0700).toUtf8());
    const Result<QString> name = SingleInstance::defaultServerName();
    ASSERT_TRUE(name) << name.error().toStdString();
    SingleInstance first(*name);
    ASSERT_TRUE(first.listen());
    QList<QByteArray> received;
    QObject::connect(&first, &SingleInstance::received, [&](const QByteArray& message) { received.append(message); });

    const auto parsed = parseCommandLine({"/boxes/a.fendle", "fendle://3::/boxes/a.fendle", "--search-box", "x"},
                                         [] { return std::optional<QByteArray>(); });
    ASSERT_TRUE(parsed);
    const QByteArray message = encodeLaunchRequests(*parsed);
    bool handedOff = false;
    std::thread second([&] { handedOff = SingleInstance::handOff(*name, message); });
    QElapsedTimer timer;
    timer.start();
    while (received.isEmpty() && timer.elapsed() < 10000) QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
    second.join();
    EXPECT_TRUE(handedOff);
    ASSERT_EQ(received.size(), 1);
    const auto decoded = decodeLaunchRequests(received.first());
    ASSERT_TRUE(decoded);
    EXPECT_EQ(*decoded, *parsed);

    // With nobody listening, the hand-off fails and the caller starts up itself.
    EXPECT_FALSE(SingleInstance::handOff(*name + "-nobody", message, 500));
    // A second listener on the same name is refused while the first runs.
    SingleInstance another(*name);
    EXPECT_FALSE(another.listen());
}

TEST_F(SingleInstanceTest, TheSocketLivesInTheUsersPrivateFolderNamedPerDisplay) {
    const QString runtime = folderWithMode("runtime", 0700);
    environment.set("XDG_RUNTIME_DIR", runtime.toUtf8());
    environment.unset("USER");  // no longer part of the name
    EXPECT_EQ(*SingleInstance::defaultServerName(), runtime + "/fendle-_7");
    environment.set("WAYLAND_DISPLAY", "wayland-1");
    EXPECT_EQ(*SingleInstance::defaultServerName(), runtime + "/fendle-wayland-1");

    // A runtime folder others may enter, or none, gives way to a folder of
    // the user's own in the temporary folder, made private.
    const QString own = root.filePath(QStringLiteral("fendle-%1").arg(::geteuid()));
    for (const QByteArray& unusable : {folderWithMode("open", 0755).toUtf8(), QByteArray("relative/run"), QByteArray()}) {
        environment.set("XDG_RUNTIME_DIR", unusable);
        EXPECT_EQ(*SingleInstance::defaultServerName(), own + "/fendle-wayland-1") << unusable.constData();
    }
    struct stat info {};
    ASSERT_EQ(::lstat(QFile::encodeName(own).constData(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0700u);
}

TEST_F(SingleInstanceTest, ASocketPlantedByAnotherUserIsNeverConnectedTo) {
    environment.unset("XDG_RUNTIME_DIR");
    environment.set("USER", "victim");
    int planted = 0;
    QLocalServer eavesdropper;
    QObject::connect(&eavesdropper, &QLocalServer::newConnection, [&] { ++planted; });

    // Where the socket used to be: shared, named after $USER.
    ASSERT_TRUE(eavesdropper.listen(root.filePath("fendle-victim")));
    const Result<QString> name = SingleInstance::defaultServerName();
    ASSERT_TRUE(name);
    EXPECT_FALSE(SingleInstance::handOff(*name, launchMessage(), 500));

    // A link in the private folder to a server elsewhere is no socket of ours.
    ASSERT_EQ(::symlink(QFile::encodeName(eavesdropper.fullServerName()).constData(), QFile::encodeName(*name).constData()), 0);
    EXPECT_FALSE(SingleInstance::handOff(*name, launchMessage(), 500));
    // Listening replaces the link instead of asking the server behind it.
    SingleInstance instance(*name);
    EXPECT_TRUE(instance.listen());
    settle();
    EXPECT_EQ(planted, 0);
}

TEST_F(SingleInstanceTest, AFallbackFolderSomeoneElseOpenedIsRefused) {
    environment.unset("XDG_RUNTIME_DIR");
    // Made first by someone else and left open to all: used by nobody.
    const QString own = folderWithMode(QStringLiteral("fendle-%1").arg(::geteuid()), 0777);
    const Result<QString> name = SingleInstance::defaultServerName();
    ASSERT_FALSE(name);
    EXPECT_TRUE(name.error().contains("open to other users")) << name.error().toStdString();

    // A link standing in for the folder is refused too.
    ASSERT_TRUE(QDir(own).removeRecursively());
    const QString elsewhere = folderWithMode("elsewhere", 0700);
    ASSERT_EQ(::symlink(QFile::encodeName(elsewhere).constData(), QFile::encodeName(own).constData()), 0);
    EXPECT_FALSE(SingleInstance::defaultServerName());
}
