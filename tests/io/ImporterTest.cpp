#include "../appcore/ControllerFixture.h"
#include "ImportTestFiles.h"
#include "io/ColumnAssignmentsDialog.h"
#include "io/Importer.h"
#include "search/ResultTable.h"

#include <functional>

using namespace fendle;
using namespace fendle::test;

namespace {

// The column dialog as a user fills it in: the settings are changed as the
// test says and OK or Cancel is pressed.
class ScriptedColumnsDialog : public ColumnAssignmentsDialog {
public:
    std::function<void(ColumnAssignmentsForImport&)> fillIn;
    bool pressOk = true;
    QStringList shownFiles;
    QList<QList<ColumnAssignment>> shownAssignments;

    bool runDialog(ColumnAssignmentsForImport& settings) override {
        shownFiles.append(settings.importFilename());
        shownAssignments.append(settings.columnAssignmentsForImport());
        ColumnAssignmentsForImport changed = settings;
        if (fillIn) fillIn(changed);
        if (pressOk) settings = changed;
        return pressOk;
    }
};

class ImporterTest : public ControllerFixture {
protected:
    ScriptedColumnsDialog columnsDialog;
    std::unique_ptr<Importer> importer;
    BoxPtr box;

    void SetUp() override {
        ControllerFixture::SetUp();
        importer = std::make_unique<Importer>(*controller, *app, ui, columnsDialog);
        box = controller->openDocumentWithContentsOfURL(QUrl::fromLocalFile(writeBox("Mine.fendle", {"mine"})), true);
        ASSERT_TRUE(box);
        box->document().clearEdited();
    }
    void chooseInPanel(const QString& kind, const QStringList& paths) {
        const auto& kinds = Importer::importKinds();
        const auto found = std::find_if(kinds.begin(), kinds.end(), [&](const auto& k) { return k.title == kind; });
        ui.openPanelAnswers.push_back(UiPort::OpenPanelChoice{int(found - kinds.begin()), paths});
    }
    void assignColumns(const QList<std::pair<QString, QString>>& fieldsAndOrders) {
        columnsDialog.fillIn = [fieldsAndOrders](ColumnAssignmentsForImport& settings) {
            for (int column = 1; column <= ColumnAssignmentsForImport::ColumnCount; ++column) {
                const auto assigned = fieldsAndOrders.value(column - 1, {ColumnAssignmentsForImport::NotImported, ""});
                settings.setField(column, assigned.first);
                settings.setOrder(column, assigned.second);
            }
        };
    }
    QStringList texts() const {
        QStringList all;
        for (quint32 n = 1; n <= box->box().numberOfLastSlip(); ++n)
            if (const SlipPtr slip = box->box().slipForKey(QString::number(n))) all.append(textOf(slip));
        return all;
    }
};

}  // namespace

TEST_F(ImporterTest, ThePanelOffersTheFourKindsAndCancellingImportsNothing) {
    ui.openPanelAnswers.push_back(std::nullopt);
    importer->importFile();
    ASSERT_EQ(ui.openPanels.size(), 1);
    const UiPort::OpenPanel& panel = ui.openPanels[0];
    EXPECT_EQ(panel.title, "Import File");
    EXPECT_EQ(panel.prompt, "OK");
    QStringList titles;
    QList<bool> several;
    for (const UiPort::FileKind& kind : panel.kinds) {
        titles.append(kind.title);
        several.append(kind.multipleSelection);
    }
    EXPECT_EQ(titles, (QStringList{"File Into New Slip", "Fendle File (*.fendle)", "Tab-delimited File (*.txt)",
                                   "Comma-delimited File (*.csv)"}));
    EXPECT_EQ(several, (QList<bool>{true, true, false, false}));
    EXPECT_EQ(panel.kinds[0].extensions.size(), 16);
    EXPECT_TRUE(panel.kinds[0].extensions.contains("tiff"));
    EXPECT_EQ(panel.kinds[3].extensions, QStringList{"csv"});
    EXPECT_EQ(texts(), QStringList{"mine"});
    EXPECT_FALSE(box->isDocumentEdited());
}

TEST_F(ImporterTest, ACsvGoesThroughTheColumnDialogIntoNewSlipsWithoutUndo) {
    const QString csv = writeFile("rows.csv", "a,b,c\r\nd,e,f\r\n");
    chooseInPanel(Importer::ImportCommaDelFile, {csv});
    assignColumns({{"Slip Text", "2"}, {"Slip Text", "1"}, {"Keywords", ""}});
    importer->importFile();
    EXPECT_EQ(columnsDialog.shownFiles, QStringList{csv});
    EXPECT_EQ(texts(), (QStringList{"mine", "ba", "ed"}));
    EXPECT_EQ(box->box().slipForKey("3")->keywordsString(), "f");
    QStringList results = box->currentSearchResults().slipIDsForResults();
    results.sort();
    EXPECT_EQ(results, (QStringList{"1", "2", "3"}));
    EXPECT_TRUE(box->isDocumentEdited());
    EXPECT_FALSE(box->undoManager().canUndo());
    EXPECT_TRUE(ui.alerts.isEmpty());
}

TEST_F(ImporterTest, TheDialogKeepsItsSettingsAndCancelImportsNothing) {
    const QString csv = writeFile("rows.csv", "x,y\n");
    assignColumns({{"Slip Text", ""}, {"Source", ""}});
    importer->importCommaDelimitedFile(csv);
    columnsDialog.pressOk = false;
    importer->importCommaDelimitedFile(csv);
    EXPECT_EQ(texts(), (QStringList{"mine", "x"}));
    ASSERT_EQ(columnsDialog.shownAssignments.size(), 2);
    EXPECT_EQ(columnsDialog.shownAssignments[1],
              (QList<ColumnAssignment>{{1, "Slip Text", ""}, {2, "Source", ""}}));
}

TEST_F(ImporterTest, TooFewColumnsAlertsAndKeepsTheSlipsOfTheRowsBefore) {
    const QString csv = writeFile("short.csv", "a,b,c\nd,e\nf,g,h\n");
    assignColumns({{"Slip Text", ""}, {"---", ""}, {"Keywords", ""}});
    importer->importCommaDelimitedFile(csv);
    EXPECT_EQ(texts(), (QStringList{"mine", "a"}));
    EXPECT_EQ(ui.takeMessages(), QStringList{"Too many import columns specified!"});
    EXPECT_TRUE(box->isDocumentEdited());
}

TEST_F(ImporterTest, ATextFileIsDelimitedOnlyUnderTheTabKind) {
    const QString txt = writeFile("table.txt", "one\tuno\ntwo\tdos\n");
    chooseInPanel(Importer::ImportFile, {txt});
    importer->importFile();
    EXPECT_TRUE(columnsDialog.shownFiles.isEmpty());
    EXPECT_EQ(texts(), (QStringList{"mine", "one\tuno\ntwo\tdos\n"}));

    chooseInPanel(Importer::ImportTabDelFile, {txt});
    assignColumns({{"Source", ""}, {"Slip Text", ""}});
    importer->importFile();
    EXPECT_EQ(texts(), (QStringList{"mine", "one\tuno\ntwo\tdos\n", "uno", "dos"}));
    EXPECT_EQ(box->box().slipForKey("4")->source(), "two");
}

TEST_F(ImporterTest, ABoxIsReadWithoutBeingOpenedAndItsLinksFollowItsSlips) {
    const QString other = writeBox("Other.fendle", {"one", "two"});
    chooseInPanel(Importer::ImportFendleFile, {other, welcomeBoxPath()});
    importer->importFile();
    EXPECT_EQ(controller->documents().size(), 1u);
    EXPECT_TRUE(host.closed.isEmpty());
    EXPECT_EQ(texts().mid(0, 3), (QStringList{"mine", "one", "two"}));
    // The welcome box follows behind the slips just imported.
    const SlipPtr firstWelcome = box->box().slipForKey("4");
    ASSERT_TRUE(firstWelcome);
    EXPECT_TRUE(textOf(firstWelcome).startsWith("Welcome to Fendle"));
    EXPECT_TRUE(textOf(firstWelcome).contains("Read on: 5 explains keywords."));
    EXPECT_TRUE(box->isDocumentEdited());
    EXPECT_FALSE(box->undoManager().canUndo());
}

TEST_F(ImporterTest, AnOpenBoxGivesItsSlipsAsTheyStandAndStaysOpen) {
    const QString otherPath = writeBox("Other.fendle", {"saved"});
    const BoxPtr other = controller->openDocumentWithContentsOfURL(QUrl::fromLocalFile(otherPath), false);
    ASSERT_TRUE(other);
    other->document().createSlip()->setText(RichText("unsaved"));
    controller->setCurrentDocument(box);
    ASSERT_TRUE(importer->importBoxDocument(otherPath));
    EXPECT_EQ(texts(), (QStringList{"mine", "saved", "unsaved"}));
    EXPECT_EQ(controller->documentForPath(otherPath), other);
}

TEST_F(ImporterTest, AnUnreadableBoxAlertsAndImportsNothing) {
    EXPECT_FALSE(importer->importBoxDocument(writeFile("Broken.fendle", "not a box")));
    EXPECT_EQ(ui.takeMessages(), QStringList{"The box could not be imported."});
    EXPECT_EQ(texts(), QStringList{"mine"});
    EXPECT_FALSE(box->isDocumentEdited());
}

TEST_F(ImporterTest, WithoutABoxNothingIsImported) {
    controller->closeDocument(box);
    const QString csv = writeFile("rows.csv", "a\n");
    assignColumns({{"Slip Text", ""}});
    importer->importCommaDelimitedFile(csv);
    EXPECT_FALSE(importer->importBoxDocument(writeBox("Other.fendle", {"x"})));
    EXPECT_TRUE(ui.alerts.isEmpty());
}
