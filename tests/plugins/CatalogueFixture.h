#pragma once
#include "PlugInFixture.h"
#include "plugins/PlugInCatalogue.h"
#include "plugins/PlugInPublishing.h"
#include "plugins/PlugInUpdates.h"
#include "support/LocalWebServer.h"

#include <QElapsedTimer>
#include <QEventLoop>
#include <QUrl>

namespace fendle::test {

// A host with a catalogue to check: published into a folder (offered by a
// file address or by a web server on 127.0.0.1), and a local copy.
class CatalogueFixture : public PlugInFixture {
protected:
    QString published;

    void SetUp() override {
        PlugInFixture::SetUp();
        published = dir.path() + "/published";
    }

    // A copy of a built bundle with one Info string changed.
    QString variant(const QString& name, const QString& key, const QString& value) {
        const QString copy = installPlugIn(name, dir.path() + "/variants/" + key + value);
        setInfoString(copy, key, value);
        return copy;
    }
    static void setInfoString(const QString& bundle, const QString& key, const QString& value) {
        QFile file(bundle + "/Contents/Info.plist");
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        QByteArray info = file.readAll();
        file.close();
        const qsizetype at = info.indexOf("<key>" + key.toUtf8() + "</key>");
        ASSERT_GE(at, 0);
        const qsizetype start = info.indexOf("<string>", at) + 8;
        info.replace(start, info.indexOf("</string>", start) - start, value.toUtf8());
        writeInfo(bundle, info);
    }
    void publish(const QStringList& bundles) {
        const Result<QStringList> written = publishPlugIns(bundles, published);
        ASSERT_TRUE(written) << written.error().toStdString();
    }
    static void setBaseURL(const QUrl& url) { Defaults::standard().setObject(PlugInUpdates::BaseURLKey, url.toString()); }
    void offerPublishedFolder() { setBaseURL(QUrl::fromLocalFile(published + "/")); }
    // A local copy that lists the given entries only, so that the others are new.
    void localCopy(const QByteArray& catalogue = "<plist><dict/></plist>") {
        QDir().mkpath(userFolder);
        QFile file(userFolder + "/" + PlugInCatalogue::FileName);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(catalogue);
    }
    QByteArray publishedCatalogue() const {
        QFile file(published + "/" + PlugInCatalogue::FileName);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
    // Events are delivered until the catalogue and every download arrived.
    static void waitUntilIdle(PlugInController& plugIns) {
        QElapsedTimer clock;
        clock.start();
        while (plugIns.updates().busy() && clock.elapsed() < 20000) QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        EXPECT_FALSE(plugIns.updates().busy()) << "the transfers did not end";
    }
    void check(PlugInController& plugIns, PlugInUpdates::Initiator initiator = PlugInUpdates::Initiator::Button) {
        plugIns.updates().checkForPlugInUpdates(initiator);
        waitUntilIdle(plugIns);
    }
    QStringList questionMessages() const {
        QStringList messages;
        for (const auto& question : ui.questions) messages.append(question.message);
        return messages;
    }
};

}  // namespace fendle::test
