// Previews made by the built module, read back through our RTF reader.
#include "BuiltModule.h"
#include "CacheFileWriter.h"
#include "platform/plist/BinaryPlistWriter.h"
#include "platform/richtext/RtfReader.h"

#include <QFontDatabase>

using namespace fendle;
using namespace fendle::test;

namespace {

struct ReadPreview {
    QByteArray contentType;
    RichText text;
};

std::optional<ReadPreview> previewOf(const QString& path, const QByteArray& contentType = FL_CACHE_FILE_CONTENT_TYPE) {
    const auto& generator = builtGenerator();
    if (!generator) return std::nullopt;
    const auto preview = generator->preview(fileUrl(path), contentType);
    if (!preview) return std::nullopt;
    const auto text = RtfReader::read(preview->data);
    EXPECT_TRUE(text.ok()) << text.error().toStdString();
    if (!text) return std::nullopt;
    return ReadPreview{preview->contentType, *text};
}

QString sections(const QString& text, const QString& keywords, const QString& source) {
    return QStringLiteral("TEXT\n\n%1\n\nKEYWORDS\n\n%2\n\nSOURCE\n\n%3\n\n").arg(text, keywords, source);
}

void expectClose(const ColorAttribute& color, std::array<double, 3> rgb) {
    for (int i = 0; i < 3; ++i) EXPECT_NEAR(color.components[i], rgb[i], 1e-4) << "component " << i;
}

TEST(PreviewTest, ShowsTheThreeSectionsUnderColouredHeadings) {
    QTemporaryDir folder;
    CacheFileFields fields;
    fields.text = QStringLiteral("First line\nÜber “quotes” 😀");
    const auto preview = previewOf(writeCacheFile(folder, QStringLiteral("Notes12.fdlcache"), fields));
    ASSERT_TRUE(preview);
    EXPECT_EQ(preview->contentType, QByteArray(FL_RTF_CONTENT_TYPE));
    const RichText& text = preview->text;
    EXPECT_EQ(text.string(), sections(fields.text, QStringLiteral("a, b"), fields.source));

    // The CMYK heading colour reaches RTF as its RGB equivalent.
    const double k = 1 - 0.17;
    const std::array<double, 3> headingRgb{(1 - 0.05) * k, (1 - 0.85) * k, (1 - 0.99) * k};
    for (const char* heading : {"TEXT", "KEYWORDS", "SOURCE"}) {
        SCOPED_TRACE(heading);
        const Attributes attributes = text.attributesAt(text.string().indexOf(QLatin1String(heading)));
        const auto font = attributes.get<FontAttribute>(attr::Font);
        ASSERT_TRUE(font);
        EXPECT_EQ(font->family, QFontDatabase::systemFont(QFontDatabase::GeneralFont).family());
        EXPECT_TRUE(font->bold);
        EXPECT_EQ(font->pointSize, 14.0);
        const auto color = attributes.get<ColorAttribute>(attr::Color);
        ASSERT_TRUE(color);
        expectClose(*color, headingRgb);
    }
    // The sections carry no attributes of their own: no colour, the default face.
    const Attributes body = text.attributesAt(text.string().indexOf(QStringLiteral("First line")));
    EXPECT_FALSE(body.contains(attr::Color));
    EXPECT_FALSE(body.get<FontAttribute>(attr::Font).value_or(FontAttribute{}).bold);
}

TEST(PreviewTest, KeywordsAreJoinedWithCommaAndSpace) {
    QTemporaryDir folder;
    CacheFileFields fields;
    fields.keywords = {QStringLiteral("a"), QStringLiteral("b")};
    const auto preview = previewOf(writeCacheFile(folder, QStringLiteral("k.fdlcache"), fields));
    ASSERT_TRUE(preview);
    const QString& s = preview->text.string();
    const qsizetype keywords = s.indexOf(QStringLiteral("KEYWORDS")) + 8;
    EXPECT_EQ(s.mid(keywords, s.indexOf(QStringLiteral("SOURCE")) - keywords), QStringLiteral("\n\na, b\n\n"));
}

TEST(PreviewTest, AnUnreadableFileGivesTheHeadingsWithMissingSections) {
    QTemporaryDir folder;
    const QString missing = sections(QStringLiteral("(null)"), QStringLiteral("(null)"), QStringLiteral("(null)"));
    for (const QString& path : {folder.filePath(QStringLiteral("absent.fdlcache")),
                                writeBytes(folder, QStringLiteral("garbage.fdlcache"), "not a property list"),
                                writeBytes(folder, QStringLiteral("array.fdlcache"), writeXmlPlist(PlistValue(PlistValue::Array{}))),
                                folder.path()}) {
        SCOPED_TRACE(path.toStdString());
        const auto preview = previewOf(path);
        ASSERT_TRUE(preview);
        EXPECT_EQ(preview->text.string(), missing);
    }
}

TEST(PreviewTest, ValuesOfTheWrongTypeCountAsMissing) {
    QTemporaryDir folder;
    PlistValue dictionary = CacheFileFields{}.dictionary();
    for (auto& [key, value] : dictionary.mutableDictionary()) {
        if (key == QStringLiteral("kMDItemTextContent")) value = PlistValue(qint64(42));
        if (key == QStringLiteral("kMDItemKeywords")) value = PlistValue(PlistValue::Array{PlistValue("a"), PlistValue(1.5)});
        if (key == QStringLiteral("com_quorvel_fendle_fdlcache_source")) value = PlistValue(PlistValue::Dictionary{});
    }
    const auto preview = previewOf(writeBytes(folder, QStringLiteral("typed.fdlcache"), writeXmlPlist(dictionary)));
    ASSERT_TRUE(preview);
    EXPECT_EQ(preview->text.string(), sections(QStringLiteral("(null)"), QStringLiteral("(null)"), QStringLiteral("(null)")));
}

TEST(PreviewTest, OtherContentTypesArePreviewedTheSameWay) {
    QTemporaryDir folder;
    const QString path = writeCacheFile(folder, QStringLiteral("renamed.plist"));
    const auto asCache = previewOf(path);
    const auto asOther = previewOf(path, "application/x-plist");
    ASSERT_TRUE(asCache && asOther);
    EXPECT_EQ(asOther->text, asCache->text);
}

// Hosts may hand over addresses with or without percent-encoding.
TEST(PreviewTest, AddressesMayBeEncodedOrNot) {
    QTemporaryDir folder;
    CacheFileFields fields;
    fields.source = QStringLiteral("named");
    const QString path = writeCacheFile(folder, QStringLiteral("Zettel ä#1.fdlcache"), fields);
    const auto& generator = builtGenerator();
    ASSERT_TRUE(generator);
    const QByteArray plain = "file://" + path.toUtf8().replace("#", "%23");
    for (const QByteArray& url : {fileUrl(path), plain}) {
        SCOPED_TRACE(url.toStdString());
        const auto preview = generator->preview(url, FL_CACHE_FILE_CONTENT_TYPE);
        ASSERT_TRUE(preview);
        EXPECT_TRUE(preview->data.contains("named"));
    }
}

TEST(PreviewTest, BinaryPropertyListsAreReadToo) {
    QTemporaryDir folder;
    CacheFileFields fields;
    fields.source = QStringLiteral("binary");
    const QString path = writeBytes(folder, QStringLiteral("b.fdlcache"), writeBinaryPlist(fields.dictionary()));
    const auto preview = previewOf(path);
    ASSERT_TRUE(preview);
    EXPECT_EQ(preview->text.string(), sections(fields.text, QStringLiteral("a, b"), QStringLiteral("binary")));
}

}  // namespace
