#include "platform/system/DateUtils.h"

#include <QTimeZone>
#include <gtest/gtest.h>

using namespace fendle;

// The tests run with TZ=Europe/Berlin.
TEST(DateUtils, ReferenceDateAndSeconds) {
    EXPECT_EQ(referenceDate(), QDateTime(QDate(2001, 1, 1), QTime(0, 0), QTimeZone::utc()));
    EXPECT_EQ(referenceDate().toSecsSinceEpoch(), 978307200);
    EXPECT_EQ(secondsSinceReferenceDate(dateFromReferenceSeconds(7.5)), 7.5);
    EXPECT_TRUE(dateFromReferenceSeconds(std::numeric_limits<double>::infinity()).isValid());
}

TEST(DateUtils, StandardDescriptionInLocalZone) {
    const QDateTime t(QDate(2024, 7, 1), QTime(22, 30, 5), QTimeZone::utc());
    EXPECT_EQ(standardDescription(t), QStringLiteral("2024-07-02 00:30:05 +0200"));
}

TEST(DateUtils, DayIsMidnightUtcOfTheLocalDay) {
    // 23:30 UTC on 1 July is already 2 July in Berlin.
    const QDateTime t(QDate(2024, 7, 1), QTime(23, 30), QTimeZone::utc());
    EXPECT_EQ(dayOf(t), QDateTime(QDate(2024, 7, 2), QTime(0, 0), QTimeZone::utc()));
}

TEST(DateUtils, StandardDescriptionReadsBackAndOtherTextDoesNot) {
    const QDateTime date(QDate(2009, 3, 5), QTime(13, 22, 7), QTimeZone::utc());
    EXPECT_EQ(dateFromStandardDescription(QStringLiteral("2009-03-05 14:22:07 +0100")), date);
    EXPECT_EQ(dateFromStandardDescription(QStringLiteral("2009-03-05 08:52:07 -0430")), date);
    EXPECT_EQ(dateFromStandardDescription(standardDescription(date)), date);
    for (const char* text : {"", "2009-03-05 14:22:07", "2009-13-05 14:22:07 +0100", "2009-03-05 14:22:07 *0100",
                             "2009-03-05T14:22:07 +0100", "2009-03-05 14:22:07 +01x0", "2009-03-05 25:22:07 +0100"})
        EXPECT_FALSE(dateFromStandardDescription(QString::fromLatin1(text))) << text;
}
