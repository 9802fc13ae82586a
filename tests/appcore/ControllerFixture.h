#pragma once
#include "AppcoreFixture.h"
#include "FakeProgramHost.h"
#include "support/BoxOfTexts.h"
#include "model/BoxFile.h"
#include "platform/ui/Pasteboard.h"

#include <QDir>
#include <QFile>

namespace fendle::test {

// A controller and application object over fresh folders, with box files
// written by the box-file code.
class ControllerFixture : public AppcoreFixture {
protected:
    FakeUiPort ui;
    InMemoryPasteboard pasteboard;
    FakeProgramHost host{ui, pasteboard};
    std::unique_ptr<FendleController> controller;
    std::unique_ptr<FendleApplication> app;

    void SetUp() override {
        AppcoreFixture::SetUp();
        controller = std::make_unique<FendleController>(ui, Preferences::sharedInstance(), host);
        app = std::make_unique<FendleApplication>(*controller, ui, Preferences::sharedInstance(), Defaults::standard(),
                                                  host);
        host.application = app.get();
    }

    // A box file with slips of the given texts (keys 1, 2, …).
    QString writeBox(const QString& name, const QStringList& texts, bool olderForm = false) {
        const BoxData box = boxOfTexts(texts);
        const QString path = dir.path() + "/" + name;
        if (olderForm) {
            QFile file(path);
            EXPECT_TRUE(file.open(QIODevice::WriteOnly));
            file.write(BoxFile::olderFormRepresentation(box));
        } else {
            EXPECT_TRUE(BoxFile::writeToURL(box, path));
        }
        return path;
    }
    QString writeFile(const QString& name, const QByteArray& bytes) {
        const QString path = dir.path() + "/" + name;
        QDir().mkpath(QFileInfo(path).path());
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
        return path;
    }
    static QString textOf(const SlipPtr& slip) { return slip && slip->text() ? slip->text()->string() : QString(); }
    void setStartupMode(qint64 mode) { Preferences::sharedInstance().setObject(mode, Preferences::StartupMode); }
};

}  // namespace fendle::test
