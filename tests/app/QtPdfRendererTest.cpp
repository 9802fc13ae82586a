#include "app/print/QtPdfRenderer.h"
#include "support/PdfPages.h"

#include <gtest/gtest.h>

using namespace fendle;
using namespace fendle::test;

TEST(QtPdfRendererTest, AFormFeedStartsANewPage) {
    QtPdfRenderer renderer;
    const Result<QByteArray> one = renderer.render(RichText(QStringLiteral("Slip 1\n\none\n\n\n\nSlip 2\n\ntwo\n")));
    ASSERT_TRUE(one.ok());
    EXPECT_TRUE(one->startsWith("%PDF"));
    EXPECT_EQ(pdfPageCount(*one), 1);
    const Result<QByteArray> two = renderer.render(RichText(QStringLiteral("Slip 1\n\none\n\n\fSlip 2\n\ntwo\n\fSlip 3\n")));
    ASSERT_TRUE(two.ok());
    EXPECT_EQ(pdfPageCount(*two), 3);
}
