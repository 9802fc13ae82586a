#include "platform/keyedarchive/FileWrapperForm.h"

#include <QtEndian>
#include <gtest/gtest.h>

using namespace fendle;

namespace {
void u32(QByteArray& out, quint32 v) {
    char b[4];
    qToLittleEndian(v, b);
    out.append(b, 4);
}

// A table of named data records in the flat form.
QByteArray table(const std::vector<std::pair<QByteArray, QByteArray>>& records) {
    QByteArray out("rtfd");
    u32(out, 0);
    u32(out, 3);
    u32(out, static_cast<quint32>(records.size()));
    for (const auto& r : records) {
        u32(out, static_cast<quint32>(r.first.size()));
        out.append(r.first);
    }
    for (const auto& r : records) u32(out, static_cast<quint32>(r.second.size()));
    for (const auto& r : records) out.append(r.second);
    return out;
}

QByteArray data(const QByteArray& bytes) {
    QByteArray r;
    u32(r, 1);
    u32(r, static_cast<quint32>(bytes.size()));
    return r + bytes;
}
}  // namespace

TEST(FileWrapperForm, RegularFileReadsBack) {
    const WrappedFile file{QStringLiteral("Bild ü.png"), QByteArray("\x89PNG\0\1", 6)};
    const QByteArray bytes = serializeRegularFile(file);
    EXPECT_TRUE(bytes.startsWith("rtfd"));
    const auto back = parseSerializedFileWrapper(bytes);
    ASSERT_TRUE(back.ok()) << back.error().toStdString();
    EXPECT_EQ(back->fileName, file.fileName);
    EXPECT_EQ(back->contents, file.contents);
}

TEST(FileWrapperForm, ReadsThePaddedDataForm) {
    QByteArray padded;
    u32(padded, 1);
    u32(padded, 0x80000000u);
    u32(padded, 3);
    u32(padded, 2);
    padded.append(QByteArray(2, '\0'));
    padded.append("abc");
    const auto back = parseSerializedFileWrapper(table({{"..", padded}, {"__@PreferredName@__", data("a.txt")}}));
    ASSERT_TRUE(back.ok()) << back.error().toStdString();
    EXPECT_EQ(back->contents, QByteArray("abc"));
    EXPECT_EQ(back->fileName, QStringLiteral("a.txt"));
}

TEST(FileWrapperForm, RefusesFoldersAndDamage) {
    // The empty folder "Test1" of the format notes.
    EXPECT_FALSE(parseSerializedFileWrapper(
                     table({{"__@PreferredName@__", data("Test1")}, {"__@UTF8PreferredName@__", data("Test1")}}))
                     .ok());
    const QByteArray good = serializeRegularFile({"x", "contents"});
    for (qsizetype cut = 0; cut < good.size(); cut += 5) EXPECT_FALSE(parseSerializedFileWrapper(good.left(cut)).ok()) << cut;
    QByteArray hugeCount("rtfd");
    u32(hugeCount, 0);
    u32(hugeCount, 3);
    u32(hugeCount, 0xffffffffu);
    EXPECT_FALSE(parseSerializedFileWrapper(hugeCount).ok());
}
