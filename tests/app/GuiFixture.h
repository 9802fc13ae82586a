#pragma once
#include "app/program/FendleGui.h"
#include "appcore/Preferences.h"
#include "document/Box.h"
#include "platform/system/Defaults.h"

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QFileDialog>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QTimer>
#include <gtest/gtest.h>
#include <memory>

namespace fendle::test {

// Addresses the program hands to the desktop, kept instead of opening a
// browser.
class RecordingDesktopServices : public DesktopServices {
public:
    QList<QUrl> opened;
    bool answer = true;
    bool openUrl(const QUrl& url) override {
        opened.append(url);
        return answer;
    }
};

// The whole program's GUI, as main() assembles it, over folders and a
// preference store of its own, for tests that work the way the user does.
class GuiFixture : public ::testing::Test {
protected:
    QTemporaryDir folder;
    // Before anything reads them: autosaved copies, plug-ins and caches go here.
    const bool foldersIsolated = isolateFolders(folder);
    Defaults defaults{Defaults::Domain, folder.filePath("config")};
    Preferences preferences{defaults};
    std::unique_ptr<FendleGui> gui = std::make_unique<FendleGui>(defaults, preferences);

    // From now on what leaves the program is recorded.
    RecordingDesktopServices& recordDesktop() {
        auto recorder = std::make_unique<RecordingDesktopServices>();
        RecordingDesktopServices& kept = *recorder;
        gui->setDesktopServices(std::move(recorder));
        return kept;
    }

    void TearDown() override { gui.reset(); }

    static bool isolateFolders(const QTemporaryDir& folder) {
        qputenv("XDG_DATA_HOME", folder.filePath("data").toUtf8());
        qputenv("XDG_CACHE_HOME", folder.filePath("cache").toUtf8());
        qputenv("XDG_CONFIG_HOME", folder.filePath("config-home").toUtf8());
        return true;
    }

    // The next alert or question that comes up is answered with the button
    // of that title, as the user would click it.
    static void answerNextAlert(const QString& button, QStringList* messages = nullptr) {
        auto* poll = new QTimer(qApp);
        poll->setInterval(10);
        QObject::connect(poll, &QTimer::timeout, poll, [poll, button, messages] {
            auto* alert = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (!alert) return;
            for (QAbstractButton* candidate : alert->buttons()) {
                if (candidate->text().replace(QStringLiteral("&&"), QStringLiteral("&")) != button) continue;
                if (messages) messages->append(alert->text());
                poll->deleteLater();
                poll->stop();
                candidate->click();
                return;
            }
        });
        poll->start();
    }

    // The next file dialogue that comes up takes this path and is accepted.
    static void answerNextFileDialog(const QString& path) {
        auto* poll = new QTimer(qApp);
        poll->setInterval(10);
        QObject::connect(poll, &QTimer::timeout, poll, [poll, path] {
            auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
            if (!dialog) return;
            poll->deleteLater();
            poll->stop();
            dialog->selectFile(path);
            QMetaObject::invokeMethod(dialog, "accept");
        });
        poll->start();
    }

    // The next open panel with a kind chooser takes that kind and the path
    // and is accepted.
    static void answerNextOpenPanel(const QString& kind, const QString& path) {
        auto* poll = new QTimer(qApp);
        poll->setInterval(10);
        QObject::connect(poll, &QTimer::timeout, poll, [poll, kind, path] {
            auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
            auto* chooser = dialog ? dialog->findChild<QComboBox*>(QStringLiteral("kindChooser")) : nullptr;
            if (!chooser) return;
            poll->deleteLater();
            poll->stop();
            chooser->setCurrentText(kind);
            dialog->selectFile(path);
            QMetaObject::invokeMethod(dialog, "accept");
        });
        poll->start();
    }

    // Ends any typing and forgets the box's changes, so closing it asks nothing.
    static void discardChanges(Box& box) {
        {
            UndoManager::EventScope event(box.undoManager());
            box.editor().endEditing();
        }
        box.document().clearEdited();
    }

    // Closed windows delete themselves once events are delivered.
    static void flush() {
        QApplication::processEvents();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
};

}  // namespace fendle::test
