#include "ImportTestFiles.h"
#include "document/SlipLinks.h"
#include "io/BoxImport.h"
#include "model/BoxFile.h"

#include <gtest/gtest.h>

using namespace fendle;
using namespace fendle::test;

namespace {

// "see " followed by linkText linked to address.
RichText textWithLink(const QString& linkText, const QString& address, bool urlObject = true) {
    RichText text(QStringLiteral("see "));
    Attributes link;
    link.set(attr::Link, LinkAttribute{address, urlObject});
    text.append(linkText, link);
    text.append(QStringLiteral(" here"), {});
    return text;
}

struct LinkFound {
    QString text;
    QString address;
    friend bool operator==(const LinkFound&, const LinkFound&) = default;
};
void PrintTo(const LinkFound& link, std::ostream* os) {
    *os << '"' << link.text.toStdString() << "\" -> " << link.address.toStdString();
}

// Each link of the text with the characters it covers, in text order.
QList<LinkFound> linksOf(const RichText& text) {
    QList<LinkFound> links;
    qsizetype at = 0;
    for (const RichText::Run& run : text.runs()) {
        if (const auto link = run.attributes.get<LinkAttribute>(attr::Link)) {
            const QString covered = text.string().mid(at, run.length);
            if (!links.isEmpty() && links.last().address == link->url && at > 0 &&
                text.attributesAt(at - 1).get<LinkAttribute>(attr::Link) == link)
                links.last().text += covered;
            else
                links.append({covered, link->url});
        }
        at += run.length;
    }
    return links;
}

BoxData boxWithSlips(const QList<std::pair<quint32, RichText>>& slips) {
    BoxData box;
    SlipDictionary dictionary;
    for (const auto& [number, text] : slips) {
        SlipPtr slip = Slip::create(number);
        slip->setText(text);
        dictionary.insert(slip->key(), slip);
    }
    box.setSlips(dictionary, {});
    return box;
}

}  // namespace

TEST(BoxImportTest, ALinkToASlipOfTheSameBoxFollowsItsSlipBehindTheOffset) {
    const RichText renumbered = renumberSlipLinks(textWithLink("slip five", "fendle://5.self"), 40);
    EXPECT_EQ(renumbered.string(), "see 45 here");
    EXPECT_EQ(linksOf(renumbered), (QList<LinkFound>{{"45", "fendle://45.self"}}));
    // How the link was stored stays as it was.
    const RichText asString = renumberSlipLinks(textWithLink("5", "fendle://5.self", false), 40);
    EXPECT_EQ(asString.attributesAt(4).get<LinkAttribute>(attr::Link), (LinkAttribute{"fendle://45.self", false}));
}

TEST(BoxImportTest, ALinkSpanningSeveralStylesIsReplacedOnce) {
    RichText text = textWithLink("slip 5", "fendle://5.self");
    text.addAttribute(attr::Font, FontAttribute{"Helvetica", "Helvetica-Bold", 12, true}, {5, 3});
    const RichText renumbered = renumberSlipLinks(text, 10);
    EXPECT_EQ(renumbered.string(), "see 15 here");
    EXPECT_EQ(linksOf(renumbered), (QList<LinkFound>{{"15", "fendle://15.self"}}));
}

TEST(BoxImportTest, LinksIntoOtherBoxesAndOtherLinksStayAsTheyAre) {
    for (const QString& address : {QStringLiteral("fendle://5::file:///home/u/Other.fendle"),
                                   QStringLiteral("fendle:5.self"), QStringLiteral("fendle://x.self"),
                                   QStringLiteral("https://example.org/5.self"), QStringLiteral("fendle://2147483000.self")}) {
        SCOPED_TRACE(address.toStdString());
        const RichText text = textWithLink("there", address);
        EXPECT_EQ(renumberSlipLinks(text, 40000), text);
    }
}

TEST(BoxImportTest, SlipsAreRenumberedBehindTheOffsetWithTheirFieldsButFreshTimes) {
    BoxData source = boxWithSlips({{3, textWithLink("5", "fendle://5.self")}, {5, RichText("five")}});
    const SlipPtr three = source.slipForKey("3");
    three->setKeywordsString("a, b");
    three->setSource(QStringLiteral("src"));
    three->setSlipType(QStringLiteral("note"));
    three->setFlagged(true);
    three->setAuthor(QStringLiteral("someone else"));
    three->setCreationTime(QDateTime(QDate(2001, 1, 1), QTime(0, 0), Qt::UTC));

    const Result<QList<SlipPtr>> imported = importedSlipsOfBox(source, 40);
    ASSERT_TRUE(imported);
    ASSERT_EQ(imported->size(), 2);
    const SlipPtr first = imported->at(0);
    EXPECT_EQ(first->key(), "43");
    EXPECT_EQ(imported->at(1)->key(), "45");
    EXPECT_EQ(linksOf(*first->text()), (QList<LinkFound>{{"45", "fendle://45.self"}}));
    EXPECT_EQ(first->keywordsString(), "a, b");
    EXPECT_EQ(first->source(), "src");
    EXPECT_EQ(first->slipType(), "note");
    EXPECT_FALSE(first->isFlagged());
    EXPECT_NE(first->author(), "someone else");
    EXPECT_GT(first->creationTime(), three->creationTime());
    // The source box is left as it was.
    EXPECT_EQ(linksOf(*three->text()), (QList<LinkFound>{{"5", "fendle://5.self"}}));
}

TEST(BoxImportTest, IntoABoxWithoutSlipsTheNumbersStay) {
    BoxData destination = boxWithSlips({});
    ASSERT_EQ(destination.numberOfLastSlip(), 0u);
    const BoxData source = boxWithSlips({{2, RichText("two")}, {7, textWithLink("2", "fendle://2.self")}});
    const Result<QList<SlipPtr>> imported = importedSlipsOfBox(source, destination.numberOfLastSlip());
    ASSERT_TRUE(imported);
    QStringList keys;
    for (const SlipPtr& slip : *imported) keys.append(slip->key());
    EXPECT_EQ(keys, (QStringList{"2", "7"}));
    EXPECT_EQ(linksOf(*imported->at(1)->text()), (QList<LinkFound>{{"2", "fendle://2.self"}}));
}

TEST(BoxImportTest, NumbersBeyondTheHighestKeyRefuseTheWholeImport) {
    const BoxData source = boxWithSlips({{1, RichText("one")}, {1000, RichText("late")}});
    const Result<QList<SlipPtr>> imported = importedSlipsOfBox(source, 2147483000);
    EXPECT_FALSE(imported);
}

TEST(BoxImportTest, TheWelcomeBoxKeepsItsLinksPointingAtTheSameSlips) {
    BoxData welcome;
    ASSERT_TRUE(BoxFile::readFromURL(welcome, welcomeBoxPath())) << welcomeBoxPath().toStdString();
    BoxData destination = boxWithSlips({{1, RichText("mine")}, {2, RichText("also mine")}, {9, RichText("last")}});
    const quint32 offset = destination.numberOfLastSlip();
    const Result<QList<SlipPtr>> imported = importedSlipsOfBox(welcome, offset);
    ASSERT_TRUE(imported);
    ASSERT_EQ(imported->size(), welcome.slips().size());
    for (const SlipPtr& slip : *imported) destination.setSlip(slip);

    int followed = 0;
    for (const auto& [key, original] : welcome.slips().asKeyValueRange()) {
        const SlipPtr copy = destination.slipForKey(QString::number(original->slipID() + offset));
        ASSERT_NE(copy, nullptr) << key.toStdString();
        EXPECT_EQ(copy->keywordsString(), original->keywordsString());
        const QList<LinkFound> before = linksOf(original->text().value_or(RichText()));
        const QList<LinkFound> after = linksOf(copy->text().value_or(RichText()));
        ASSERT_EQ(after.size(), before.size()) << key.toStdString();
        for (qsizetype i = 0; i < after.size(); ++i) {
            // The copy's link leads to the copy of the slip the original's link led to.
            const QString address = after[i].address;
            ASSERT_TRUE(address.startsWith("fendle://") && address.endsWith(".self")) << address.toStdString();
            const QString target = address.mid(9, address.size() - 9 - 5);
            EXPECT_EQ(after[i].text, target);
            const SlipPtr reached = destination.slipForKey(target);
            const SlipPtr meant = welcome.slipForKey(before[i].address.mid(9, before[i].address.size() - 9 - 5));
            ASSERT_NE(reached, nullptr) << address.toStdString();
            ASSERT_NE(meant, nullptr) << before[i].address.toStdString();
            // Slips are told apart by their titles, which hold no links.
            EXPECT_EQ(reached->text()->string().section('\n', 0, 0), meant->text()->string().section('\n', 0, 0));
            EXPECT_NE(reached->slipID(), meant->slipID());
            ++followed;
        }
    }
    EXPECT_GT(followed, 5);
    // The box's own slips are untouched.
    EXPECT_EQ(destination.slipForKey("9")->text()->string(), "last");
}
