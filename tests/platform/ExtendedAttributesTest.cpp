#include "platform/files/ExtendedAttributes.h"
#include "support/AttributeTestFolder.h"

#include <QFile>
#include <cerrno>
#include <gtest/gtest.h>
#include <sys/xattr.h>
#include <unistd.h>

using namespace fendle;

namespace {

class ExtendedAttributesTest : public ::testing::Test {
protected:
    test::AttributeTestFolder dir;
    QString file;

    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        SKIP_WITHOUT_USER_ATTRIBUTES(dir);
        file = dir.makeFile("box.fendle");
    }
};

}  // namespace

TEST_F(ExtendedAttributesTest, SetGetListRemoveUnderUserPrefix) {
    const QString name = "net.halvorn.fendle.LastSlipOpen";
    ASSERT_TRUE(ExtendedAttributes::set(file, name, "42").ok);
    // The platform sees it in the user namespace.
    char raw[16] = {};
    const ssize_t n = getxattr(QFile::encodeName(file).constData(), "user.net.halvorn.fendle.LastSlipOpen", raw,
                               sizeof raw);
    EXPECT_EQ(QByteArray(raw, static_cast<int>(n)), "42");

    EXPECT_EQ(ExtendedAttributes::get(file, name).bytes, QByteArray("42"));
    ASSERT_TRUE(ExtendedAttributes::set(file, name, "").ok);
    EXPECT_EQ(ExtendedAttributes::get(file, name).bytes, QByteArray());  // empty, not absent

    const auto names = ExtendedAttributes::list(file);
    ASSERT_TRUE(names.has_value());
    EXPECT_EQ(*names, QStringList{name});

    EXPECT_TRUE(ExtendedAttributes::remove(file, name).ok);
    const auto missing = ExtendedAttributes::get(file, name);
    EXPECT_FALSE(missing.bytes.has_value());
    EXPECT_TRUE(missing.message.isEmpty());  // missing is not an error
    const auto removedAgain = ExtendedAttributes::remove(file, name);
    EXPECT_FALSE(removedAgain.ok);
    EXPECT_EQ(removedAgain.errorNumber, ENODATA);
}

TEST_F(ExtendedAttributesTest, FailuresReportAMessage) {
    const QString gone = dir.filePath("nothing-here");
    const auto result = ExtendedAttributes::set(gone, "a", "b");
    EXPECT_FALSE(result.ok);
    EXPECT_TRUE(result.message.contains(gone));
    EXPECT_EQ(result.errorNumber, ENOENT);
    const auto value = ExtendedAttributes::get(gone, "a");
    EXPECT_FALSE(value.bytes.has_value());
    EXPECT_FALSE(value.message.isEmpty());
    EXPECT_EQ(value.errorNumber, ENOENT);
    EXPECT_EQ(ExtendedAttributes::remove(gone, "a").errorNumber, ENOENT);
    QString message;
    EXPECT_FALSE(ExtendedAttributes::list(gone, &message).has_value());
    EXPECT_FALSE(message.isEmpty());
}

TEST_F(ExtendedAttributesTest, DoesNotFollowAFinalLink) {
    const QString link = dir.filePath("link.fendle");
    ASSERT_EQ(symlink(QFile::encodeName(file).constData(), QFile::encodeName(link).constData()), 0);
    // Linux refuses user attributes on the link itself; the target stays untouched either way.
    ExtendedAttributes::set(link, "a", "b");
    EXPECT_FALSE(ExtendedAttributes::get(file, "a").bytes.has_value());
}

TEST_F(ExtendedAttributesTest, OversizedValueIsRefusedOnReading) {
    const QByteArray big(ExtendedAttributes::MaxValueSize + 1, 'k');
    if (!ExtendedAttributes::set(file, "big", big).ok) GTEST_SKIP() << "file system limits attribute size";
    const auto value = ExtendedAttributes::get(file, "big");
    EXPECT_FALSE(value.bytes.has_value());
    EXPECT_FALSE(value.message.isEmpty());
}
