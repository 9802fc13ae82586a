#include "document/BoxDocument.h"
#include "document/SlipTextDragAndDrop.h"
#include "platform/richtext/RichTextArchive.h"
#include "platform/richtext/RichTextPasteboard.h"
#include "platform/richtext/RtfReader.h"
#include "platform/system/Log.h"
#include "platform/ui/Pasteboard.h"

#include <gtest/gtest.h>

using namespace fendle;
using namespace fendle::sliptextdrag;

namespace {
const QString BoxA = QStringLiteral("file:///home/me/A.fendle");
const QString BoxB = QStringLiteral("file:///home/me/B.fendle");

// "see twelve" linked to slip 12, then a picture.
RichText linkAndPicture() {
    RichText text(QStringLiteral("see "));
    Attributes link;
    link.set(attr::Link, LinkAttribute{"fendle://12.self", true});
    text.append(QStringLiteral("twelve"), link);
    Attributes picture;
    picture.set(attr::Attachment, AttachmentAttribute{"leaf.png", QByteArray("\x89PNG picture bytes", 18)});
    text.append(QString(AttachmentCharacter), picture);
    return text;
}

std::optional<QString> linkAt(const RichText& text, qsizetype index) {
    const auto link = text.attributesAt(index).get<LinkAttribute>(attr::Link);
    return link ? std::optional(link->url) : std::nullopt;
}
}  // namespace

TEST(SlipTextDragAndDropTest, TextLeavingBoxANamesItAndIsInternalOnlyWhenItComesBack) {
    InMemoryPasteboard pasteboard;
    ASSERT_TRUE(writeRichText(pasteboard, linkAndPicture(), BoxA));
    const QString external = "fendle://12::" + BoxA;
    // Both forms carry the external link: other programs read the RTF.
    const auto rtf = RtfReader::read(*pasteboard.data(Pasteboard::RtfType));
    ASSERT_TRUE(rtf.ok());
    EXPECT_EQ(linkAt(*rtf, 4), external);
    const auto archived = RichTextArchive::unarchive(*pasteboard.data(RichTextPasteboard::RichTextType));
    ASSERT_TRUE(archived.ok());
    EXPECT_EQ(linkAt(*archived, 4), external);

    const auto intoA = readRichText(pasteboard, {BoxA});
    ASSERT_TRUE(intoA);
    EXPECT_TRUE(*intoA == linkAndPicture()) << "link internal again, picture kept";
    const auto intoB = readRichText(pasteboard, {BoxB});
    ASSERT_TRUE(intoB);
    EXPECT_EQ(linkAt(*intoB, 4), external);
}

TEST(SlipTextDragAndDropTest, AnUnsavedBoxHasANameOfItsOwnThatItKeepsAnsweringTo) {
    BoxDocument unsaved, other;
    InMemoryPasteboard pasteboard;
    ASSERT_TRUE(writeRichText(pasteboard, linkAndPicture(), unsaved.boxUrlString()));
    const auto intoOther = readRichText(pasteboard, other.ownBoxUrlStrings());
    ASSERT_TRUE(intoOther);
    EXPECT_TRUE(linkAt(*intoOther, 4)->startsWith("fendle://12::")) << linkAt(*intoOther, 4)->toStdString();
    EXPECT_EQ(linkAt(*readRichText(pasteboard, unsaved.ownBoxUrlStrings()), 4), "fendle://12.self");
    // Copied before the first save, pasted after it.
    unsaved.setFileName(QStringLiteral("/home/me/New.fendle"));
    EXPECT_EQ(unsaved.boxUrlString(), "file:///home/me/New.fendle");
    EXPECT_EQ(linkAt(*readRichText(pasteboard, unsaved.ownBoxUrlStrings()), 4), "fendle://12.self");
}

TEST(SlipTextDragAndDropTest, DamagedRichFormsAreRefused) {
    setLogSink([](const QString&) {});
    const QByteArray archive = RichTextArchive::archive(linkAndPicture());
    // Every cut of the archive, and every byte of it changed, reads or is
    // refused without harm; the RTF form stands in for a refused archive.
    for (qsizetype size = 0; size < archive.size(); size += 7) {
        InMemoryPasteboard pasteboard;
        pasteboard.setData(RichTextPasteboard::RichTextType, archive.left(size));
        EXPECT_FALSE(readRichText(pasteboard, {BoxA})) << size;
        pasteboard.setData(Pasteboard::RtfType, "{\\rtf1 rtf}");
        const auto text = readRichText(pasteboard, {BoxA});
        ASSERT_TRUE(text) << size;
        EXPECT_EQ(text->string(), "rtf");
    }
    for (qsizetype at = 0; at < archive.size(); ++at) {
        QByteArray changed = archive;
        changed[at] = char(changed.at(at) ^ 0x5a);
        InMemoryPasteboard pasteboard;
        pasteboard.setData(RichTextPasteboard::RichTextType, changed);
        (void)readRichText(pasteboard, {BoxA});
    }
    InMemoryPasteboard rtfOnly;
    rtfOnly.setData(Pasteboard::RtfType, "{\\rtf1 {\\field{\\*\\fldinst{HYPERLINK \"fendle://7::" + BoxA.toLatin1() +
                                             "\"}}{\\fldrslt seven}}}");
    const auto fromRtf = readRichText(rtfOnly, {BoxA});
    ASSERT_TRUE(fromRtf);
    EXPECT_EQ(linkAt(*fromRtf, 0), "fendle://7.self") << "RTF from elsewhere comes in like our own form";
    setLogSink({});
}

TEST(SlipTextDragAndDropTest, DroppedSingleSlipLinkIsInternalOnlyInItsOwnBox) {
    const QString external = "fendle://12::" + BoxA;
    const UrlsWithTitles list{{external}, {"twelve"}};
    const std::optional<QString> internal("fendle://12.self");
    EXPECT_EQ(droppedSlipLink(list, internal, {BoxA}), (DroppedLink{"fendle://12.self", "twelve"}));
    EXPECT_EQ(droppedSlipLink(list, internal, {BoxB}), (DroppedLink{external, "twelve"}));
    EXPECT_EQ(droppedSlipLink(list, std::nullopt, {BoxA}), (DroppedLink{external, "twelve"}));
    EXPECT_EQ(droppedSlipLink({{"fendle://4.self"}, {}}, std::optional<QString>("fendle://4.self"), {BoxA}),
              (DroppedLink{"fendle://4.self", ""}));
    EXPECT_FALSE(droppedSlipLink({{"https://example.org/"}, {}}, internal, {BoxA}));
}

TEST(SlipTextDragAndDropTest, HostileUrlListForms) {
    EXPECT_EQ(readUrlsWithTitles(urlsWithTitlesData({{"a", "b"}, {"A"}}))->urls, (QStringList{"a", "b"}));
    for (const QByteArray& bad : {QByteArray("not json"), QByteArray("{}"), QByteArray("[[],[]]"), QByteArray("[[1,2]]")})
        EXPECT_FALSE(readUrlsWithTitles(bad)) << bad.constData();
}
