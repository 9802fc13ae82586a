#pragma once
#include "../document/FakeBoxEnvironment.h"
#include "../document/FakeUiPort.h"
#include "appcore/FendleApplication.h"
#include "appcore/FendleController.h"
#include "platform/ui/Pasteboard.h"

#include <QStringList>

namespace fendle::test {

// The program around the controller and the application object, as a
// test sets it up: boxes on the test's port, panels answered by hand, and
// every request counted.
class FakeProgramHost : public FendleController::Host, public FendleApplication::Host {
public:
    FakeProgramHost(FakeUiPort& ui, Pasteboard& pasteboard) : ui_(ui), pasteboard_(pasteboard) {}

    FakeBoxPreferences preferences;
    FakeWebResources web;
    FendleApplication* application = nullptr;  // takes the files that become slips
    QStringList recent;
    std::optional<QString> backupAnswer;
    QStringList backupProposals;
    int openPanels = 0;
    QList<const Box*> fronts;
    QList<const Box*> closed;
    int plugInsInstalledCount = 0;
    int plugInPreferencesShown = 0;
    int inspectorRefreshes = 0;
    int activations = 0;
    bool inspector = false;

    BoxPtr makeBox() override { return std::make_shared<Box>(ui_, pasteboard_, preferences, web); }
    void documentOpened(FendleController::Document&) override {}
    QStringList recentDocuments() const override { return recent; }
    void runOpenPanel() override { ++openPanels; }
    std::optional<QString> runBackupSavePanel(const QString& proposedName) override {
        backupProposals.append(proposedName);
        return backupAnswer;
    }
    void bringToFront(Box& box) override { fronts.append(&box); }
    void plugInsInstalled() override { ++plugInsInstalledCount; }
    void showPlugInPreferences() override { ++plugInPreferencesShown; }
    void makeSlipFromFile(const QString& path) override {
        if (application) application->makeSlipFromFile(path);
    }
    void refreshInspector() override { ++inspectorRefreshes; }
    void documentClosed(Box& box) override { closed.append(&box); }

    void activate() override { ++activations; }
    void makeKeyWindow(Box& box) override { fronts.append(&box); }
    bool inspectorVisible() const override { return inspector; }
    void openSlipLink(const QString& address) override { links.append(address); }
    QStringList links;

private:
    FakeUiPort& ui_;
    Pasteboard& pasteboard_;
};

}  // namespace fendle::test
