#pragma once
#include "document/SlipTextDragAndDrop.h"
#include "platform/richtext/RichText.h"

#include <QString>
#include <Qt>
#include <functional>
#include <map>
#include <optional>

class QMimeData;

namespace fendle {

class Box;

// What a drop on the slip text brings, in the order of precedence: rich
// text (its links into this box made internal), file addresses (text files
// inserted, picture, film, sound and PDF files as attachments, other files
// as links), media addresses as attachments fetched from the web, other
// addresses as links (titled by the drag when it carries titles), plain text.
// Each becomes one undoable step of the box.
class SlipTextDrop {
public:
    // Larger dropped files are not read.
    static constexpr qint64 MaximumFileSize = qint64(64) << 20;

    // plainText gives a dropped string the attributes typing would give it.
    SlipTextDrop(Box& box, std::function<RichText(const QString&)> plainText);

    // False when nothing here takes the drop (the text control's own drop applies).
    bool perform(const QMimeData& data, Qt::DropAction proposed, qsizetype index);

    // Files pasted at index: what a copying drop of them brings; none when
    // the clipboard holds rich text or no files.
    static std::optional<RichText> pastedFiles(Box& box, const QMimeData& data, qsizetype index);

    // Files whose contents a copying drop inserts.
    static bool isTextFile(const QString& path);
    static bool allTextFiles(const QStringList& paths);

private:
    Box& box_;
    std::function<RichText(const QString&)> plainText_;

    bool dropFiles(const QStringList& paths, Qt::DropAction proposed, qsizetype index);
    static QStringList localFiles(const QMimeData& data);
    static bool hasRichText(const QMimeData& data);
    static RichText contentsOfTextFiles(const QStringList& paths);
    // The media files among paths as attachments, by path.
    static std::map<QString, RichText> mediaAttachments(const QStringList& paths);
    static std::optional<sliptextdrag::UrlsWithTitles> urlsWithTitles(const QMimeData& data);
    bool dropWebAddress(const QMimeData& data, const std::optional<sliptextdrag::UrlsWithTitles>& titled,
                        const QUrl& url, qsizetype index);
};

}  // namespace fendle
