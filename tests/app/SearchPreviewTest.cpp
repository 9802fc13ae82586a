#include "BoxWindowFixture.h"
#include "RichTextSamples.h"
#include "app/editing/RichTextDocument.h"
#include "app/views/SearchView.h"
#include "app/views/ZNTableView.h"
#include "search/ResultTable.h"

#include <QTextBlock>
#include <QTextEdit>

namespace fendle::test {
namespace {

// The preview beside the search results shows the slip as the slip text does.
class SearchPreviewTest : public BoxWindowFixture {
protected:
    QTextEdit* preview() const { return window->searchView()->previewText(); }
    void selectResult(const QString& key) {
        choose(QStringLiteral("Search View"));
        ZNTableView* table = window->searchView()->resultsTable();
        const int row = int(box->currentSearchResults().rowForResultWithSlipID(key));
        ASSERT_GE(row, 0);
        table->selectRow(row);
        settle();
    }
    QTextCharFormat formatAt(int position) const {
        QTextCursor cursor(preview()->document());
        cursor.setPosition(position + 1);
        return cursor.charFormat();
    }
};

TEST_F(SearchPreviewTest, ShowsTheSlipsStylesAndPicturesReadOnly) {
    RichText text(QStringLiteral("plain "), fontAttributes(QStringLiteral("Helvetica")));
    Attributes bold = fontAttributes(QStringLiteral("Helvetica"));
    bold.set(attr::Font, FontAttribute{QStringLiteral("Helvetica"), QStringLiteral("Helvetica-Bold"), 12, true});
    bold.set(attr::Link, LinkAttribute{QStringLiteral("https://example.org"), true});
    text.append(QStringLiteral("bold"), bold);
    text.append(QStringLiteral(" "), fontAttributes(QStringLiteral("Helvetica")));
    text.append(QString(QChar(AttachmentCharacter)), attachmentAttributes(QStringLiteral("red.png"), pngBytes(30, 20)));
    auto pictured = Slip::create(1);
    pictured->setTextWithoutLastModificationDate(text);
    pictured->setSourceWithoutLastModificationDate(QStringLiteral("src 1"));
    auto other = Slip::create(2);
    other->setTextWithoutLastModificationDate(RichText(QStringLiteral("two")));
    openSlips({{pictured->key(), pictured}, {other->key(), other}});

    selectResult(QStringLiteral("1"));
    EXPECT_TRUE(preview()->isReadOnly());
    EXPECT_EQ(preview()->toPlainText().left(11), QStringLiteral("plain bold "));
    EXPECT_EQ(window->searchView()->previewSource()->text(), QStringLiteral("src 1"));
    EXPECT_LT(formatAt(2).fontWeight(), int(QFont::Bold));
    EXPECT_GE(formatAt(7).fontWeight(), int(QFont::Bold));
    EXPECT_EQ(formatAt(7).anchorHref(), QStringLiteral("https://example.org"));
    const QTextCharFormat picture = formatAt(11);
    ASSERT_TRUE(picture.isImageFormat());
    const QVariant image = preview()->document()->resource(QTextDocument::ImageResource,
                                                          QUrl(picture.toImageFormat().name()));
    ASSERT_TRUE(image.canConvert<QImage>());
    EXPECT_EQ(image.value<QImage>().size(), QSize(30, 20));

    // The next slip replaces all of it, picture included.
    selectResult(QStringLiteral("2"));
    EXPECT_EQ(preview()->toPlainText(), QStringLiteral("two"));
    EXPECT_FALSE(formatAt(0).isImageFormat());
}

}  // namespace
}  // namespace fendle::test
