#include "document/AttachmentNaming.h"

#include <gtest/gtest.h>

using namespace fendle;

namespace {

RichText attachment(const QString& name, const QByteArray& bytes = "bytes") {
    Attributes attributes;
    attributes.set(attr::Attachment, AttachmentAttribute{name, bytes});
    return RichText(QString(QChar(AttachmentCharacter)), attributes);
}

QStringList namesIn(const RichText& text) {
    QStringList names;
    for (qsizetype i = 0; i < text.length(); ++i)
        if (auto a = text.attributesAt(i).get<AttachmentAttribute>(attr::Attachment)) names.append(a->fileName);
    return names;
}

}  // namespace

TEST(AttachmentNamingTest, TheSecondOfTwoEqualNamesTakesTheNextImageNumber) {
    RichText text(QStringLiteral("a "));
    text.append(attachment("image1.jpg", "first"));
    text.append(QStringLiteral(" b "), {});
    text.append(attachment("image1.jpg", "second"));
    unsigned imageNumber = 4;
    EXPECT_TRUE(AttachmentNaming::makeNamesUnique(text, imageNumber));
    EXPECT_EQ(namesIn(text), (QStringList{"image1.jpg", "image1-5.jpg"}));
    EXPECT_EQ(imageNumber, 5u);
    // The contents stay with their attachment.
    EXPECT_EQ(text.attributesAt(text.length() - 1).get<AttachmentAttribute>(attr::Attachment)->contents, "second");
    EXPECT_EQ(text.string(), QStringLiteral("a \uFFFC b \uFFFC"));
}

TEST(AttachmentNamingTest, NamelessAttachmentsAreNumberedAndUniqueTextsStayAsTheyAre) {
    RichText text = attachment("");
    text.append(attachment("photo.png"));
    unsigned imageNumber = 0;
    EXPECT_TRUE(AttachmentNaming::makeNamesUnique(text, imageNumber));
    EXPECT_EQ(namesIn(text), (QStringList{"image1.jpg", "photo.png"}));
    const RichText named = text;
    EXPECT_FALSE(AttachmentNaming::makeNamesUnique(text, imageNumber));
    EXPECT_EQ(text, named);
    EXPECT_EQ(imageNumber, 1u);
}

TEST(AttachmentNamingTest, NeighbouringEqualAttachmentsInOneRunAreNamedApart) {
    // Equal neighbours share one run; each character is still its own file.
    RichText text = attachment("same.gif");
    text.append(attachment("same.gif"));
    text.append(attachment("same.gif"));
    ASSERT_EQ(text.runs().size(), 1u);
    unsigned imageNumber = 0;
    AttachmentNaming::makeNamesUnique(text, imageNumber);
    EXPECT_EQ(namesIn(text), (QStringList{"same.gif", "same-1.gif", "same-2.gif"}));
}

TEST(AttachmentNamingTest, AGeneratedNameThatIsTakenIsNumberedOnUntilFree) {
    unsigned imageNumber = 0;
    const QSet<QString> taken{"notes", "notes-1", "notes-2"};
    EXPECT_EQ(AttachmentNaming::uniqueName("notes", taken, imageNumber), "notes-3");
    EXPECT_EQ(AttachmentNaming::uniqueName("free.txt", taken, imageNumber), "free.txt");
    EXPECT_EQ(imageNumber, 3u);
    // A leading dot is part of the name, not an extension.
    EXPECT_EQ(AttachmentNaming::uniqueName(".hidden", {".hidden"}, imageNumber), ".hidden-4");
}
