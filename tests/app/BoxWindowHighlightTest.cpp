#include "BoxWindowFixture.h"
#include "app/editing/SlipTextView.h"
#include "app/editing/TextFormatMapping.h"
#include "app/windows/TemplateWindow.h"

#include <QTextEdit>

namespace fendle::test {
namespace {

// The highlight of the slip text, the template window and the toolbar's "H"
// segment, with the default colour as boxes and preferences hand it back.
class BoxWindowHighlightTest : public BoxWindowFixture {
protected:
    SlipTextView* text() const { return window->slipTextView(); }

    static void select(QTextEdit* edit, int from, int to) {
        edit->setFocus();
        settle();
        QTextCursor cursor = edit->textCursor();
        cursor.setPosition(from);
        cursor.setPosition(to, QTextCursor::KeepAnchor);
        edit->setTextCursor(cursor);
        settle();
    }
    std::optional<ColorAttribute> backgroundAt(qsizetype at) const {
        return box->currentSlip()->text()->attributesAt(at).get<ColorAttribute>(attr::BackgroundColor);
    }
    bool highlightSegmentSelected() {
        window->validateCommands();
        return toolbar().fontCharacteristicsToolbarControl->isSegmentSelected(3);
    }
    void saveCloseAndReopen() {
        choose(QStringLiteral("Save"));
        ASSERT_FALSE(box->isDocumentEdited());
        const QString path = *window->path();
        window->close();
        flush();
        box = gui->controller().openDocumentWithContentsOfURL(QUrl::fromLocalFile(path), true);
        ASSERT_NE(box, nullptr);
        window = gui->windowOf(*box);
        ASSERT_NE(window, nullptr);
        QApplication::setActiveWindow(window);
        ASSERT_TRUE(QTest::qWaitForWindowActive(window));
        settle();
    }
};

TEST_F(BoxWindowHighlightTest, HighlightSavedAndReadBackTogglesOffAndShowsInTheSegment) {
    open({1});
    select(text(), 0, 4);
    EXPECT_FALSE(highlightSegmentSelected());
    choose(QStringLiteral("Highlight"));
    ASSERT_TRUE(backgroundAt(0).has_value());
    EXPECT_EQ(*backgroundAt(0), preferences.highlightColour());
    EXPECT_FALSE(backgroundAt(4).has_value());
    EXPECT_TRUE(highlightSegmentSelected());

    saveCloseAndReopen();
    ASSERT_TRUE(backgroundAt(0).has_value());
    select(text(), 0, 4);
    EXPECT_TRUE(highlightSegmentSelected());
    choose(QStringLiteral("Highlight"));
    EXPECT_FALSE(backgroundAt(0).has_value());
    EXPECT_FALSE(highlightSegmentSelected());
    EXPECT_EQ(box->undoManager().undoActionName(), QStringLiteral("Change Text Color"));
}

TEST_F(BoxWindowHighlightTest, TheDefaultColourWrittenInOtherFormsIsTheSameHighlight) {
    // The default as another writer keeps it (decimal text, not single
    // precision), as an RTF colour table rounds it, and calibrated; last a
    // colour three eight-bit steps away, which is not the highlight.
    const ColorAttribute forms[] = {
        ColorAttribute::cmyk(0.05, 0.85, 0.99, 0.17),
        ColorAttribute::rgb(201 / 255.0, 32 / 255.0, 2 / 255.0, 1.0, false),
        ColorAttribute::rgb(0.78850, 0.12450, 0.00830),
        ColorAttribute::rgb(204 / 255.0, 32 / 255.0, 2 / 255.0),
    };
    RichText marked;
    for (const ColorAttribute& form : forms) {
        Attributes highlighted;
        highlighted.set(attr::BackgroundColor, form);
        marked.append(QStringLiteral("mark"), highlighted);
        marked.append(QStringLiteral(" "), {});
    }
    auto slip = Slip::create(1);
    slip->setTextWithoutLastModificationDate(marked);
    openSlips({{slip->key(), slip}});

    for (int form = 0; form < 3; ++form) {
        SCOPED_TRACE(form);
        const int at = form * 5;
        select(text(), at, at + 4);
        EXPECT_TRUE(highlightSegmentSelected());
        choose(QStringLiteral("Highlight"));
        EXPECT_FALSE(backgroundAt(at).has_value());
    }
    select(text(), 15, 19);
    EXPECT_FALSE(highlightSegmentSelected());
    choose(QStringLiteral("Highlight"));
    ASSERT_TRUE(backgroundAt(15).has_value());
    EXPECT_EQ(*backgroundAt(15), preferences.highlightColour());
}

TEST_F(BoxWindowHighlightTest, TheTemplateWindowHighlightsByTheSameRule) {
    open({1});
    choose(QStringLiteral("Edit Slip Template..."));
    TemplateWindow* templateWindow = window->uiPort().templateWindow();
    ASSERT_NE(templateWindow, nullptr);
    QTextEdit* edit = templateWindow->textView();
    edit->setPlainText(QStringLiteral("template"));
    select(edit, 0, 4);
    choose(QStringLiteral("Highlight"));
    QTextCursor probe(edit->document());
    probe.setPosition(1);
    ASSERT_NE(probe.charFormat().background().style(), Qt::NoBrush);
    EXPECT_EQ(probe.charFormat().background().color(), TextFormatMapping::toQColor(preferences.highlightColour()));
    EXPECT_EQ(probe.charFormat().foreground().style(), Qt::NoBrush);
    select(edit, 0, 4);
    choose(QStringLiteral("Highlight"));
    probe.setPosition(1);
    EXPECT_EQ(probe.charFormat().background().style(), Qt::NoBrush);
    templateWindow->reject();
}

}  // namespace
}  // namespace fendle::test
