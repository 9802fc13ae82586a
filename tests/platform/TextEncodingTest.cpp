#include "platform/text/TextEncoding.h"

#include <gtest/gtest.h>

using namespace fendle;

namespace {
// A text made of characters the encoding can represent.
QString sampleFor(int number) {
    const QString ascii = QStringLiteral("Slip 12: a, b \\ \"quoted\"\ttab\nline");
    switch (number) {
    case encoding::ASCII: return ascii;
    case encoding::NEXTSTEP: return ascii + QStringLiteral(" \u00E9\u00DF\u2014\uFB01\u0141\u00FF");
    case encoding::JapaneseEUC:
    case encoding::ShiftJIS:
    case encoding::ISO2022JP: return ascii + QStringLiteral(" \u65E5\u672C\u8A9E\u3042\u30AB");
    case encoding::ISOLatin1: return ascii + QStringLiteral(" \u00E9\u00FF\u00A9");
    case encoding::Symbol: return QStringLiteral("\u03B1\u03B2\u0393 \u2200\u03BE \u2264 \u221E \u2192 1+2");
    case encoding::ISOLatin2: return ascii + QStringLiteral(" \u0141\u00F3d\u017A \u010D");
    case encoding::WindowsCP1251: return ascii + QStringLiteral(" \u041F\u0440\u0438\u0432\u0435\u0442");
    case encoding::WindowsCP1252: return ascii + QStringLiteral(" \u20AC\u201C\u00E9\u201D");
    case encoding::WindowsCP1253: return ascii + QStringLiteral(" \u0391\u03B8\u03C9");
    case encoding::WindowsCP1254: return ascii + QStringLiteral(" \u011F\u0131\u015F");
    case encoding::WindowsCP1250: return ascii + QStringLiteral(" \u0159\u0161\u017E");
    case encoding::MacOSRoman: return ascii + QStringLiteral(" \u00E9\u2022\u2014\u03C0");
    default: return ascii + QStringLiteral(" \u00E9\u4E2D\U0001F680");  // the Unicode forms and non-lossy ASCII
    }
}
}  // namespace

TEST(TextEncoding, EveryEncodingRoundTripsWhatItCanRepresent) {
    ASSERT_EQ(TextEncoding::supported().size(), 17);
    for (int number : TextEncoding::supported()) {
        const QString text = sampleFor(number);
        const EncodedText encoded = TextEncoding::encode(text, number);
        EXPECT_TRUE(encoded.isLossless()) << number << " index " << (encoded.unencodable.isEmpty() ? -1 : encoded.unencodable[0]);
        QString error;
        const std::optional<QString> decoded = TextEncoding::decode(encoded.bytes, number, &error);
        ASSERT_TRUE(decoded) << number << ' ' << error.toStdString();
        EXPECT_EQ(*decoded, text) << TextEncoding::title(number).toStdString();
    }
}

TEST(TextEncoding, UnencodableCharactersAreReportedNotDropped) {
    const QString text = QStringLiteral("a\u4E2Db\U0001F680c");
    const EncodedText latin = TextEncoding::encode(text, encoding::ISOLatin1);
    EXPECT_EQ(latin.unencodable, (QList<qsizetype>{1, 3}));
    EXPECT_EQ(latin.bytes, QByteArray("a?b?c")) << "each stands as one question mark";
    const EncodedText next = TextEncoding::encode(text, encoding::NEXTSTEP);
    EXPECT_EQ(next.unencodable, (QList<qsizetype>{1, 3}));
    EXPECT_EQ(next.bytes, QByteArray("a?b?c"));
    const EncodedText ascii = TextEncoding::encode(QStringLiteral("\u00E9"), encoding::ASCII);
    EXPECT_EQ(ascii.unencodable, QList<qsizetype>{0});
    const EncodedText jis = TextEncoding::encode(QStringLiteral("\u65E5\u00E9\u672C"), encoding::ISO2022JP);
    EXPECT_EQ(jis.unencodable, QList<qsizetype>{1});
    EXPECT_EQ(TextEncoding::decode(jis.bytes, encoding::ISO2022JP), QStringLiteral("\u65E5?\u672C"))
        << "the stand-in keeps the escape sequences valid";
    EXPECT_FALSE(TextEncoding::encode(QStringLiteral("x"), 99).isLossless());
}

TEST(TextEncoding, KnownByteForms) {
    EXPECT_EQ(TextEncoding::encode(QStringLiteral("\u00E9\u2022"), encoding::MacOSRoman).bytes, QByteArray("\x8E\xA5"));
    EXPECT_EQ(TextEncoding::encode(QStringLiteral("\u00E9\u2022\\"), encoding::NonLossyASCII).bytes,
              QByteArray("\\351\\u2022\\\\"));
    EXPECT_EQ(TextEncoding::encode(QStringLiteral("A"), encoding::Unicode).bytes, QByteArray("\xFF\xFE" "A\0", 4));
    EXPECT_EQ(TextEncoding::decode(QByteArray("\0A\0B", 4), encoding::Unicode), QStringLiteral("AB")) << "no mark: big-endian";
    EXPECT_EQ(TextEncoding::decode(QByteArray("\xFE\xFF\0A", 4), encoding::Unicode), QStringLiteral("A"));
    EXPECT_EQ(TextEncoding::decode("\xEF\xBB\xBFx", encoding::UTF8), QStringLiteral("x"));
    EXPECT_EQ(TextEncoding::encode(QStringLiteral("\u00E9"), encoding::NEXTSTEP).bytes, QByteArray("\xDD"));
    EXPECT_EQ(TextEncoding::encode(QStringLiteral("\u03B1\u2126"), encoding::Symbol).bytes, QByteArray("aW"));
}

TEST(TextEncoding, InvalidBytesFailToDecode) {
    QString error;
    EXPECT_FALSE(TextEncoding::decode("\xC3(", encoding::UTF8, &error));
    EXPECT_FALSE(error.isEmpty());
    EXPECT_FALSE(TextEncoding::decode("\x80", encoding::ASCII));
    EXPECT_FALSE(TextEncoding::decode("\xFE", encoding::NEXTSTEP));
    EXPECT_FALSE(TextEncoding::decode(QByteArray("abc", 3), encoding::Unicode)) << "odd length";
    EXPECT_FALSE(TextEncoding::decode("\xE9", encoding::NonLossyASCII));
    EXPECT_FALSE(TextEncoding::decode("x", 42));
    EXPECT_EQ(TextEncoding::title(encoding::MacOSRoman), QStringLiteral("MacOS Roman"));
}
