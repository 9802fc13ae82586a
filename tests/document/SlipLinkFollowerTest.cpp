#include "BoxFixture.h"
#include "document/SlipLinkFollower.h"
#include "document/SlipUrlHandler.h"

using namespace fendle;
using namespace fendle::test;

namespace {
class SlipLinkFollowerTest : public BoxFixture {
protected:
    SlipLinkFollower follower{*doc, ui};
    void SetUp() override {
        fill({3, 12, 20}, {7});
        show("3");
    }
};

// Another open box at a file address, standing in for the document controller.
class FakeOpener : public BoxDocumentOpener {
public:
    QMap<QString, Box*> open;
    QStringList asked;
    Box* openDocumentWithContentsOfURL(const QString& url) override {
        asked.append(url);
        return open.value(url);
    }
};
}  // namespace

TEST_F(SlipLinkFollowerTest, InternalLinkNavigatesAndRecordsHistory) {
    // Coming from 20 keeps the history clear of the A -> B -> A rule.
    show("20");
    show("3");
    EXPECT_TRUE(follower.textViewClickedOnLink(LinkAttribute{"fendle://12.self", true}));
    EXPECT_EQ(current(), "12");
    doc->goBackSlip();
    EXPECT_EQ(current(), "3");
}

TEST_F(SlipLinkFollowerTest, LinkToMissingOrTrashedSlipAlertsAndStays) {
    EXPECT_TRUE(follower.textViewClickedOnLink(LinkAttribute{"fendle://7.self", true}));
    EXPECT_TRUE(follower.textViewClickedOnLink(LinkAttribute{"fendle://99.self", true}));
    EXPECT_EQ(current(), "3");
    ASSERT_EQ(ui.alerts.size(), 2);
    EXPECT_EQ(ui.alerts[1].message, "The linked slip is not in this box!");
    EXPECT_EQ(ui.alerts[1].informativeText, "Perhaps it is in the Trash?");
}

TEST_F(SlipLinkFollowerTest, OtherLinksAreLeftToTheTextView) {
    EXPECT_FALSE(follower.textViewClickedOnLink(LinkAttribute{"https://example.org/a.self", true}));
    EXPECT_FALSE(follower.textViewClickedOnLink(LinkAttribute{"fendle://12::file:///x.fendle", true}));
    EXPECT_FALSE(follower.textViewClickedOnLink(QStringLiteral("fendle12.self")));
    EXPECT_FALSE(follower.textViewClickedOnLink(std::int64_t{12}));
    EXPECT_EQ(current(), "3");
    EXPECT_TRUE(ui.alerts.isEmpty());
}

TEST_F(SlipLinkFollowerTest, ExternalAddressOpensItsBoxAndShowsTheSlip) {
    FakeOpener opener;
    opener.open.insert("file://localhost/Users/me/Notes.fendle", doc.get());
    EXPECT_TRUE(getUrl("fendle://12::file://localhost/Users/me/Notes.fendle", opener));
    EXPECT_EQ(opener.asked, QStringList({"file://localhost/Users/me/Notes.fendle"}));
    EXPECT_EQ(current(), "12");
    // A slip the box lacks: the box is opened and stays where it was.
    EXPECT_FALSE(getUrl("fendle://99::file://localhost/Users/me/Notes.fendle", opener));
    EXPECT_EQ(current(), "12");
    // A box that cannot be opened.
    EXPECT_FALSE(getUrl("fendle://3::file:///nowhere.fendle", opener));
    EXPECT_EQ(current(), "12");
}

TEST_F(SlipLinkFollowerTest, InternalAddressFromOutsideIsIgnored) {
    FakeOpener opener;
    opener.open.insert("file:///x.fendle", doc.get());
    EXPECT_FALSE(getUrl("fendle://12.self", opener));
    EXPECT_FALSE(getUrl("fendle://12", opener));
    EXPECT_TRUE(opener.asked.isEmpty());
    EXPECT_EQ(current(), "3");
}
