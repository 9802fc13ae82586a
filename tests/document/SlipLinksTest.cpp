#include "document/SlipLinks.h"
#include "platform/richtext/RtfReader.h"
#include "platform/richtext/RtfWriter.h"

#include <gtest/gtest.h>

using namespace fendle;
using namespace fendle::sliplinks;

namespace {
const QString boxA = QStringLiteral("file://localhost/Users/me/A.fendle");
const QString boxB = QStringLiteral("file://localhost/Users/me/B.fendle");

QString rtfWithLink(const QString& url) {
    RichText text(QStringLiteral("see "));
    text.append(QStringLiteral("slip 12"), {});
    text.addAttribute(attr::Link, LinkAttribute{url, true}, {4, 7});
    text.append(QStringLiteral(" and more.self text"), {});
    return QString::fromLatin1(RtfWriter::write(text));
}

QString linkIn(const QString& rtf) {
    const Result<RichText> result = RtfReader::read(rtf.toLatin1());
    EXPECT_TRUE(result.ok());
    const auto link = result->attributesAt(4).get<LinkAttribute>(attr::Link);
    return link ? link->url : QString();
}
}  // namespace

TEST(SlipLinks, LinkForms) {
    EXPECT_EQ(internalSlipLinkString(QStringLiteral("12")), QStringLiteral("fendle://12.self"));
    EXPECT_EQ(externalSlipLinkString(QStringLiteral("12"), boxA),
              QStringLiteral("fendle://12::file://localhost/Users/me/A.fendle"));
}

TEST(SlipLinks, DragOutOfBoxAAndDropIntoBoxAGivesAnInternalLink) {
    const QString dragged = replaceInternalSlipLinksInRTFString(rtfWithLink(QStringLiteral("fendle://12.self")), boxA);
    EXPECT_EQ(linkIn(dragged), externalSlipLinkString(QStringLiteral("12"), boxA));
    const QString dropped = replaceExternalSlipLinksInRTFString(dragged, boxA);
    EXPECT_EQ(linkIn(dropped), QStringLiteral("fendle://12.self"));
    EXPECT_EQ(dropped, rtfWithLink(QStringLiteral("fendle://12.self"))) << "the round trip restores the source text";
}

TEST(SlipLinks, DropIntoBoxBKeepsTheExternalLink) {
    const QString dragged = replaceInternalSlipLinksInRTFString(rtfWithLink(QStringLiteral("fendle://12.self")), boxA);
    EXPECT_EQ(linkIn(replaceExternalSlipLinksInRTFString(dragged, boxB)), externalSlipLinkString("12", boxA));
}

TEST(SlipLinks, ExternalAndOtherLinksSurviveADragOut) {
    const QString external = rtfWithLink(externalSlipLinkString(QStringLiteral("7"), boxB));
    EXPECT_EQ(replaceInternalSlipLinksInRTFString(external, boxA), external)
        << "an external link stays, although '.self' appears later in the text";
    const QString web = rtfWithLink(QStringLiteral("https://example.org/x.self"));
    EXPECT_EQ(replaceInternalSlipLinksInRTFString(web, boxA), web);
    EXPECT_EQ(replaceExternalSlipLinksInRTFString(web, boxA), web);
    const QString noLinks = QStringLiteral("{\\rtf1 plain}");
    EXPECT_EQ(replaceInternalSlipLinksInRTFString(noLinks, boxA), noLinks);
    const QString truncated = QStringLiteral("{\\rtf1 HYPERLINK \"fendle://12::") + boxA;
    EXPECT_EQ(replaceExternalSlipLinksInRTFString(truncated, boxA), truncated) << "no instruction end, no change";
}

TEST(SlipLinks, SeveralLinksInOneText) {
    const QString rtf = QStringLiteral(
        "{\\field{\\*\\fldinst{HYPERLINK \"fendle://1.self\"}}{\\fldrslt a}} "
        "{\\field{\\*\\fldinst{HYPERLINK \"fendle://2::%1\"}}{\\fldrslt b}} "
        "{\\field{\\*\\fldinst{HYPERLINK \"fendle://3.self\"}}{\\fldrslt c}}").arg(boxB);
    const QString out = replaceInternalSlipLinksInRTFString(rtf, boxA);
    EXPECT_TRUE(out.contains(QStringLiteral("HYPERLINK \"fendle://1::%1\"}").arg(boxA)));
    EXPECT_TRUE(out.contains(QStringLiteral("HYPERLINK \"fendle://2::%1\"}").arg(boxB)));
    EXPECT_TRUE(out.contains(QStringLiteral("HYPERLINK \"fendle://3::%1\"}").arg(boxA)));
    const QString back = replaceExternalSlipLinksInRTFString(out, boxA);
    EXPECT_TRUE(back.contains(QStringLiteral("HYPERLINK \"fendle://1.self\"}")));
    EXPECT_TRUE(back.contains(QStringLiteral("HYPERLINK \"fendle://2::%1\"}").arg(boxB)));
    EXPECT_TRUE(back.contains(QStringLiteral("HYPERLINK \"fendle://3.self\"}")));
}
