#include "platform/richtext/RichTextArchive.h"

#include "platform/keyedarchive/KeyedArchiver.h"
#include "platform/keyedarchive/KeyedUnarchiver.h"

namespace fendle {

QByteArray RichTextArchive::archive(const RichText& text) {
    KeyedArchiver archiver;
    archiver.encodeObject(QStringLiteral("root"), ArchiveValue(text));
    return archiver.finish();
}

Result<RichText> RichTextArchive::unarchive(const QByteArray& bytes) {
    using R = Result<RichText>;
    auto unarchiver = KeyedUnarchiver::open(bytes);
    if (!unarchiver) return R::failure(unarchiver.error());
    auto root = (*unarchiver)->top().decodeObject(QLatin1StringView("root"));
    if (!root) return R::failure(root.error());
    const RichText* text = root->as<RichText>();
    if (!text) return R::failure(QStringLiteral("the archived text is not a rich text"));
    return *text;
}

}  // namespace fendle
