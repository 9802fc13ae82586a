#include "app/program/ClipboardPasteboard.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>
#include <gtest/gtest.h>

using namespace fendle;

TEST(ClipboardPasteboardTest, SlipsTravelUnderTheirMimeTypeBesideText) {
    ClipboardPasteboard pasteboard;
    pasteboard.clearContents();
    ASSERT_TRUE(pasteboard.setData(Pasteboard::SlipsType, QByteArray("archived slips")));
    ASSERT_TRUE(pasteboard.setData(Pasteboard::StringType, QByteArray("slip text")));

    const QMimeData* mime = QGuiApplication::clipboard()->mimeData();
    ASSERT_NE(mime, nullptr);
    EXPECT_EQ(mime->data("application/x-fendle-slips"), "archived slips");
    EXPECT_EQ(mime->text(), "slip text");
    EXPECT_TRUE(pasteboard.hasType(Pasteboard::SlipsType));
    EXPECT_TRUE(pasteboard.hasType(Pasteboard::StringType));
    EXPECT_EQ(pasteboard.data(Pasteboard::SlipsType), std::optional<QByteArray>("archived slips"));

    pasteboard.clearContents();
    EXPECT_FALSE(pasteboard.hasType(Pasteboard::SlipsType));
    EXPECT_EQ(pasteboard.data(Pasteboard::SlipsType), std::nullopt);
}

TEST(ClipboardPasteboardTest, TextFromAnotherProgramReadsAsTheStringForm) {
    ClipboardPasteboard pasteboard;
    QGuiApplication::clipboard()->setText(QStringLiteral("from elsewhere"));
    EXPECT_TRUE(pasteboard.hasType(Pasteboard::StringType));
    EXPECT_FALSE(pasteboard.hasType(Pasteboard::SlipsType));
    EXPECT_EQ(pasteboard.data(Pasteboard::StringType), std::optional<QByteArray>("from elsewhere"));
}

TEST(ClipboardPasteboardTest, RtfFromAnotherProgramReadsUnderEitherMimeType) {
    ClipboardPasteboard pasteboard;
    auto* mime = new QMimeData;
    mime->setData(QStringLiteral("application/rtf"), QByteArray("{\\rtf1 elsewhere}"));
    QGuiApplication::clipboard()->setMimeData(mime);
    EXPECT_EQ(pasteboard.types(), QStringList{Pasteboard::RtfType});
    EXPECT_EQ(pasteboard.data(Pasteboard::RtfType), std::optional<QByteArray>("{\\rtf1 elsewhere}"));
}
