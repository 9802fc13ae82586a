#pragma once
#include "platform/richtext/RichText.h"

#include <QSet>
#include <QString>

namespace fendle {

// Names of the attachments of a slip text: every one must be unique, since
// a text package stores each attachment as a file under its name.
class AttachmentNaming {
public:
    // Gives every attachment, in text order, a name no earlier one has:
    // its own, "image%d.jpg" when it has none, or "%@-%d.%@" when its name
    // was taken. imageNumber counts the numbers handed out. True when a
    // name changed.
    static bool makeNamesUnique(RichText& text, unsigned& imageNumber);
    // wanted, or "base-N.ext" with the next image number while that is taken.
    static QString uniqueName(const QString& wanted, const QSet<QString>& taken, unsigned& imageNumber);
    static QString generatedName(unsigned& imageNumber);
};

}  // namespace fendle
