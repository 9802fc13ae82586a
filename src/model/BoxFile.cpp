#include "model/BoxFile.h"

#include "model/SlipArchiving.h"
#include "platform/system/AppVersion.h"
#include "platform/keyedarchive/ArchiveVariant.h"
#include "platform/files/AtomicFile.h"
#include "platform/keyedarchive/KeyedCodecs.h"
#include "platform/system/Log.h"
#include "platform/files/MappedFile.h"
#include "platform/text/StringValues.h"
#include "platform/typedstream/TypedStreamCodecs.h"
#include "platform/typedstream/TypedStreamReader.h"
#include "platform/typedstream/TypedStreamWriter.h"

#include <QDir>
#include <QFileInfo>
#include <algorithm>

namespace fendle {

namespace {
const QString NotKeyedLog = QStringLiteral("Don't know what to do with a file that's not a keyed archive!");
const QString NoSlipWarning = QStringLiteral(
    "BoxData:setSlips:deletedSlips: Warning: Could not determine ID of last slip; there must be at least one Slip in "
    "the Box.");

ArchiveValue slipMap(const SlipDictionary& slips) {
    QList<SlipPtr> sorted = slips.values();
    std::sort(sorted.begin(), sorted.end(), [](const SlipPtr& a, const SlipPtr& b) { return a->slipID() < b->slipID(); });
    std::vector<std::pair<ArchiveValue, ArchiveValue>> entries;
    entries.reserve(static_cast<size_t>(sorted.size()));
    for (const SlipPtr& slip : sorted) entries.emplace_back(ArchiveValue(slip->key()), SlipArchiving::wrap(slip));
    return ArchiveValue::map(std::move(entries), true);
}

ArchiveValue rangeValue(const TextRange& range) {
    return ArchiveValue::list(
        {ArchiveValue(static_cast<qint64>(range.location)), ArchiveValue(static_cast<qint64>(range.length))});
}

// Everything a keyed box holds, decoded before anything in the store changes.
struct DecodedBox {
    std::optional<SlipDictionary> slips;
    SlipDictionary deletedSlips;
    bool hasTemplate = false;
    std::optional<RichText> slipTemplate;
    bool hasRange = false;
    std::optional<QList<TextRange>> range;
    std::optional<QVariantList> savedSearches;
    std::optional<qint32> zoom;
};

Result<SlipDictionary> slipDictionary(const ArchiveValue& value, const char* key) {
    using R = Result<SlipDictionary>;
    SlipDictionary slips;
    if (value.isNil()) return slips;
    const ArchiveMap* map = value.toMap();
    if (!map) return R::failure(QStringLiteral("damaged box: \"%1\" is not a dictionary").arg(QLatin1String(key)));
    slips.reserve(static_cast<qsizetype>(map->entries.size()));
    for (const auto& entry : map->entries) {
        SlipPtr slip = SlipArchiving::unwrap(entry.second);
        if (!slip) return R::failure(QStringLiteral("damaged box: \"%1\" holds something that is not a slip").arg(QLatin1String(key)));
        slips.insert(slip->key(), slip);  // filed under its own key, whatever the file said
    }
    return slips;
}

Result<std::vector<SlipPtr>> slipArray(const ArchiveValue& value, const char* key) {
    using R = Result<std::vector<SlipPtr>>;
    std::vector<SlipPtr> slips;
    if (value.isNil()) return slips;
    const ArchiveList* list = value.toList();
    if (!list) return R::failure(QStringLiteral("damaged exchange file: \"%1\" is not an array").arg(QLatin1String(key)));
    for (const ArchiveValue& item : list->items) {
        SlipPtr slip = SlipArchiving::unwrap(item);
        if (!slip) return R::failure(QStringLiteral("damaged exchange file: \"%1\" holds something that is not a slip").arg(QLatin1String(key)));
        slips.push_back(slip);
    }
    return slips;
}

Result<std::unique_ptr<KeyedUnarchiver>> openBox(const QByteArray& bytes) {
    auto unarchiver = KeyedUnarchiver::open(bytes);
    if (unarchiver) SlipArchiving::registerCodec(**unarchiver);
    return unarchiver;
}

Result<DecodedBox> decodeBox(const KeyedObject& top) {
    using R = Result<DecodedBox>;
    DecodedBox box;
    auto decode = [&](const char* key) { return top.decodeObject(QLatin1StringView(key)); };
    if (top.contains(QLatin1StringView("slips"))) {
        auto value = decode("slips");
        if (!value) return R::failure(value.error());
        auto slips = slipDictionary(*value, "slips");
        if (!slips) return R::failure(slips.error());
        box.slips = std::move(*slips);
    }
    auto deleted = decode("deletedSlips");
    if (!deleted) return R::failure(deleted.error());
    auto trash = slipDictionary(*deleted, "deletedSlips");
    if (!trash) return R::failure(trash.error());
    box.deletedSlips = std::move(*trash);
    if (top.contains(QLatin1StringView("slipTemplate"))) {
        auto value = decode("slipTemplate");
        if (!value) return R::failure(value.error());
        box.hasTemplate = true;
        if (const auto* text = value->as<RichText>()) box.slipTemplate = *text;
    }
    if (top.contains(QLatin1StringView("selectedRangeInTemplate"))) {
        auto value = decode("selectedRangeInTemplate");
        if (!value) return R::failure(value.error());
        box.hasRange = true;
        const ArchiveList* list = value->toList();
        if (list && list->items.size() >= 2) {
            const auto location = list->items[0].toInteger();
            const auto length = list->items[1].toInteger();
            if (location && length && *location >= 0 && *length >= 0)
                box.range = QList<TextRange>{{static_cast<qsizetype>(*location), static_cast<qsizetype>(*length)}};
        }
    }
    if (top.contains(QLatin1StringView("savedSearches"))) {
        auto value = decode("savedSearches");
        if (!value) return R::failure(value.error());
        if (value->toList()) box.savedSearches = toVariant(*value).toList();
    }
    if (const auto inlineZoom = top.decodeInteger(QLatin1StringView("zoomFactor"))) {
        box.zoom = static_cast<qint32>(*inlineZoom);
    } else if (top.contains(QLatin1StringView("zoomFactor"))) {
        auto value = decode("zoomFactor");
        if (!value) return R::failure(value.error());
        if (const auto zoom = value->toInteger()) box.zoom = static_cast<qint32>(*zoom);
    }
    return box;
}

void mergeReceived(BoxData& box, const std::vector<SlipPtr>& modified, const std::vector<SlipPtr>& modifiedInTrash) {
    for (const SlipPtr& received : modified) {
        SlipPtr target = box.slipInTrashForKey(received->key());
        if (target) box.restoreSlipFromTrash(target);
        else target = box.slipForKey(received->key());
        BoxFile::applyModifications(box, received, target, false);
    }
    for (const SlipPtr& received : modifiedInTrash) {
        SlipPtr target = box.slipForKey(received->key());
        if (target) box.putSlipInTrash(target);
        else target = box.slipInTrashForKey(received->key());
        BoxFile::applyModifications(box, received, target, true);
    }
}
}  // namespace

QString BoxFile::formName(Form form) {
    switch (form) {
    case Form::Keyed: return QStringLiteral("keyed");
    case Form::Sequential: return QStringLiteral("sequential");
    case Form::Exchange: return QStringLiteral("exchange");
    }
    return {};
}

QByteArray BoxFile::dataRepresentation(const BoxData& box) {
    KeyedArchiver archiver;
    archiver.reserve(box.dataFromFileSize() + box.dataFromFileSize() / 8);
    SlipArchiving::registerCodec(archiver);
    archiver.encodeObject(QStringLiteral("fileFormat"),
                          ArchiveValue::map({{ArchiveValue(QStringLiteral("application")), ArchiveValue(QStringLiteral("desktop"))},
                                             {ArchiveValue(QStringLiteral("version")), ArchiveValue(versionString())}}));
    // The file always holds the box's own slips under "slips".
    const SlipDictionary& own = box.inTrashMode() ? box.deletedSlips() : box.slips();
    const SlipDictionary& trash = box.inTrashMode() ? box.slips() : box.deletedSlips();
    archiver.encodeObject(QStringLiteral("slips"), slipMap(own));
    archiver.encodeObject(QStringLiteral("deletedSlips"), slipMap(trash));
    archiver.encodeObject(QStringLiteral("slipTemplate"), box.slipTemplate() ? ArchiveValue(*box.slipTemplate()) : ArchiveValue());
    if (box.selectedRangesInTemplate() && !box.selectedRangesInTemplate()->isEmpty())
        archiver.encodeObject(QStringLiteral("selectedRangeInTemplate"), rangeValue(box.selectedRangesInTemplate()->first()));
    std::vector<ArchiveValue> searches;
    for (const QVariant& search : box.savedSearches()) searches.push_back(fromVariant(search));
    archiver.encodeObject(QStringLiteral("savedSearches"), ArchiveValue::list(std::move(searches), true));
    archiver.encodeObject(QStringLiteral("zoomFactor"), ArchiveValue(static_cast<qint64>(box.currentZoomFactor())));
    return archiver.finish();
}

namespace {
std::shared_ptr<const TypedObject> typedSlipDictionary(const SlipDictionary& slips) {
    QList<SlipPtr> sorted = slips.values();
    std::sort(sorted.begin(), sorted.end(), [](const SlipPtr& a, const SlipPtr& b) { return a->slipID() < b->slipID(); });
    std::vector<std::pair<TypedObjectPtr, TypedObjectPtr>> entries;
    entries.reserve(static_cast<size_t>(sorted.size()));
    for (const SlipPtr& slip : sorted) entries.emplace_back(typedString(slip->key()), SlipArchiving::typedSlip(*slip));
    return typedDictionary(entries, true);
}
}  // namespace

QByteArray BoxFile::olderFormRepresentation(const BoxData& box) {
    const SlipDictionary& own = box.inTrashMode() ? box.deletedSlips() : box.slips();
    const SlipDictionary& trash = box.inTrashMode() ? box.slips() : box.deletedSlips();
    return writeTypedStream({objectGroup(typedSlipDictionary(own)), objectGroup(typedSlipDictionary(trash))});
}

Result<BoxFile::Form> BoxFile::loadOlderForm(BoxData& box, const QByteArray& bytes) {
    using R = Result<Form>;
    auto stream = readTypedStream(bytes);
    if (!stream) return R::failure(stream.error());
    // Two roots, as two groups or as one "@@" group.
    std::vector<const TypedValue*> roots;
    for (const TypedGroup& group : stream->groups)
        for (const TypedValue& value : group.values) roots.push_back(&value);
    if (roots.size() != 2) return R::failure(QStringLiteral("damaged older box: %1 roots instead of two").arg(roots.size()));
    TypedUnarchiver unarchiver(4 * static_cast<quint64>(bytes.size()) + 1024);
    SlipArchiving::registerCodec(unarchiver);
    SlipDictionary dictionaries[2];
    for (int i = 0; i < 2; ++i) {
        auto value = unarchiver.decode(*roots[static_cast<size_t>(i)]);
        if (!value) return R::failure(value.error());
        auto slips = slipDictionary(*value, i == 0 ? "slips" : "deletedSlips");
        if (!slips) return R::failure(slips.error());
        dictionaries[i] = std::move(*slips);
    }
    box.setDataFromFile(bytes);
    setSlips(box, std::move(dictionaries[0]), std::move(dictionaries[1]));
    return Form::Sequential;
}

Result<BoxFile::Form> BoxFile::readAnyForm(BoxData& box, const QByteArray& bytes) {
    if (hasTypedStreamSignature(bytes)) return loadOlderForm(box, bytes);
    return loadBoxData(box, bytes);
}

QString BoxFile::backupPath(const QString& path) {
    const QFileInfo info(path);
    const QString suffix = info.suffix();
    const QString base = suffix.isEmpty() ? info.fileName() : info.completeBaseName();
    const QString name = suffix.isEmpty() ? base + QLatin1Char('~') : base + QStringLiteral("~.") + suffix;
    return info.dir().filePath(name);
}

Status BoxFile::writeToURL(const BoxData& box, const QString& path, Form form, bool keepBackup) {
    // The exchange form is only ever received, never written.
    const QByteArray bytes = form == Form::Sequential ? olderFormRepresentation(box) : dataRepresentation(box);
    return writeFileAtomically(path, bytes, keepBackup ? backupPath(path) : QString());
}

Result<BoxFile::Form> BoxFile::readFromURL(BoxData& box, const QString& path) {
    return readMappedFile<Form>(path, MaxFileSize, [&box](const QByteArray& bytes) { return readAnyForm(box, bytes); });
}

Result<BoxFile::Form> BoxFile::loadBoxData(BoxData& box, const QByteArray& bytes) {
    using R = Result<Form>;
    auto unarchiver = openBox(bytes);
    if (!unarchiver) {
        logLine(NotKeyedLog);
        return R::failure(unarchiver.error());
    }
    const KeyedObject* top = &(*unarchiver)->top();
    QByteArray dataFromFile = bytes;
    Form form = Form::Keyed;
    std::vector<SlipPtr> modified, modifiedInTrash;
    const bool exchange = (top->contains(QLatin1StringView("modifiedSlips")) ||
                           top->contains(QLatin1StringView("modifiedSlipsInTrash"))) &&
                          top->contains(QLatin1StringView("dataBlock"));
    if (exchange) {
        form = Form::Exchange;
        for (auto [key, out] : {std::pair{"modifiedSlips", &modified}, std::pair{"modifiedSlipsInTrash", &modifiedInTrash}}) {
            auto value = top->decodeObject(QLatin1StringView(key));
            if (!value) return R::failure(value.error());
            auto slips = slipArray(*value, key);
            if (!slips) return R::failure(slips.error());
            *out = std::move(*slips);
        }
        auto block = top->decodeObject(QLatin1StringView("dataBlock"));
        if (!block) return R::failure(block.error());
        const QByteArray* blockBytes = block->as<QByteArray>();
        if (!blockBytes && !block->isNil()) return R::failure(QStringLiteral("damaged exchange file: \"dataBlock\" is not data"));
        dataFromFile = blockBytes ? *blockBytes : QByteArray();
        if (dataFromFile.isEmpty()) {
            box.setDataFromFile(dataFromFile);
            for (const SlipPtr& slip : modified) box.setSlip(slip);
            for (const SlipPtr& slip : modifiedInTrash) box.setSlipInTrash(slip);
            return form;
        }
        unarchiver = openBox(dataFromFile);
        if (!unarchiver) return R::failure(QStringLiteral("exchange file holds a damaged box: %1").arg(unarchiver.error()));
        top = &(*unarchiver)->top();
    }
    auto decoded = decodeBox(*top);
    if (!decoded) return R::failure(decoded.error());
    box.setDataFromFile(dataFromFile);
    if (decoded->slips) setSlips(box, std::move(*decoded->slips), std::move(decoded->deletedSlips));
    mergeReceived(box, modified, modifiedInTrash);
    if (decoded->hasTemplate) box.setSlipTemplate(decoded->slipTemplate);
    if (decoded->hasRange) box.setSelectedRangesInTemplate(decoded->range);
    if (decoded->savedSearches) box.setSavedSearches(*decoded->savedSearches);
    if (decoded->zoom) box.setCurrentZoomFactor(*decoded->zoom);
    return form;
}

void BoxFile::setSlips(BoxData& box, SlipDictionary slips, SlipDictionary deletedSlips) {
    if (BoxData::findLastKeyInDictionary(slips) == BoxData::NoKeyFound) logLine(NoSlipWarning);
    box.setSlips(std::move(slips), std::move(deletedSlips));
}

void BoxFile::applyModifications(BoxData& box, const SlipPtr& received, const SlipPtr& target, bool slipInTrash) {
    const qint32 bits = received->modificationByMobileVersion();
    if ((bits & Slip::ReplacesWholeSlip) || !target) {
        // Filed as received: its appended text and bits stay with it.
        if (slipInTrash) box.setSlipInTrash(received);
        else box.setSlip(received);
        return;
    }
    if (bits & Slip::KeywordsChanged) target->setKeywordsWithoutLastModificationDate(received->keywords());
    if (bits & Slip::SourceChanged) target->setSourceWithoutLastModificationDate(received->source());
    if (bits & Slip::TypeChanged) target->setSlipTypeWithoutLastModificationDate(received->slipType());
    if (bits & Slip::TextChanged) target->setTextWithoutLastModificationDate(received->text());
    if (bits & Slip::AppendedTextChanged)
        target->setAppendedTextWithoutLastModificationDate(received->appendedTextField());
    if (bits & Slip::FlagChanged) target->setFlagged(received->isFlagged());
    target->mergeSlipTextAndAppendedText();
    target->setModificationByMobileVersion(0);
}

}  // namespace fendle
