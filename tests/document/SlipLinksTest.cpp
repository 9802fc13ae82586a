#include "document/SlipLinks.h"

#include <gtest/gtest.h>

using namespace fendle;
using namespace fendle::sliplinks;

namespace {
const QString boxA = QStringLiteral("file://localhost/Users/me/A.fendle");
const QString boxB = QStringLiteral("file://localhost/Users/me/B.fendle");

Attributes linkTo(const QString& url, bool isUrlObject = true) {
    Attributes attributes;
    attributes.set(attr::Link, LinkAttribute{url, isUrlObject});
    attributes.set(attr::Font, FontAttribute{"Helvetica", "Helvetica", 12});
    return attributes;
}

// "see " then one linked word per address, separated by spaces.
RichText textWithLinks(const QStringList& urls) {
    RichText text(QStringLiteral("see"));
    for (const QString& url : urls) {
        text.append(QStringLiteral(" "), {});
        text.append(QStringLiteral("word"), linkTo(url));
    }
    return text;
}

QStringList linksIn(const RichText& text) {
    QStringList links;
    for (const RichText::Run& run : text.runs())
        if (const auto link = run.attributes.get<LinkAttribute>(attr::Link)) links.append(link->url);
    return links;
}
}  // namespace

TEST(SlipLinks, LinkForms) {
    EXPECT_EQ(internalSlipLinkString(QStringLiteral("12")), QStringLiteral("fendle://12.self"));
    EXPECT_EQ(externalSlipLinkString(QStringLiteral("12"), boxA),
              QStringLiteral("fendle://12::file://localhost/Users/me/A.fendle"));
}

TEST(SlipLinks, OutOfBoxAIntoAGivesInternalLinksIntoBStaysExternal) {
    const RichText text = textWithLinks({"fendle://1.self", "fendle://2::" + boxB, "fendle://3.self"});
    const RichText out = replaceInternalSlipLinks(text, boxA);
    EXPECT_EQ(linksIn(out), (QStringList{"fendle://1::" + boxA, "fendle://2::" + boxB, "fendle://3::" + boxA}));
    EXPECT_EQ(out.string(), text.string());
    // Only the link target changes: its other attributes and its form stay.
    EXPECT_TRUE(out.attributesAt(4).get<FontAttribute>(attr::Font) == text.attributesAt(4).get<FontAttribute>(attr::Font));
    EXPECT_TRUE(out.attributesAt(4).get<LinkAttribute>(attr::Link)->isUrlObject);

    EXPECT_TRUE(replaceExternalSlipLinks(out, {boxA}) == text) << "the round trip restores the text";
    EXPECT_EQ(linksIn(replaceExternalSlipLinks(out, {boxB})),
              (QStringList{"fendle://1::" + boxA, "fendle://2.self", "fendle://3::" + boxA}));
    EXPECT_EQ(linksIn(replaceExternalSlipLinks(out, {"unsaved:x", boxA})),
              (QStringList{"fendle://1.self", "fendle://2::" + boxB, "fendle://3.self"}))
        << "a box answers to every name it goes by";
}

TEST(SlipLinks, OtherLinksAreLeftAlone) {
    const QStringList others{"https://example.org/x.self", "fendle://.self", "fendle://12::file:///x.self",
                             "FENDLE://4.self", "fendle://::" + boxA, "mailto:me@example.org"};
    const RichText text = textWithLinks(others);
    EXPECT_EQ(linksIn(replaceInternalSlipLinks(text, boxA)), others);
    EXPECT_EQ(linksIn(replaceExternalSlipLinks(text, {boxA, QStringLiteral("file:///x.self")})),
              (QStringList{"https://example.org/x.self", "fendle://.self", "fendle://12.self", "FENDLE://4.self",
                           "fendle://::" + boxA, "mailto:me@example.org"}));
    const RichText plain(QStringLiteral("no links"));
    EXPECT_TRUE(replaceInternalSlipLinks(plain, boxA) == plain);
}
