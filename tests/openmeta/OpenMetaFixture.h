#pragma once
#include "openmeta/OpenMetaBackup.h"
#include "openmeta/OpenMetaValueCodec.h"
#include "platform/files/ExtendedAttributes.h"
#include "platform/system/Log.h"
#include "support/AttributeTestFolder.h"

#include <QCoreApplication>
#include <QStringList>
#include <gtest/gtest.h>

namespace fendle::test {

// The backup thread runs an event loop, which wants the application object.
inline QCoreApplication& coreApplication() {
    static int argc = 1;
    static char name[] = "tests_openmeta";
    static char* argv[] = {name, nullptr};
    static QCoreApplication* app = QCoreApplication::instance() ? nullptr : new QCoreApplication(argc, argv);
    (void)app;
    return *QCoreApplication::instance();
}

// Files with attributes in the build tree; the shared backup store writes
// below the same folder, and log lines are collected.
class OpenMetaFixture : public ::testing::Test {
protected:
    AttributeTestFolder folder;
    QStringList logged;
    QByteArray oldData = qgetenv("XDG_DATA_HOME");

    void SetUp() override {
        coreApplication();
        ASSERT_TRUE(folder.isValid());
        SKIP_WITHOUT_USER_ATTRIBUTES(folder);
        qputenv("XDG_DATA_HOME", folder.filePath("data").toUtf8());
        setLogSink([this](const QString& line) { logged.append(line); });
    }
    void TearDown() override {
        // Backups still on their way would land in a folder that is gone.
        EXPECT_TRUE(OpenMetaBackup::sharedInstance().waitUntilIdle(std::chrono::seconds(20)));
        setLogSink({});
        qputenv("XDG_DATA_HOME", oldData);
    }

    // The decoded value of an attribute, or none.
    static std::optional<PlistValue> stored(const QString& path, const QString& name) {
        const ExtendedAttributes::Value raw = ExtendedAttributes::get(path, name);
        if (!raw.bytes) return std::nullopt;
        return OpenMetaValueCodec::decode(*raw.bytes).value;
    }
    static std::optional<QStringList> storedStrings(const QString& path, const QString& name) {
        const std::optional<PlistValue> value = stored(path, name);
        if (!value || value->type() != PlistValue::Type::Array) return std::nullopt;
        QStringList strings;
        for (const PlistValue& item : value->array()) strings.append(item.toString());
        return strings;
    }
};

}  // namespace fendle::test
