#include "model/SlipArrayArchive.h"

#include "model/SlipArchiving.h"
#include "platform/keyedarchive/KeyedArchiver.h"
#include "platform/keyedarchive/KeyedUnarchiver.h"

namespace fendle {

namespace {
const QString RootKey = QStringLiteral("root");
}

QByteArray SlipArrayArchive::archive(const QList<SlipPtr>& slips) {
    KeyedArchiver archiver;
    SlipArchiving::registerCodec(archiver);
    std::vector<ArchiveValue> items;
    items.reserve(static_cast<size_t>(slips.size()));
    for (const SlipPtr& slip : slips) items.push_back(SlipArchiving::wrap(slip));
    archiver.encodeObject(RootKey, ArchiveValue::list(std::move(items), false));
    return archiver.finish();
}

Result<QList<SlipPtr>> SlipArrayArchive::unarchive(const QByteArray& bytes) {
    using R = Result<QList<SlipPtr>>;
    auto unarchiver = KeyedUnarchiver::open(bytes);
    if (!unarchiver) return R::failure(unarchiver.error());
    SlipArchiving::registerCodec(**unarchiver);
    auto root = (*unarchiver)->top().decodeObject(QLatin1StringView("root"));
    if (!root) return R::failure(root.error());
    const ArchiveList* list = root->toList();
    if (!list) return R::failure(QStringLiteral("the archived slips are not an array"));
    QList<SlipPtr> slips;
    for (const ArchiveValue& item : list->items) {
        SlipPtr slip = SlipArchiving::unwrap(item);
        if (!slip) return R::failure(QStringLiteral("the archived slips hold something that is not a slip"));
        slips.append(slip);
    }
    return slips;
}

}  // namespace fendle
