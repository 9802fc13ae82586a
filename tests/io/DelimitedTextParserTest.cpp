#include "io/DelimitedTextParser.h"

#include <gtest/gtest.h>

using namespace fendle;

namespace {

QList<QStringList> rowsOf(const QString& text, QChar separator = u',', qsizetype keptFields = 12) {
    QList<QStringList> rows;
    DelimitedTextParser(separator, keptFields).parse(text, [&rows](const QStringList& fields) {
        rows.append(fields);
        return true;
    });
    return rows;
}

}  // namespace

TEST(DelimitedTextParserTest, QuotedFieldsKeepSeparatorsAndLineBreaksAndDoubledQuotes) {
    EXPECT_EQ(rowsOf("x,\"y, z\",w"), (QList<QStringList>{{"x", "y, z", "w"}}));
    EXPECT_EQ(rowsOf("\"say \"\"hi\"\"\",b"), (QList<QStringList>{{"say \"hi\"", "b"}}));
    EXPECT_EQ(rowsOf("\"two\nlines\",b\nc,d\n"), (QList<QStringList>{{"two\nlines", "b"}, {"c", "d"}}));
    // Quotes may open and close in the middle of a field.
    EXPECT_EQ(rowsOf("a\"b,c\"d,e"), (QList<QStringList>{{"ab,cd", "e"}}));
}

TEST(DelimitedTextParserTest, EachKindOfLineBreakEndsOneRowAndStaysOutOfTheField) {
    const QList<QStringList> expected{{"a", "b"}, {"c", "d"}};
    EXPECT_EQ(rowsOf("a,b\nc,d"), expected);
    EXPECT_EQ(rowsOf("a,b\r\nc,d\r\n"), expected);
    EXPECT_EQ(rowsOf("a,b\rc,d\r"), expected);
    EXPECT_EQ(rowsOf("a,\"b\"\r\nc,\"d\"\r\n"), expected);
    // Only the last line break makes no row; an empty line in between does.
    EXPECT_EQ(rowsOf("a\n\nb\n"), (QList<QStringList>{{"a"}, {""}, {"b"}}));
    EXPECT_TRUE(rowsOf("").isEmpty());
    EXPECT_EQ(rowsOf("\n"), (QList<QStringList>{{""}}));
}

TEST(DelimitedTextParserTest, EmptyFieldsAndTheFileEndAreFieldsToo) {
    EXPECT_EQ(rowsOf("a,,c,"), (QList<QStringList>{{"a", "", "c", ""}}));
    EXPECT_EQ(rowsOf(",\n"), (QList<QStringList>{{"", ""}}));
    // A closing quote that ends the file closes the field without a trace.
    EXPECT_EQ(rowsOf("a,\"b\""), (QList<QStringList>{{"a", "b"}}));
    // An unterminated quote takes the rest of the text into its field.
    EXPECT_EQ(rowsOf("a,\"b\nc,d"), (QList<QStringList>{{"a", "b\nc,d"}}));
}

TEST(DelimitedTextParserTest, TheSeparatorIsTheOneGiven) {
    EXPECT_EQ(rowsOf("a\tb, c\td", u'\t'), (QList<QStringList>{{"a", "b, c", "d"}}));
    EXPECT_EQ(rowsOf("a\t\"b\tc\"", u'\t'), (QList<QStringList>{{"a", "b\tc"}}));
}

TEST(DelimitedTextParserTest, FieldsBeyondTheKeptOnesAreDroppedAndAVisitorCanStop) {
    EXPECT_EQ(rowsOf(QString(100000, u',') + "\nx,y,z", u',', 2), (QList<QStringList>{{"", ""}, {"x", "y"}}));
    QList<QStringList> seen;
    const qsizetype visited = DelimitedTextParser(u',', 5).parse(QStringLiteral("a\nb\nc\n"), [&](const QStringList& row) {
        seen.append(row);
        return seen.size() < 2;
    });
    EXPECT_EQ(visited, 2);
    EXPECT_EQ(seen, (QList<QStringList>{{"a"}, {"b"}}));
}
