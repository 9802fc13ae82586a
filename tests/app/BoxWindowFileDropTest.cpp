#include "BoxWindowFixture.h"
#include "RichTextSamples.h"
#include "app/editing/SlipTextView.h"

#include <QClipboard>
#include <QDropEvent>
#include <QFile>
#include <QMimeData>

namespace fendle::test {
namespace {

// Local files dropped or pasted on the slip text: pictures, films, sounds
// and PDF files come in as attachments holding the file, others as links.
class BoxWindowFileDropTest : public BoxWindowFixture {
protected:
    const QByteArray png = pngBytes(12, 8);
    const QByteArray pdf = QByteArray("%PDF-1.4\n%%EOF\n");
    QString picture, document, other;

    void SetUp() override {
        open({1});
        picture = write(QStringLiteral("Photo.PNG"), png);
        document = write(QStringLiteral("paper.pdf"), pdf);
        other = write(QStringLiteral("table.ods"), QByteArray("PK"));
    }
    QString write(const QString& name, const QByteArray& contents) {
        const QString path = folder.filePath(name);
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(contents);
        return path;
    }
    static std::unique_ptr<QMimeData> files(const QStringList& paths) {
        auto data = std::make_unique<QMimeData>();
        QList<QUrl> urls;
        for (const QString& path : paths) urls.append(QUrl::fromLocalFile(path));
        data->setUrls(urls);
        // File managers put the paths as text beside them.
        data->setText(paths.join(QLatin1Char('\n')));
        return data;
    }
    // As a real drag from a file manager: it enters and moves before it drops.
    void dropAtStart(const QMimeData& data) {
        SlipTextView* view = window->slipTextView();
        const QPoint at = view->cursorRect(QTextCursor(view->document())).center();
        const Qt::DropActions offered = Qt::CopyAction | Qt::MoveAction | Qt::LinkAction;
        QDragEnterEvent enter(at, offered, &data, Qt::LeftButton, {});
        QApplication::sendEvent(view->viewport(), &enter);
        QDragMoveEvent move(at, offered, &data, Qt::LeftButton, {});
        QApplication::sendEvent(view->viewport(), &move);
        QDropEvent drop(at, offered, &data, Qt::LeftButton, {});
        QApplication::sendEvent(view->viewport(), &drop);
        settle();
    }
    // The text as the slip shows it; typing and pastes reach the slip when the edit ends.
    RichText slipText() const { return box->editor().text(); }
    std::optional<AttachmentAttribute> attachmentAt(qsizetype at) const {
        return slipText().attributesAt(at).get<AttachmentAttribute>(attr::Attachment);
    }
    QString linkAt(qsizetype at) const {
        const auto link = slipText().attributesAt(at).get<LinkAttribute>(attr::Link);
        return link ? link->url : QString();
    }
};

TEST_F(BoxWindowFileDropTest, DroppedPictureAndPdfFilesBecomeAttachmentsOtherFilesLinks) {
    const auto data = files({picture, other, document});
    dropAtStart(*data);
    const QString text = slipText().string();
    ASSERT_TRUE(text.startsWith(QString(QChar(AttachmentCharacter)) + " table.ods " + QChar(AttachmentCharacter)))
        << text.toStdString();
    ASSERT_TRUE(attachmentAt(0).has_value());
    EXPECT_EQ(attachmentAt(0)->fileName, QStringLiteral("Photo.PNG"));
    EXPECT_EQ(attachmentAt(0)->contents, png);
    EXPECT_EQ(linkAt(2), "file://" + other);
    ASSERT_TRUE(attachmentAt(12).has_value());
    EXPECT_EQ(attachmentAt(12)->fileName, QStringLiteral("paper.pdf"));
    EXPECT_EQ(attachmentAt(12)->contents, pdf);
    EXPECT_EQ(box->undoManager().undoActionName(), QStringLiteral("Drop"));

    choose(QStringLiteral("Undo Drop"));
    EXPECT_EQ(slipText().string(), QStringLiteral("slip 1"));
}

TEST_F(BoxWindowFileDropTest, PastedPictureFileBecomesAnAttachment) {
    SlipTextView* view = window->slipTextView();
    view->setFocus();
    view->moveCursor(QTextCursor::End);
    settle();
    QApplication::clipboard()->setMimeData(files({picture}).release());
    choose(QStringLiteral("Paste"));
    const QString text = slipText().string();
    ASSERT_EQ(text, QStringLiteral("slip 1") + QChar(AttachmentCharacter));
    ASSERT_TRUE(attachmentAt(6).has_value());
    EXPECT_EQ(attachmentAt(6)->contents, png);

    // A file of another kind is pasted as a link to it, not as its path.
    QApplication::clipboard()->setMimeData(files({other}).release());
    choose(QStringLiteral("Paste"));
    EXPECT_EQ(slipText().string().mid(7), QStringLiteral("table.ods"));
    EXPECT_EQ(linkAt(8), "file://" + other);
}

TEST_F(BoxWindowFileDropTest, AFolderNamedLikeAPictureStaysALink) {
    const QString folderPath = folder.filePath(QStringLiteral("album.jpg"));
    ASSERT_TRUE(QDir().mkpath(folderPath));
    const auto data = files({folderPath});
    dropAtStart(*data);
    EXPECT_TRUE(slipText().string().startsWith(QStringLiteral("album.jpg"))) << slipText().string().toStdString();
    EXPECT_EQ(linkAt(0), "file://" + folderPath);
    EXPECT_EQ(box->undoManager().undoActionName(), QStringLiteral("Add link to files"));
}

}  // namespace
}  // namespace fendle::test
