#include "BoxFixture.h"
#include "document/OrphanedLinkSearch.h"

using namespace fendle;
using namespace fendle::test;

namespace {
class OrphanedLinkSearchTest : public BoxFixture {
protected:
    OrphanedLinkSearch search{*doc};

    // Puts "see LINK end" into the slip, the middle word linked to target.
    void link(const QString& key, const QString& target, const QString& word = QStringLiteral("LINK")) {
        RichText text(QStringLiteral("see "));
        Attributes linked;
        linked.set(attr::Link, LinkAttribute{target, true});
        text.append(word, linked);
        text.append(QStringLiteral(" end"), {});
        doc->slip(key)->setTextWithoutLastModificationDate(text);
    }
};
}  // namespace

TEST_F(OrphanedLinkSearchTest, CleanBoxReportsNone) {
    fill({1, 2, 4});
    link("1", "fendle://2.self");
    link("2", "fendle://9::file:///other.fendle");  // external links are never reported
    link("4", "https://example.org/x.self");
    EXPECT_FALSE(search.findNextOrphanedSlipLink());
    EXPECT_EQ(ui.takeMessages(), QStringList({"No orphaned slip link in this box"}));
    EXPECT_FALSE(ui.progressShown);
    EXPECT_EQ(ui.progress.first(), "Searching Orphaned Links 0.1");
    // Walked over 3 slips of a box numbered up to 4.
    EXPECT_EQ(ui.progress.last(), "75");
}

TEST_F(OrphanedLinkSearchTest, FindsTheSameLinkAgainWhileUnchanged) {
    fill({1, 2, 3}, {5});
    link("2", "fendle://5.self");  // in the trash: orphaned while the box is shown
    link("3", "fendle://8.self");
    show("1");
    for (int round = 0; round < 2; ++round) {
        const auto found = search.findNextOrphanedSlipLink();
        ASSERT_TRUE(found);
        EXPECT_EQ(*found, (OrphanedLinkSearch::Found{"2", {4, 4}, "fendle://5.self", "5"}));
        EXPECT_EQ(current(), "2");
        EXPECT_EQ(doc->editor().selectedRange(), (TextRange{4, 4}));
    }
    EXPECT_EQ(ui.takeMessages(), QStringList(2, "The highlighted text links to slip 5, which is not in this box."));
    EXPECT_FALSE(ui.progressShown);
}

TEST_F(OrphanedLinkSearchTest, AllOrphanedLinksOfTheBox) {
    fill({1, 2});
    link("1", "fendle://7.self");
    RichText text = *doc->slip("1")->text();
    Attributes other;
    other.set(attr::Link, QStringLiteral("fendle://8.self"));
    text.append(QStringLiteral("X"), other);
    doc->slip("1")->setTextWithoutLastModificationDate(text);
    link("2", "fendle://1.self");
    const QList<OrphanedLinkSearch::Found> expected = {{"1", {4, 4}, "fendle://7.self", "7"},
                                                        {"1", {12, 1}, "fendle://8.self", "8"}};
    EXPECT_EQ(OrphanedLinkSearch::allOrphanedLinks(doc->box()), expected);
}

TEST(OrphanedLinkKeyTest, KeyOfInternalLinks) {
    EXPECT_EQ(OrphanedLinkSearch::linkedKey("fendle://12.self"), "12");
    EXPECT_EQ(OrphanedLinkSearch::linkedKey("fendle://12.x.self"), "12");
    EXPECT_FALSE(OrphanedLinkSearch::linkedKey("fendle://12::file:///a.fendle"));
    EXPECT_FALSE(OrphanedLinkSearch::linkedKey("http://12.self"));
}
