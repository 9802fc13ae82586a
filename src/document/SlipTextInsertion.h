#pragma once
#include "platform/richtext/RichText.h"

#include <QString>
#include <QStringList>
#include <map>

namespace fendle {

class Box;

// Text that comes into the current slip by a drop rather than by typing:
// one undo step that puts the whole slip back as it was.
class SlipTextInsertion {
public:
    explicit SlipTextInsertion(Box& box) : box_(box) {}

    // Inserts at index (clipped to the text) under the action name.
    void insertAttributedString(const RichText& text, qsizetype index, const QString& actionName);
    void insertAttributedString(const RichText& text, qsizetype index);
    // The title as a run carrying the address as its link, in the font of the
    // text at index, or the slip text font when the slip has no text.
    void addURL(const QString& url, const QString& title, qsizetype index);
    // One link "file://PATH" per file, titled with the file's name.
    void addLinkToFiles(const QStringList& paths, qsizetype index);

    RichText linkText(const QString& url, const QString& title, qsizetype index) const;
    // One piece per file, a space apart: the file's attachment text when
    // attachments holds one for its path, else a link to the file.
    RichText filesText(const QStringList& paths, const std::map<QString, RichText>& attachments, qsizetype index) const;

    // A string dropped on the source field is appended to the source; a
    // "\cite{label}" drop brings only the label.
    void dropStringOnSourceField(const QString& dropped);
    static QString withoutCiteCommand(const QString& dropped);

private:
    Box& box_;
};

}  // namespace fendle
