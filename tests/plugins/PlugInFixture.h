#pragma once
#include "appcore/ControllerFixture.h"
#include "platform/files/Paths.h"
#include "platform/system/Log.h"
#include "plugins/PlugInController.h"
#include "plugins/PlugInTable.h"
#include "support/BuiltPlugIns.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>

namespace fendle::test {

inline constexpr auto LampwickIdentifier = "com.quorvel.fendle.revadizozaroriv";
inline constexpr auto MenusIdentifier = "com.quorvel.fendle.testmenus";
inline constexpr auto BeaconIdentifier = "com.quorvel.fendle.testbeacon";

// A host over fresh folders: a user folder and a second (local) one to
// install the built bundles into, and the log captured.
class PlugInFixture : public ControllerFixture {
protected:
    QStringList log;
    QString userFolder;
    QString localFolder;

    void SetUp() override {
        ControllerFixture::SetUp();
        (void)coreApplication();
        setLogSink([this](const QString& line) { log.append(line); });
        userFolder = Paths::plugInsFolder();
        localFolder = dir.path() + "/local/fendle/PlugIns";
    }
    void TearDown() override {
        setLogSink({});
        ControllerFixture::TearDown();
    }

    std::unique_ptr<PlugInController> host(const QString& applicationVersion = QStringLiteral("1.0")) {
        return std::make_unique<PlugInController>(ui, Defaults::standard(), *controller, Preferences::sharedInstance(),
                                                  QStringList{userFolder, localFolder}, applicationVersion);
    }

    // A host that loaded the one plug-in, installed in the user's folder and switched on.
    std::unique_ptr<PlugInController> loadOnly(const QString& name, const QString& identifier) {
        install(name, userFolder);
        saveTable({identifier});
        auto plugIns = host();
        plugIns->prepareAndLoadPlugIns();
        return plugIns;
    }
    static QString builtBundle(const QString& name) { return builtPlugIn(name); }
    static QString install(const QString& name, const QString& folder) { return installPlugIn(name, folder); }
    static void writeInfo(const QString& bundle, const QByteArray& bytes) {
        QFile file(bundle + "/Contents/Info.plist");
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(bytes);
    }
    static void setRequiredVersion(const QString& bundle, const QString& version) {
        QFile file(bundle + "/Contents/Info.plist");
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        QByteArray info = file.readAll();
        file.close();
        const qsizetype at = info.indexOf("<key>ZNRequiredFDLVersion</key>");
        ASSERT_GE(at, 0);
        const qsizetype start = info.indexOf("<string>", at) + 8;
        info.replace(start, info.indexOf("</string>", start) - start, version.toUtf8());
        writeInfo(bundle, info);
    }
    static void saveTable(const QStringList& switchedOn) {
        PlistValue::Dictionary table;
        for (const QString& id : switchedOn)
            table.emplace_back(id, PlistValue(PlistValue::Dictionary{{"load", PlistValue(true)}}));
        Defaults::standard().setObject(PlugInTable::DefaultsKey, PlistValue(std::move(table)));
    }
};

}  // namespace fendle::test
