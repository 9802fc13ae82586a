#pragma once
#include "document/SlipLinkPorts.h"

#include <QByteArray>

namespace fendle {

class EditorModel;

// Clicks on attachments of the slip text: an image is selected as one
// character (a double click also opens the inspector on image resizing);
// anything else is left to the text view.
class AttachmentClicks {
public:
    AttachmentClicks(EditorModel& editor, const SlipLinkPorts& ports) : editor_(editor), ports_(ports) {}

    // True when handled here.
    bool textViewClickedOnCell(qsizetype index);
    bool textViewDoubleClickedOnCell(qsizetype index);

    // Whether the bytes start like one of the image formats a slip can hold.
    static bool looksLikeImage(const QByteArray& contents);

private:
    EditorModel& editor_;
    const SlipLinkPorts& ports_;
};

}  // namespace fendle
