#include "GuiFixture.h"
#include "app/commands/BoxMenuBar.h"
#include "app/dialogs/ExportDialog.h"
#include "app/dialogs/PrintOptionsView.h"
#include "app/dialogs/PrintPanel.h"
#include "app/dialogs/SlipPrinter.h"
#include "app/windows/BoxWindow.h"
#include "model/BoxFile.h"
#include "platform/richtext/RtfReader.h"
#include "support/BoxOfTexts.h"
#include "support/PdfPages.h"

#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QProgressDialog>
#include <QRadioButton>

using namespace fendle;
using namespace fendle::test;

namespace {

// Counts the progress panels that come up on screen.
class ProgressWatcher : public QObject {
public:
    int shown = 0;
    ProgressWatcher() { qApp->installEventFilter(this); }
    bool eventFilter(QObject* object, QEvent* event) override {
        if (event->type() == QEvent::Show && qobject_cast<QProgressDialog*>(object)) ++shown;
        return false;
    }
};

// Exporting and printing as the user does it, through the assembled program.
class ExportAndPrintTest : public GuiFixture {
protected:
    QString path = folder.filePath("Notes.fendle");
    BoxWindow* window = nullptr;

    void openBox(const QStringList& texts) {
        ASSERT_TRUE(BoxFile::writeToURL(boxOfTexts(texts), path).ok());
        const BoxPtr box = gui->controller().openDocumentWithContentsOfURL(QUrl::fromLocalFile(path), true);
        ASSERT_TRUE(box);
        window = gui->windowOf(*box);
        ASSERT_NE(window, nullptr);
    }
    template <typename Dialog>
    Dialog* modal() {
        for (int i = 0; i < 100 && !qobject_cast<Dialog*>(QApplication::activeModalWidget()); ++i)
            QApplication::processEvents();
        return qobject_cast<Dialog*>(QApplication::activeModalWidget());
    }
    template <typename Button>
    static Button* button(QWidget* view, const QString& title) {
        for (Button* candidate : view->findChildren<Button*>())
            if (candidate->text() == title) return candidate;
        ADD_FAILURE() << "no button " << title.toStdString();
        return nullptr;
    }
    static QByteArray contents(const QString& file) {
        QFile f(file);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
};

}  // namespace

TEST_F(ExportAndPrintTest, ExportSlipsToSeparateRtfFilesNamedByTitle) {
    openBox({"Alpha\nfirst", "Beta/Gamma\nsecond", "Delta"});
    QAction* item = window->boxMenuBar()->item("File", "Export Slip(s)...");
    ASSERT_NE(item, nullptr);
    ProgressWatcher progress;
    item->trigger();
    auto* dialog = modal<ExportDialog>();
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(dialog->windowTitle(), "Export Slip(s)");
    EXPECT_EQ(dialog->windowModality(), Qt::WindowModal);
    auto* name = dialog->findChild<QLineEdit*>("fileNameEdit");
    ASSERT_NE(name, nullptr);
    EXPECT_EQ(name->text(), "Slips from Notes");
    EXPECT_EQ(dialog->defaultSuffix(), "rtf");

    QWidget* options = dialog->optionsView();
    ASSERT_NE(options, nullptr);
    EXPECT_TRUE(options->isVisibleTo(dialog));
    button<QRadioButton>(options, "All")->click();
    QCheckBox* titles = button<QCheckBox>(options, "Use titles for file names");
    EXPECT_FALSE(titles->isEnabled());
    button<QCheckBox>(options, "Separate files")->click();
    EXPECT_TRUE(titles->isEnabled());
    titles->click();
    EXPECT_EQ(dialog->defaultSuffix(), "fdlfolder");

    dialog->selectFile(folder.filePath("Export"));
    QMetaObject::invokeMethod(dialog, "accept");
    flush();

    const QString out = folder.filePath("Export");
    EXPECT_EQ(QDir(out).entryList(QDir::Files, QDir::Name), (QStringList{"Alpha.rtf", "Beta Gamma.rtf", "Delta.rtf"}));
    const Result<RichText> text = RtfReader::read(contents(out + "/Beta Gamma.rtf"));
    ASSERT_TRUE(text.ok());
    EXPECT_TRUE(text->string().startsWith("Slip 2\n\nBeta/Gamma\nsecond\n\nKeywords: \nSource: \nScents: "))
        << text->string().toStdString();
    EXPECT_GE(progress.shown, 1);
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
    EXPECT_FALSE(window->box().isDocumentEdited()) << "export never changes the box";
    discardChanges(window->box());
}

TEST_F(ExportAndPrintTest, PrintOptionsDecideThePrintedText) {
    openBox({"one", "two", "three"});
    window->run(Command::Print);
    auto* panel = modal<PrintPanel>();
    ASSERT_NE(panel, nullptr);
    PrintViewController& controller = panel->controller();
    QWidget* options = panel->optionsView();
    // At first the slip shown, with keywords, source and scents.
    const SlipPtr shown = window->box().currentSlip();
    ASSERT_TRUE(shown);
    EXPECT_EQ(controller.printString().string(), QStringLiteral("Slip %1\n\n%2\n\nKeywords: \nSource: \nScents: ")
                                                     .arg(shown->key(), shown->text()->string()));

    button<QRadioButton>(options, "All")->click();
    button<QCheckBox>(options, "Source")->click();
    button<QCheckBox>(options, "Scents")->click();
    EXPECT_EQ(controller.printString().string(),
              "Slip 1\n\none\n\nKeywords: \n\n\nSlip 2\n\ntwo\n\nKeywords: \n\n\nSlip 3\n\nthree\n\nKeywords: \n");

    QCheckBox* perPage = button<QCheckBox>(options, "One slip per page");
    EXPECT_EQ(perPage->toolTip(), "Print 1 slip on each page. Text longer than 1 page will be truncated.");
    const auto printedPages = [&] {
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(folder.filePath("printed.pdf"));
        SlipPrinter::preparePrinter(printer);
        EXPECT_TRUE(SlipPrinter::print(controller, printer));
        return pdfPageCount(contents(folder.filePath("printed.pdf")));
    };
    EXPECT_EQ(printedPages(), 1);
    perPage->click();
    EXPECT_EQ(printedPages(), 3);
    panel->reject();
    flush();
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
    discardChanges(window->box());
}

TEST_F(ExportAndPrintTest, OneSlipPerPageCutsALongSlipToItsPage) {
    openBox({QString("long\n").repeated(3000), "short"});
    window->run(Command::Print);
    auto* panel = modal<PrintPanel>();
    ASSERT_NE(panel, nullptr);
    button<QRadioButton>(panel->optionsView(), "All")->click();
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(folder.filePath("cut.pdf"));
    ASSERT_TRUE(SlipPrinter::print(panel->controller(), printer));
    EXPECT_GT(pdfPageCount(contents(folder.filePath("cut.pdf"))), 2) << "without the option the long slip runs on";
    button<QCheckBox>(panel->optionsView(), "One slip per page")->click();
    ASSERT_TRUE(SlipPrinter::print(panel->controller(), printer));
    EXPECT_EQ(pdfPageCount(contents(folder.filePath("cut.pdf"))), 2);
    panel->reject();
    flush();
    discardChanges(window->box());
}
