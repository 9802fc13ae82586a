#include "RichTextSamples.h"
#include "app/editing/SlipTextView.h"
#include "document/BoxFixture.h"
#include "platform/richtext/RichTextFile.h"
#include "support/Samples.h"

#include <QApplication>
#include <QClipboard>
#include <QLineEdit>
#include <QMimeData>
#include <QSignalSpy>
#include <QTest>
#include <QTextBlock>
#include <QVBoxLayout>

using namespace fendle;
using namespace fendle::test;

namespace {

class SlipTextViewTest : public BoxFixture {
protected:
    QWidget window;
    QLineEdit* otherField = nullptr;
    SlipTextView* view = nullptr;

    // Shows the text as the current slip's, in a window with one other field.
    void showText(const RichText& text) {
        fill({1, 2});
        doc->currentSlip()->setTextWithoutLastModificationDate(text);
        doc->editor().setSlipText(text);
        auto* layout = new QVBoxLayout(&window);
        view = new SlipTextView(*doc);
        otherField = new QLineEdit;
        layout->addWidget(view);
        layout->addWidget(otherField);
        window.show();
        window.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
        view->setFocus();
    }
    void place(int position, int end = -1) {
        QTextCursor cursor = view->textCursor();
        cursor.setPosition(position);
        if (end >= 0) cursor.setPosition(end, QTextCursor::KeepAnchor);
        view->setTextCursor(cursor);
    }
    void type(const QString& text) { QTest::keyClicks(view, text); }
    const RichText& modelText() { return doc->editor().text(); }
    QString undoName() { return doc->undoManager().undoActionName(); }
};

}  // namespace

TEST_F(SlipTextViewTest, TypingGoesThroughTheModelAndUndoTakesItBack) {
    const Attributes helvetica = fontAttributes("Helvetica");
    showText(RichText(QStringLiteral("slip 2"), helvetica));
    place(6);
    type(QStringLiteral(" more"));
    QTest::keyClick(view, Qt::Key_Backspace);
    QTest::keyClick(view, Qt::Key_Return);
    type(QStringLiteral("x"));

    EXPECT_EQ(modelText().string(), QStringLiteral("slip 2 mor\nx"));
    EXPECT_TRUE(modelText() == RichText(QStringLiteral("slip 2 mor\nx"), helvetica));
    EXPECT_EQ(doc->editor().changedCell(), EditorCell::Text);
    EXPECT_EQ(doc->editor().selectedRange(), (TextRange{12, 0}));
    EXPECT_EQ(undoName(), QStringLiteral("Typing"));
    EXPECT_FALSE(view->document()->isUndoAvailable());

    command([&] { undo(); });
    EXPECT_EQ(modelText().string(), QStringLiteral("slip 2"));
    view->showEditorText();
    EXPECT_EQ(view->toPlainText(), QStringLiteral("slip 2"));
    command([&] { redo(); });
    view->showEditorText();
    EXPECT_EQ(view->toPlainText(), QStringLiteral("slip 2 mor\nx"));
}

TEST_F(SlipTextViewTest, TypingIntoAnEmptyTextTakesTheTypingAttributes) {
    doc->editor().setTypingAttributes(fontAttributes("Courier", 14));
    showText(RichText());
    type(QStringLiteral("ab"));
    EXPECT_TRUE(modelText() == RichText(QStringLiteral("ab"), fontAttributes("Courier", 14)));
    EXPECT_DOUBLE_EQ(view->document()->begin().begin().fragment().charFormat().fontPointSize(), 14.0);
}

TEST_F(SlipTextViewTest, UndoAndRedoKeysAreLeftToTheWindowsMenu) {
    showText(RichText(QStringLiteral("text")));
    place(4);
    type(QStringLiteral("s"));
    for (const QKeySequence::StandardKey key : {QKeySequence::Undo, QKeySequence::Redo}) {
        const QKeyCombination combination = QKeySequence(key)[0];
        QKeyEvent override(QEvent::ShortcutOverride, combination.key(), combination.keyboardModifiers());
        QApplication::sendEvent(view, &override);
        EXPECT_FALSE(override.isAccepted()) << QKeySequence(key).toString().toStdString();
    }
    // Other editing shortcuts stay with the text.
    QKeyEvent copy(QEvent::ShortcutOverride, Qt::Key_C, Qt::ControlModifier);
    QApplication::sendEvent(view, &copy);
    EXPECT_TRUE(copy.isAccepted());
    QTest::keyClick(view, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(modelText().string(), QStringLiteral("texts"));
}

TEST_F(SlipTextViewTest, TypingBetweenTwoOpaqueRunsKeepsThem) {
    RichText text(QStringLiteral("AAA"), opaqueAttributes("first"));
    text.append(QStringLiteral("mid"), fontAttributes("Courier"));
    text.append(QStringLiteral("BBB"), opaqueAttributes("second"));
    showText(text);
    place(4);
    type(QStringLiteral("xy"));
    place(6, 8);
    QTest::keyClick(view, Qt::Key_Delete);

    EXPECT_EQ(modelText().string(), QStringLiteral("AAAmxyBBB"));
    EXPECT_TRUE(modelText().substring({0, 3}) == text.substring({0, 3}));
    EXPECT_TRUE(modelText().substring({6, 3}) == text.substring({6, 3}));
    EXPECT_TRUE(modelText().attributesAt(4) == fontAttributes("Courier"));
}

TEST_F(SlipTextViewTest, PictureShowsAsAnImageAndSurvivesEditing) {
    const QByteArray png = pngBytes(24, 16, Qt::blue);
    RichText text(QStringLiteral("a"), fontAttributes("Helvetica"));
    text.append(QString(AttachmentCharacter), attachmentAttributes("picture.png", png));
    text.append(QStringLiteral("b"), fontAttributes("Helvetica"));
    showText(text);

    QTextCursor cursor(view->document());
    cursor.setPosition(2);
    ASSERT_TRUE(cursor.charFormat().isImageFormat());
    const QImage shown =
        view->document()->resource(QTextDocument::ImageResource, QUrl(cursor.charFormat().toImageFormat().name())).value<QImage>();
    EXPECT_EQ(shown.size(), QSize(24, 16));

    place(3);
    type(QStringLiteral("cd"));
    place(0);
    type(QStringLiteral("z"));
    const std::optional<AttachmentAttribute> kept = modelText().attributesAt(2).get<AttachmentAttribute>(attr::Attachment);
    ASSERT_TRUE(kept);
    EXPECT_EQ(kept->fileName, QStringLiteral("picture.png"));
    EXPECT_EQ(kept->contents, png);
    EXPECT_EQ(modelText().string(), QStringLiteral("za\uFFFCbcd"));
    // Typed characters never become pictures themselves.
    EXPECT_FALSE(modelText().attributesAt(4).contains(attr::Attachment));

    command([&] { doc->editor().endEditing(); });
    EXPECT_TRUE(doc->currentSlip()->text().value() == modelText());
}

TEST_F(SlipTextViewTest, SelectionGoesBothWays) {
    showText(RichText(QStringLiteral("one two three")));
    place(4, 7);
    EXPECT_EQ(doc->editor().selectedRanges(), (QList<TextRange>{{4, 3}}));
    doc->editor().setSelectedRangesOfSlipText({TextRange{8, 5}});
    view->showEditorText();
    EXPECT_EQ(view->textCursor().selectedText(), QStringLiteral("three"));
    EXPECT_EQ(doc->editor().changedCell(), EditorCell::None);
}

TEST_F(SlipTextViewTest, ReadOnlyWhileTheModelIsNotEditable) {
    showText(RichText(QStringLiteral("locked")));
    doc->editor().setEditable(false);
    view->showEditorText();
    EXPECT_TRUE(view->isReadOnly());
    place(6);
    type(QStringLiteral("zz"));
    EXPECT_EQ(modelText().string(), QStringLiteral("locked"));
    EXPECT_EQ(view->toPlainText(), QStringLiteral("locked"));
    doc->editor().setEditable(true);
    view->showEditorText();
    EXPECT_FALSE(view->isReadOnly());
}

TEST_F(SlipTextViewTest, FocusFollowsTheViewAndLeavingEndsTheEditSession) {
    showText(RichText(QStringLiteral("slip")));
    doc->editor().focus(EditorCell::Keywords);
    otherField->setFocus();
    view->setFocus();
    EXPECT_EQ(doc->editor().focusedCell(), EditorCell::Text);
    place(4);
    type(QStringLiteral("s"));
    EXPECT_EQ(doc->editor().changedCell(), EditorCell::Text);
    EXPECT_FALSE(doc->currentSlip()->text().value() == modelText());

    otherField->setFocus();
    EXPECT_EQ(doc->editor().changedCell(), EditorCell::None);
    EXPECT_EQ(doc->currentSlip()->text()->string(), QStringLiteral("slips"));
    EXPECT_EQ(undoName(), QStringLiteral("Edit Text"));
    command([&] { undo(); });
    EXPECT_EQ(doc->currentSlip()->text()->string(), QStringLiteral("slip"));
}

TEST_F(SlipTextViewTest, ZoomStepsThroughTheFactorsAndScalesTheShownText) {
    showText(RichText(QStringLiteral("zoom"), fontAttributes("Helvetica", 10)));
    const RichText before = modelText();
    QSignalSpy spy(view, &SlipTextView::zoomChanged);
    view->zoomIn();
    EXPECT_EQ(doc->box().currentZoomFactor(), 110);
    EXPECT_EQ(spy.takeLast().at(0).toInt(), 110);
    EXPECT_NEAR(view->document()->begin().begin().fragment().charFormat().fontPointSize(), 11.0, 1e-9);
    EXPECT_TRUE(modelText() == before);

    view->setZoomToSize(10);
    view->zoomOut();
    EXPECT_EQ(view->currentZoomFactor(), 10);
    view->setZoomToSize(1600);
    view->zoomIn();
    EXPECT_EQ(view->currentZoomFactor(), 1600);
    view->zoomOut();
    EXPECT_EQ(view->currentZoomFactor(), 1200);
    view->zoomToActualSize();
    EXPECT_EQ(view->currentZoomFactor(), 100);

    // Typing at 400 percent still stores the text's own size.
    view->setZoomToSize(400);
    place(4);
    type(QStringLiteral("s"));
    EXPECT_TRUE(modelText() == RichText(QStringLiteral("zooms"), fontAttributes("Helvetica", 10)));
    // A damaged zoom factor is bounded.
    view->setZoomToSize(0);
    EXPECT_EQ(doc->box().currentZoomFactor(), 10);
}

TEST_F(SlipTextViewTest, HighlightColoursTheSelectionBackgroundWithUndo) {
    const ColorAttribute yellow = ColorAttribute::rgb(1, 1, 0);
    showText(RichText(QStringLiteral("mark this"), fontAttributes("Helvetica")));
    view->setHighlightColour(yellow);
    place(5, 9);
    command([&] { view->highlightText(); });

    EXPECT_EQ(modelText().attributesAt(5).get<ColorAttribute>(attr::BackgroundColor), yellow);
    EXPECT_FALSE(modelText().attributesAt(4).contains(attr::BackgroundColor));
    EXPECT_TRUE(doc->currentSlip()->text().value() == modelText());
    EXPECT_EQ(undoName(), QStringLiteral("Change Text Color"));
    EXPECT_EQ(view->textCursor().selectedText(), QStringLiteral("this"));

    // Highlighting highlighted text takes the colour away again.
    command([&] { view->highlightText(); });
    EXPECT_FALSE(modelText().attributesAt(5).contains(attr::BackgroundColor));
    command([&] { undo(); });
    EXPECT_EQ(doc->currentSlip()->text()->attributesAt(6).get<ColorAttribute>(attr::BackgroundColor), yellow);
    command([&] { undo(); });
    EXPECT_TRUE(doc->currentSlip()->text().value() == RichText(QStringLiteral("mark this"), fontAttributes("Helvetica")));
}

TEST_F(SlipTextViewTest, HighlightWithoutSelectionTogglesTheTypingColour) {
    const ColorAttribute yellow = ColorAttribute::rgb(1, 1, 0);
    showText(RichText(QStringLiteral("ab"), fontAttributes("Helvetica")));
    view->setHighlightColour(yellow);
    place(2);
    view->highlightText();
    type(QStringLiteral("c"));
    view->highlightText();
    type(QStringLiteral("d"));
    EXPECT_EQ(modelText().attributesAt(2).get<ColorAttribute>(attr::BackgroundColor), yellow);
    EXPECT_TRUE(modelText().attributesAt(3) == fontAttributes("Helvetica"));
}

TEST_F(SlipTextViewTest, PastedRichTextKeepsItsFormattingAndCopiesAsRtf) {
    showText(RichText(QStringLiteral("[]"), fontAttributes("Helvetica")));
    auto* data = new QMimeData;
    data->setData(QStringLiteral("text/rtf"), QByteArray("{\\rtf1\\ansi{\\fonttbl\\f0\\fswiss Helvetica;}\\f0 {\\b bold}}"));
    data->setText(QStringLiteral("bold"));
    QApplication::clipboard()->setMimeData(data);
    place(1);
    view->paste();
    EXPECT_EQ(modelText().string(), QStringLiteral("[bold]"));
    EXPECT_TRUE(modelText().attributesAt(1).get<FontAttribute>(attr::Font)->bold);

    place(1, 5);
    view->copy();
    const QMimeData* copied = QApplication::clipboard()->mimeData();
    EXPECT_EQ(copied->text(), QStringLiteral("bold"));
    EXPECT_TRUE(copied->data(QStringLiteral("text/rtf")).startsWith("{\\rtf1"));
}

TEST_F(SlipTextViewTest, TabMovesOnOnlyWhenThePreferenceSaysSo) {
    showText(RichText(QStringLiteral("ab")));
    QSignalSpy scents(view, &SlipTextView::focusSlipScentsRequested);
    place(1);
    view->setTabSwitchesToKeywords(false);
    QTest::keyClick(view, Qt::Key_Tab);
    EXPECT_EQ(modelText().string(), QStringLiteral("a\tb"));
    EXPECT_TRUE(view->hasFocus());

    view->setTabSwitchesToKeywords(true);
    QTest::keyClick(view, Qt::Key_Tab, Qt::AltModifier);
    EXPECT_EQ(modelText().string(), QStringLiteral("a\t\tb"));
    QTest::keyClick(view, Qt::Key_Backtab, Qt::ShiftModifier);
    EXPECT_EQ(scents.size(), 1);
    QTest::keyClick(view, Qt::Key_Tab);
    EXPECT_TRUE(otherField->hasFocus());
    EXPECT_EQ(modelText().string(), QStringLiteral("a\t\tb"));
    EXPECT_EQ(doc->editor().changedCell(), EditorCell::None);
}

TEST_F(SlipTextViewTest, PasteAndMatchStyleTakesTheTypingAttributes) {
    showText(RichText(QStringLiteral("[]"), fontAttributes("Courier", 9)));
    auto* data = new QMimeData;
    data->setData(QStringLiteral("text/rtf"), QByteArray("{\\rtf1\\ansi{\\fonttbl\\f0\\fswiss Helvetica;}\\f0 {\\b bold}}"));
    data->setText(QStringLiteral("bold"));
    QApplication::clipboard()->setMimeData(data);
    place(1);
    view->pasteAsPlainText();
    EXPECT_TRUE(modelText() == RichText(QStringLiteral("[bold]"), fontAttributes("Courier", 9)));
}

TEST_F(SlipTextViewTest, TypingInASampleTextChangesOnlyWhatWasTyped) {
    REQUIRE_SAMPLES();
    const Result<RichText> read = RichTextFile::read(test::samplePath(QStringLiteral("osxcart-rtfdtest.rtfd")));
    ASSERT_TRUE(read.ok());
    const RichText original = read.value();
    ASSERT_TRUE(original.hasAttachments());
    showText(original);
    qsizetype at = original.length() / 2;
    while (!original.string().at(at - 1).isLetter()) ++at;
    place(int(at));
    type(QStringLiteral("xyz"));

    RichText expected = original;
    expected.insert(at, RichText(QStringLiteral("xyz"), original.attributesAt(at - 1)));
    EXPECT_TRUE(modelText() == expected);
    command([&] { doc->editor().endEditing(); });
    EXPECT_TRUE(doc->currentSlip()->text().value() == expected);
}
