#include "document/SlipTextDragAndDrop.h"
#include "platform/ui/Pasteboard.h"

#include <gtest/gtest.h>

using namespace fendle;
using namespace fendle::sliptextdrag;

namespace {
const QString BoxA = QStringLiteral("file:///home/me/A.fendle");
const QString BoxB = QStringLiteral("file:///home/me/B.fendle");
const QByteArray Rtf = R"({\rtf1 see {\field{\*\fldinst{HYPERLINK "fendle://12.self"}}{\fldrslt twelve}} and )"
                       R"({\field{\*\fldinst{HYPERLINK "fendle://3::file:///x.fendle"}}{\fldrslt three}}})";

QString rtfOf(const Pasteboard& pasteboard) { return QString::fromLatin1(*pasteboard.data(RtfType)); }
}  // namespace

TEST(SlipTextDragAndDropTest, RtfDraggedOutOfAAndDroppedIntoAGivesInternalLinkAgain) {
    InMemoryPasteboard pasteboard;
    pasteboard.setData(RtfType, Rtf);
    prepareDragOut(pasteboard, BoxA);
    EXPECT_TRUE(rtfOf(pasteboard).contains("HYPERLINK \"fendle://12::file:///home/me/A.fendle\"}"));
    EXPECT_TRUE(rtfOf(pasteboard).contains("HYPERLINK \"fendle://3::file:///x.fendle\"}"));
    EXPECT_FALSE(rtfOf(pasteboard).contains(".self"));

    InMemoryPasteboard intoB;
    intoB.setData(RtfType, *pasteboard.data(RtfType));
    prepareDrop(intoB, BoxB);
    EXPECT_TRUE(rtfOf(intoB).contains("HYPERLINK \"fendle://12::file:///home/me/A.fendle\"}"));

    prepareDrop(pasteboard, BoxA);
    EXPECT_EQ(rtfOf(pasteboard), QString::fromLatin1(Rtf));
}

TEST(SlipTextDragAndDropTest, SingleLinkDraggedOutCarriesBothForms) {
    InMemoryPasteboard pasteboard;
    pasteboard.setData(WebUrlsWithTitlesType, urlsWithTitlesData({{"fendle://12.self"}, {"twelve"}}));
    pasteboard.setData(Pasteboard::StringType, "fendle://12.self");
    prepareDragOut(pasteboard, BoxA);
    const QString external = "fendle://12::" + BoxA;
    EXPECT_EQ(pasteboard.data(Pasteboard::StringType), external.toUtf8());
    EXPECT_EQ(readUrlsWithTitles(*pasteboard.data(WebUrlsWithTitlesType))->urls, QStringList({external}));
    EXPECT_EQ(pasteboard.data(InternalSlipLinkType), QByteArray("fendle://12.self"));

    // Into its own box the link is internal again, into another it stays external.
    EXPECT_EQ(droppedSlipLink(pasteboard, BoxA), (DroppedLink{"fendle://12.self", "twelve"}));
    EXPECT_EQ(droppedSlipLink(pasteboard, BoxB), (DroppedLink{external, "twelve"}));
}

TEST(SlipTextDragAndDropTest, OtherDraggedLinksAreLeftAlone) {
    InMemoryPasteboard pasteboard;
    pasteboard.setData(WebUrlsWithTitlesType, urlsWithTitlesData({{"https://example.org/"}, {}}));
    pasteboard.setData(RtfType, Rtf);
    prepareDragOut(pasteboard, BoxA);
    EXPECT_EQ(rtfOf(pasteboard), QString::fromLatin1(Rtf));
    EXPECT_FALSE(pasteboard.hasType(InternalSlipLinkType));
    EXPECT_FALSE(droppedSlipLink(pasteboard, BoxA));
}

TEST(SlipTextDragAndDropTest, DroppedLinkWithoutTitleAndHostileListForms) {
    InMemoryPasteboard pasteboard;
    pasteboard.setData(WebUrlsWithTitlesType, urlsWithTitlesData({{"fendle://4.self"}, {}}));
    pasteboard.setData(InternalSlipLinkType, "fendle://4.self");
    EXPECT_EQ(droppedSlipLink(pasteboard, BoxA), (DroppedLink{"fendle://4.self", ""}));
    for (const QByteArray& bad : {QByteArray("not json"), QByteArray("{}"), QByteArray("[[],[]]"), QByteArray("[[1,2]]")}) {
        pasteboard.setData(WebUrlsWithTitlesType, bad);
        EXPECT_FALSE(droppedSlipLink(pasteboard, BoxA)) << bad.constData();
        prepareDragOut(pasteboard, BoxA);
    }
}
