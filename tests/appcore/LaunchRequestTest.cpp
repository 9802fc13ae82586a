#include "ControllerFixture.h"
#include "appcore/LaunchDispatcher.h"
#include "appcore/LaunchRequest.h"

#include <QDir>

using namespace fendle;
using namespace fendle::test;
using Kind = LaunchRequest::Kind;

namespace {

std::optional<QByteArray> noInput() { return std::nullopt; }

TEST(LaunchRequestTest, ArgumentsBecomeRequests) {
    int reads = 0;
    auto input = [&]() -> std::optional<QByteArray> {
        ++reads;
        return QByteArray("from stdin");
    };
    const auto parsed = parseCommandLine(
        {"box.fendle", "/abs/other.fendle", "file:///x/y.fendle", "fendle://12.self", "--new-slip", "-", "--append=pic.png",
         "--search-box", "Ethics", "--", "--odd-name"},
        input);
    ASSERT_TRUE(parsed) << parsed.error().toStdString();
    const QString here = QDir::currentPath();
    const QList<LaunchRequest> expected{
        {Kind::Open, here + "/box.fendle", std::nullopt},
        {Kind::Open, "/abs/other.fendle", std::nullopt},
        {Kind::Open, "/x/y.fendle", std::nullopt},
        {Kind::SlipLink, "fendle://12.self", std::nullopt},
        {Kind::NewSlip, "-", QByteArray("from stdin")},
        {Kind::Append, here + "/pic.png", std::nullopt},
        {Kind::SearchBox, "Ethics", std::nullopt},
        {Kind::Open, here + "/--odd-name", std::nullopt},
    };
    EXPECT_EQ(*parsed, expected);
    EXPECT_EQ(reads, 1);
}

TEST(LaunchRequestTest, BadArgumentsAreRefused) {
    EXPECT_FALSE(parseCommandLine({"--new-slip"}, noInput));
    EXPECT_FALSE(parseCommandLine({"--frobnicate", "x"}, noInput));
    EXPECT_FALSE(parseCommandLine({"--append", "-"}, noInput));  // standard input unreadable
    EXPECT_FALSE(parseCommandLine({"https://example.org/"}, noInput));
    EXPECT_TRUE(parseCommandLine({}, noInput));
}

TEST(LaunchRequestTest, MessagesRoundTripAndDamageIsRefused) {
    const QList<LaunchRequest> requests{{Kind::Open, "/a b/ü.fendle", std::nullopt},
                                        {Kind::Append, "-", QByteArray("\0x", 2)},
                                        {Kind::SearchBox, "", std::nullopt}};
    const QByteArray message = encodeLaunchRequests(requests);
    const auto decoded = decodeLaunchRequests(message);
    ASSERT_TRUE(decoded);
    EXPECT_EQ(*decoded, requests);
    for (qsizetype cut = 0; cut < message.size(); ++cut) EXPECT_FALSE(decodeLaunchRequests(message.left(cut)));
    QByteArray wrongKind = encodeLaunchRequests({{Kind::Open, "x", std::nullopt}});
    wrongKind[8] = char(9);
    EXPECT_FALSE(decodeLaunchRequests(wrongKind));
    EXPECT_FALSE(decodeLaunchRequests(QByteArray("FDL1\xff\xff\xff\xff", 8)));
}

class LaunchDispatchTest : public ControllerFixture {};

TEST_F(LaunchDispatchTest, RequestsReachTheControllerAndTheServices) {
    const QString boxPath = writeBox("Launch.fendle", {"first"});
    LaunchDispatcher dispatcher(*controller, *app);
    const QList<LaunchRequest> requests{{Kind::Open, boxPath, std::nullopt},
                                        {Kind::NewSlip, writeFile("n.txt", "new text"), std::nullopt},
                                        {Kind::Append, "-", QByteArray(" appended")},
                                        {Kind::SearchBox, "Ethics", std::nullopt},
                                        {Kind::SlipLink, "fendle://1.self", std::nullopt},
                                        {Kind::Open, dir.path() + "/missing.fendle", std::nullopt}};
    EXPECT_EQ(dispatcher.dispatch(requests), 5);
    ASSERT_EQ(controller->documents().size(), 1u);
    const BoxPtr box = controller->documents().front().box;
    EXPECT_EQ(box->box().slips().size(), 2);
    EXPECT_EQ(textOf(box->currentSlip()), "new text appended");
    EXPECT_EQ(box->selectedTab(), BoxTab::Search);  // the search service
    EXPECT_EQ(host.links, QStringList{"fendle://1.self"});
}

}  // namespace
