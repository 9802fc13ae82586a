#pragma once
#include <QByteArray>

namespace fendle {

class EditorModel;

// Clicks on attachments of the slip text: an image is selected as one
// character (on a double click the caller then opens the inspector on image
// resizing); anything else is left to the text view.
class AttachmentClicks {
public:
    explicit AttachmentClicks(EditorModel& editor) : editor_(editor) {}

    // True when handled here.
    bool textViewClickedOnCell(qsizetype index);
    bool textViewDoubleClickedOnCell(qsizetype index);

    // Whether the bytes start like one of the image formats a slip can hold.
    static bool looksLikeImage(const QByteArray& contents);

private:
    EditorModel& editor_;
};

}  // namespace fendle
