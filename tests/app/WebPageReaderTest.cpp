#include "LocalWebServer.h"
#include "app/editing/WebPageReader.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace fendle;
using namespace fendle::test;

namespace {

QString linkAt(const RichText& text, qsizetype index) {
    const auto link = text.attributesAt(index).get<LinkAttribute>(attr::Link);
    return link ? link->url : QString();
}

TEST(WebPageReaderTest, ThePageBecomesTextWithLinksResolvedAgainstItsAddressAndItsKeywords) {
    const QByteArray html = R"(<html><head><title>T</title>
        <meta name="keywords" content="birds, Nests"></head>
        <body><p>Read <a href="../more.html">more</a> or <a href="https://other.org/x">elsewhere</a>.</p></body></html>)";
    const WebPage page = *WebPageReader::fromHtml(html, QUrl("https://example.org/notes/page.html"));
    const QString text = page.text.string();
    EXPECT_EQ(text.trimmed(), "Read more or elsewhere.");
    const qsizetype more = text.indexOf("more");
    EXPECT_EQ(linkAt(page.text, more), "https://example.org/more.html");
    EXPECT_EQ(linkAt(page.text, text.indexOf("elsewhere")), "https://other.org/x");
    EXPECT_EQ(linkAt(page.text, 0), QString());
    EXPECT_EQ(page.keywords, QStringList{"birds, Nests"});
}

TEST(WebPageReaderTest, PicturesThePageNamesAreNotLoadedNotEvenLocalFiles) {
    QTemporaryDir folder;
    QFile picture(folder.filePath("secret.png"));
    ASSERT_TRUE(picture.open(QIODevice::WriteOnly));
    picture.write("\x89PNG not really");
    picture.close();
    const QByteArray html = "<p>before<img src=\"" + QUrl::fromLocalFile(picture.fileName()).toEncoded() +
                            "\">after<img src=\"secret.png\"></p>";
    const WebPage page = *WebPageReader::fromHtml(html, QUrl::fromLocalFile(folder.filePath("page.html")));
    EXPECT_EQ(page.text.string().trimmed(), "beforeafter");
    EXPECT_FALSE(page.text.hasAttachments());
    EXPECT_EQ(page.keywords, std::nullopt);
}

TEST(WebPageReaderTest, TheDeclaredCharacterSetIsHonoured) {
    const QByteArray html = "<meta charset=\"iso-8859-1\"><meta name=\"keywords\" content=\"caf\xe9\"><p>na\xefve</p>";
    const WebPage page = *WebPageReader::fromHtml(html, QUrl("http://example.org/"));
    EXPECT_EQ(page.text.string().trimmed(), QString::fromUtf8("na\xc3\xafve"));
    EXPECT_EQ(page.keywords, QStringList{QString::fromUtf8("caf\xc3\xa9")});
}

TEST(WebPageReaderTest, PagesNestedTooDeeplyAreRefusedRatherThanReadForMinutes) {
    const auto nested = [](const QByteArray& open, const QByteArray& close, int depth) {
        return open.repeated(depth) + "x" + close.repeated(depth);
    };
    const qsizetype limit = WebPageReader::MaxNestingDepth;
    EXPECT_FALSE(WebPageReader::fromHtml(nested("<table><tr><td>", "", 20000), QUrl()));
    EXPECT_FALSE(WebPageReader::fromHtml(nested("<div>", "", int(limit) + 1), QUrl()));
    const Result<WebPage> atLimit = WebPageReader::fromHtml(nested("<div>", "</div>", int(limit)), QUrl());
    ASSERT_TRUE(atLimit) << atLimit.error().toStdString();
    EXPECT_EQ(atLimit->text.string().trimmed(), "x");
    // Closed elements one after another are not nesting, nor are paragraphs left open.
    EXPECT_TRUE(WebPageReader::fromHtml(QByteArray("<div>a</div>").repeated(5000) + QByteArray("<p>b").repeated(5000), QUrl()));
}

TEST(WebPageReaderTest, ReadsFromTheWebAndReportsWhatWentWrong) {
    LocalWebServer server;
    ASSERT_TRUE(server.listening());
    server.pages["/page.html"] = {"text/html; charset=utf-8", "<p>served</p>"};
    server.pages["/cut.html"] = {"text/html", "<p>only part of it", true};
    const Result<WebPage> page = WebPageReader::read(server.url("/page.html"), 5000);
    ASSERT_TRUE(page) << page.error().toStdString();
    EXPECT_EQ(page->text.string().trimmed(), "served");

    const Result<WebPage> missing = WebPageReader::read(server.url("/missing.html"), 5000);
    ASSERT_FALSE(missing);
    EXPECT_TRUE(missing.error().contains("Not Found")) << missing.error().toStdString();
    EXPECT_FALSE(WebPageReader::read(server.url("/cut.html"), 5000));
    EXPECT_FALSE(WebPageReader::read(QUrl("file:///etc/hostname"), 5000));

    const QUrl gone = server.url("/page.html");
    server.close();
    const Result<WebPage> refused = WebPageReader::read(gone, 5000);
    EXPECT_FALSE(refused);
    EXPECT_FALSE(refused.error().isEmpty());
}

}  // namespace
