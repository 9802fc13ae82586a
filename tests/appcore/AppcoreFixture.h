#pragma once
#include "appcore/Preferences.h"
#include "platform/system/Defaults.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace fendle::test {

// Every test gets its own configuration, cache and data folders, and the
// shared store and preferences are built anew from them.
class AppcoreFixture : public ::testing::Test {
protected:
    QTemporaryDir dir;
    QByteArray oldConfig = qgetenv("XDG_CONFIG_HOME");
    QByteArray oldCache = qgetenv("XDG_CACHE_HOME");
    QByteArray oldData = qgetenv("XDG_DATA_HOME");

    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        qputenv("XDG_CONFIG_HOME", (dir.path() + "/config").toUtf8());
        qputenv("XDG_CACHE_HOME", (dir.path() + "/cache").toUtf8());
        qputenv("XDG_DATA_HOME", (dir.path() + "/data").toUtf8());
        reset();
    }
    void TearDown() override {
        Preferences::resetSharedInstance();
        Defaults::resetStandard();
        qputenv("XDG_CONFIG_HOME", oldConfig);
        qputenv("XDG_CACHE_HOME", oldCache);
        qputenv("XDG_DATA_HOME", oldData);
    }
    // A new launch: the store is read again from its file.
    static void reset() {
        Preferences::resetSharedInstance();
        Defaults::resetStandard();
    }
};

}  // namespace fendle::test

#include <QCoreApplication>

namespace fendle::test {

// Sockets and downloads need the core application object and its event loop.
inline QCoreApplication& coreApplication() {
    static int argc = 1;
    static char name[] = "tests_appcore";
    static char* argv[] = {name, nullptr};
    if (!QCoreApplication::instance()) new QCoreApplication(argc, argv);
    return *QCoreApplication::instance();
}

}  // namespace fendle::test
