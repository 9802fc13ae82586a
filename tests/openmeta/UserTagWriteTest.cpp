#include "openmeta/OpenMeta.h"
#include "openmeta/OpenMetaController.h"
#include "openmeta/XdgTags.h"
#include "platform/plist/BinaryPlistWriter.h"

#include "openmeta/OpenMetaFixture.h"

#include <QDateTime>
#include <QFile>
#include <cerrno>
#include <sys/xattr.h>
#include <unistd.h>

using namespace fendle;

namespace {

class UserTagWriteTest : public test::OpenMetaFixture {
protected:
    QString file;
    void SetUp() override {
        OpenMetaFixture::SetUp();
        if (IsSkipped() || HasFatalFailure()) return;
        file = folder.makeFile("Notes12.fdlcache");
    }

    void expectRecentDate(const QString& name) {
        const std::optional<PlistValue> value = stored(file, name);
        ASSERT_TRUE(value.has_value()) << name.toStdString();
        ASSERT_EQ(value->type(), PlistValue::Type::Date) << name.toStdString();
        EXPECT_LE(std::abs(value->toDate().secsTo(QDateTime::currentDateTimeUtc())), 60) << name.toStdString();
    }

    // A list of tags whose binary property list is exactly size bytes: fixed
    // tags, and a first tag of 15 to 255 characters whose every character
    // adds one byte.
    static QStringList tagsEncodedTo(qsizetype size) {
        auto encodedSize = [](const QStringList& tags) {
            PlistValue::Array items;
            for (const QString& t : tags) items.emplace_back(t);
            return writeBinaryPlist(PlistValue(std::move(items))).size();
        };
        QStringList tags{QString(15, 'p')};
        while (encodedSize(tags) + 240 < size) tags.append(QStringLiteral("tag%1-").arg(tags.size()) + QString(30, 'x'));
        tags.first() = QString(15 + size - encodedSize(tags), 'p');
        if (encodedSize(tags) != size) ADD_FAILURE() << "no tag list of " << size << " bytes";
        return tags;
    }
};

TEST(UserAttributeSupport, TheBuildTreeTakesUserAttributes) {
    // Not skipped: if the checkout's disk refuses "user." attributes, every
    // other attribute test would skip and nothing would be tested.
    test::coreApplication();
    test::AttributeTestFolder folder;
    ASSERT_TRUE(folder.isValid());
    QString whyNot;
    ASSERT_TRUE(folder.supportsUserAttributes(&whyNot)) << whyNot.toStdString();
    const QString file = folder.makeFile("probe.fdlcache");
    ASSERT_FALSE(OpenMeta::setXAttr(PlistValue(PlistValue::Array{"a"}), "org.openmetainfo:probe", file).has_value());
    const OpenMetaAnswer<PlistValue> read = OpenMeta::getXAttr("org.openmetainfo:probe", file);
    ASSERT_TRUE(read.value.has_value());
    EXPECT_EQ(*read.value, PlistValue(PlistValue::Array{"a"}));
    EXPECT_TRUE(OpenMetaBackup::sharedInstance().waitUntilIdle(std::chrono::seconds(20)));
}

TEST_F(UserTagWriteTest, ATagWriteSetsTheTagsTheirTimeStampsTheMirrorsAndTheDesktopTags) {
    ASSERT_FALSE(OpenMeta::setUserTags({"Pear", "pear", "Plum", "Caf\u00e9"}, file).has_value());
    const QStringList cleaned{"pear", "Plum", "Cafe\u0301"};
    for (const QString name : {"org.openmetainfo:kMDItemOMUserTags", "com.apple.metadata:kMDItemOMUserTags",
                               "org.openmetainfo:kOMUserTags", "com.apple.metadata:kOMUserTags"})
        EXPECT_EQ(storedStrings(file, name), cleaned) << name.toStdString();
    for (const QString name : {"org.openmetainfo:kMDItemOMUserTagTime", "com.apple.metadata:kMDItemOMUserTagTime",
                               "org.openmetainfo.time:kMDItemOMUserTagTime",
                               "org.openmetainfo.time:kMDItemOMUserTags"})
        expectRecentDate(name);
    // The legacy name has no time stamp of its own.
    EXPECT_FALSE(stored(file, "org.openmetainfo.time:kOMUserTags").has_value());
    EXPECT_EQ(ExtendedAttributes::get(file, XdgTags::AttributeName).bytes, QByteArray("pear,Plum,Cafe\xcc\x81"));

    // What other programs see: binary property lists under "user.".
    char raw[4096] = {};
    const ssize_t n = ::lgetxattr(QFile::encodeName(file).constData(), "user.org.openmetainfo:kMDItemOMUserTags", raw,
                                  sizeof raw);
    ASSERT_GE(n, 8);
    EXPECT_EQ(QByteArray(raw, 8), "bplist00");

    EXPECT_EQ(OpenMeta::getUserTags(file).value, cleaned);
}

TEST_F(UserTagWriteTest, AnEmptyListIsWrittenAsAnEmptyListAndClearsTheDesktopTags) {
    ASSERT_FALSE(OpenMeta::setUserTags({"Pear"}, file).has_value());
    ASSERT_TRUE(ExtendedAttributes::get(file, XdgTags::AttributeName).bytes.has_value());
    ASSERT_FALSE(OpenMeta::setUserTags({}, file).has_value());
    for (const QString name : {"org.openmetainfo:kMDItemOMUserTags", "com.apple.metadata:kMDItemOMUserTags",
                               "org.openmetainfo:kOMUserTags", "com.apple.metadata:kOMUserTags"})
        EXPECT_EQ(storedStrings(file, name), QStringList()) << name.toStdString();
    EXPECT_FALSE(ExtendedAttributes::get(file, XdgTags::AttributeName).bytes.has_value());
    const OpenMetaAnswer<QStringList> read = OpenMeta::getUserTags(file);
    EXPECT_EQ(read.value, QStringList());
    EXPECT_FALSE(read.error.has_value());
}

TEST_F(UserTagWriteTest, TheControllerMarksTheFileAsManaged) {
    OpenMetaController controller;
    EXPECT_FALSE(controller.setUserTags({"Fig"}, file).has_value());
    EXPECT_EQ(stored(file, "org.openmetainfo:kMDItemOMManaged"), PlistValue(true));
    EXPECT_EQ(stored(file, "com.apple.metadata:kMDItemOMManaged"), PlistValue(true));
    expectRecentDate("org.openmetainfo.time:kMDItemOMManaged");
    EXPECT_EQ(controller.getUserTags(file), QStringList{"Fig"});
    EXPECT_TRUE(logged.isEmpty()) << logged.join('\n').toStdString();
}

TEST_F(UserTagWriteTest, ATooBigTagListIsLeftUnwrittenButTheStampsAndTheManagedFlagAreWritten) {
    OpenMetaController controller;
    ASSERT_FALSE(controller.setUserTags({"Old"}, file).has_value());
    const QStringList tooBig = tagsEncodedTo(OpenMetaValueCodec::MaxEncodedSize + 1);
    // Gone before the write, so that finding them afterwards means they were written again.
    for (const QString name : {"org.openmetainfo:kMDItemOMUserTagTime", "org.openmetainfo.time:kMDItemOMUserTags",
                               "org.openmetainfo:kMDItemOMManaged"})
        ASSERT_TRUE(ExtendedAttributes::remove(file, name).ok);
    logged.clear();

    const OpenMetaStatus result = controller.setUserTags(tooBig, file);
    ASSERT_TRUE(result.has_value());
    EXPECT_EQ(result->domain, "openmeta");
    EXPECT_EQ(result->code, -5);
    EXPECT_EQ(logged, QStringList{"Error when setting OpenMeta tags on " + file});
    for (const QString name : {"org.openmetainfo:kMDItemOMUserTags", "com.apple.metadata:kMDItemOMUserTags",
                               "org.openmetainfo:kOMUserTags", "com.apple.metadata:kOMUserTags"})
        EXPECT_EQ(storedStrings(file, name), QStringList{"Old"}) << name.toStdString();
    EXPECT_EQ(ExtendedAttributes::get(file, XdgTags::AttributeName).bytes, QByteArray("Old"));
    expectRecentDate("org.openmetainfo:kMDItemOMUserTagTime");
    expectRecentDate("org.openmetainfo.time:kMDItemOMUserTags");
    EXPECT_EQ(stored(file, "org.openmetainfo:kMDItemOMManaged"), PlistValue(true));
}

TEST_F(UserTagWriteTest, ValuesUpTo4096BytesAreStoredAndLargerOrNonPlistValuesAreRefused) {
    const QStringList fits = tagsEncodedTo(OpenMetaValueCodec::MaxEncodedSize);
    PlistValue::Array items;
    for (const QString& t : fits) items.emplace_back(t);
    const PlistValue largest(std::move(items));
    const OpenMetaAnswer<QByteArray> encoded = OpenMetaValueCodec::encode(largest);
    ASSERT_TRUE(encoded.value.has_value());
    EXPECT_EQ(encoded.value->size(), 4096);
    // ext4 keeps all attributes of a file in one 4 KiB block, so the file
    // system itself may refuse this one; the size rule must not.
    const OpenMetaStatus written = OpenMeta::setXAttr(largest, "org.openmetainfo:big", file);
    if (written) EXPECT_EQ(written->domain, "posix") << written->description().toStdString();
    else EXPECT_EQ(stored(file, "org.openmetainfo:big"), largest);

    const QStringList tooBig = tagsEncodedTo(OpenMetaValueCodec::MaxEncodedSize + 1);
    const OpenMetaStatus refused = OpenMeta::setXAttr(PlistValue(PlistValue::Array(tooBig.begin(), tooBig.end())),
                                                      "org.openmetainfo:other", file);
    ASSERT_TRUE(refused.has_value());
    EXPECT_EQ(*refused, OpenMetaError::tooBigError());
    EXPECT_EQ(refused->info, "Meta data is too big - size as binary plist must be less than (perhaps 4k?) some "
                             "number of bytes");
    EXPECT_FALSE(stored(file, "org.openmetainfo:other").has_value());

    const OpenMetaStatus uid = OpenMeta::setXAttr(PlistValue(PlistValue::Array{PlistValue::uid(1)}), "x", file);
    ASSERT_TRUE(uid.has_value());
    EXPECT_EQ(uid->domain, "openmeta");
    EXPECT_EQ(uid->code, -2);
    EXPECT_FALSE(uid->info.isEmpty());
}

TEST_F(UserTagWriteTest, BadArgumentsAndFailingAttributeCallsAreErrors) {
    const OpenMetaError parameter{"openmeta", -1, "Open Meta parameter error"};
    EXPECT_EQ(OpenMeta::setXAttr(PlistValue(true), "", file), parameter);
    EXPECT_EQ(OpenMeta::setXAttr(PlistValue(true), "name", ""), parameter);
    EXPECT_EQ(OpenMeta::setUserTags({"a"}, ""), parameter);
    EXPECT_EQ(OpenMeta::setNSArrayMetaData(PlistValue("not a list"), "kMDItemOMUserTags", file), parameter);
    EXPECT_FALSE(stored(file, "org.openmetainfo:kMDItemOMUserTags").has_value());

    const QString gone = folder.filePath("gone.fdlcache");
    const OpenMetaStatus missing = OpenMeta::setUserTags({"a"}, gone);
    ASSERT_TRUE(missing.has_value());
    EXPECT_EQ(missing->domain, "posix");
    EXPECT_EQ(missing->code, ENOENT);
    EXPECT_EQ(missing->info, QString::fromLocal8Bit(std::strerror(ENOENT)));
    const OpenMetaAnswer<QStringList> unread = OpenMeta::getUserTags(gone);
    EXPECT_FALSE(unread.value.has_value());
    EXPECT_EQ(unread.error, OpenMetaError::posixError(ENOENT));

    OpenMetaController controller;
    EXPECT_EQ(controller.getUserTags(gone), QStringList());
    EXPECT_TRUE(logged.contains("Error when getting OpenMeta tags for " + gone));
    controller.setUserTags({"a"}, gone);
    EXPECT_TRUE(logged.contains("Error when setting OpenMeta tags on " + gone));
    EXPECT_TRUE(logged.contains("Error when setting OpenMeta managed attribute on " + gone));
}

TEST_F(UserTagWriteTest, AnAbsentValueRemovesTheAttribute) {
    ASSERT_FALSE(OpenMeta::setXAttr(PlistValue("v"), "org.openmetainfo:kMDItemOMRating", file).has_value());
    EXPECT_FALSE(OpenMeta::setXAttr(std::nullopt, "org.openmetainfo:kMDItemOMRating", file).has_value());
    EXPECT_FALSE(stored(file, "org.openmetainfo:kMDItemOMRating").has_value());
    // Nothing left to remove is no failure.
    EXPECT_FALSE(OpenMeta::setXAttr(std::nullopt, "org.openmetainfo:kMDItemOMRating", file).has_value());
}

TEST_F(UserTagWriteTest, StoredValuesThatAreNotTagListsAreReportedNotReturned) {
    ASSERT_TRUE(ExtendedAttributes::set(file, "org.openmetainfo:kMDItemOMUserTags", "not a property list").ok);
    OpenMetaAnswer<QStringList> read = OpenMeta::getUserTags(file);
    EXPECT_FALSE(read.value.has_value());
    ASSERT_TRUE(read.error.has_value());
    EXPECT_EQ(read.error->code, -2);

    ASSERT_FALSE(OpenMeta::setXAttr(PlistValue(PlistValue::Array{"a", 1}), "org.openmetainfo:kMDItemOMUserTags", file));
    read = OpenMeta::getUserTags(file);
    EXPECT_FALSE(read.value.has_value());
    EXPECT_TRUE(read.error.has_value());
}

TEST_F(UserTagWriteTest, AFinalSymbolicLinkIsNotFollowed) {
    const QString link = folder.filePath("link.fdlcache");
    ASSERT_EQ(::symlink(QFile::encodeName(file).constData(), QFile::encodeName(link).constData()), 0);
    // Linux keeps "user." attributes off symbolic links, so the write fails
    // rather than tagging the file behind the link.
    EXPECT_TRUE(OpenMeta::setUserTags({"a"}, link).has_value());
    EXPECT_FALSE(stored(file, "org.openmetainfo:kMDItemOMUserTags").has_value());
    EXPECT_FALSE(ExtendedAttributes::get(file, XdgTags::AttributeName).bytes.has_value());
}

}  // namespace
