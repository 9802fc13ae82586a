#include "platform/plist/XmlPlist.h"

#include <gtest/gtest.h>

using namespace fendle;

TEST(XmlPlist, ReadsUidDictionariesAsUids) {
    const QByteArray xml = R"(<?xml version="1.0" encoding="UTF-8"?>
<plist version="1.0"><dict>
  <key>ref</key><dict><key>CF$UID</key><integer>3</integer></dict>
  <key>plain</key><dict><key>CF$UID</key><string>3</string></dict>
  <key>list</key><array><real>1.5</real><true/><data>AAH/</data><date>2009-03-14T15:09:26Z</date></array>
</dict></plist>)";
    const auto value = readXmlPlist(xml);
    ASSERT_TRUE(value.ok()) << value.error().toStdString();
    EXPECT_EQ(value->value("ref")->type(), PlistValue::Type::Uid);
    EXPECT_EQ(value->value("ref")->toUid(), 3u);
    EXPECT_EQ(value->value("plain")->type(), PlistValue::Type::Dictionary);
    const auto& list = value->value("list")->array();
    ASSERT_EQ(list.size(), 4u);
    EXPECT_EQ(list[0].toReal(), 1.5);
    EXPECT_TRUE(list[1].toBool());
    EXPECT_EQ(list[2].toData(), QByteArray("\x00\x01\xff", 3));
    EXPECT_EQ(list[3].dateSeconds(), 258736166.0);
}

TEST(XmlPlist, WriterOutputReadsBackEqual) {
    const PlistValue tree(PlistValue::Dictionary{{"a", PlistValue::uid(7)},
                                                 {"b", PlistValue(PlistValue::Array{PlistValue("x<&>"), PlistValue(-3)})},
                                                 {"c", PlistValue(0.25)}});
    const auto back = readPlist(writeXmlPlist(tree));
    ASSERT_TRUE(back.ok());
    EXPECT_EQ(*back, tree);
}

TEST(XmlPlist, RefusesMalformedInput) {
    EXPECT_FALSE(readXmlPlist("").ok());
    EXPECT_FALSE(readXmlPlist("<plist><integer>12x</integer></plist>").ok());
    EXPECT_FALSE(readXmlPlist("<plist><dict><string>no key</string></dict></plist>").ok());
    EXPECT_FALSE(readXmlPlist("<plist><unknown/></plist>").ok());
    EXPECT_FALSE(readXmlPlist(QByteArray("<plist>") + QByteArray(5000, 'x')).ok());
    QByteArray deep = "<plist>";
    for (int i = 0; i < 2000; ++i) deep += "<array>";
    EXPECT_FALSE(readXmlPlist(deep).ok());
}
