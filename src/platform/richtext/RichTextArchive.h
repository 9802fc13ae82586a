#pragma once
#include "platform/richtext/RichText.h"
#include "platform/system/Result.h"

#include <QByteArray>

namespace fendle {

// A rich text as a keyed archive with the text as its root object: the
// clipboard form that keeps everything a text holds, pictures included,
// when text goes from one slip or box to another.
class RichTextArchive {
public:
    static QByteArray archive(const RichText& text);
    // Fails unless the root is a rich text.
    static Result<RichText> unarchive(const QByteArray& bytes);
};

}  // namespace fendle
