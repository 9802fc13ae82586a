// Reads arbitrary bytes as a mobile exchange file into a box that already
// holds slips, so that the merge runs; the bytes are also tried as the
// exchange file's data block.
#include "model/BoxFile.h"
#include "platform/system/Log.h"
#include "model/SlipArchiving.h"
#include "platform/keyedarchive/KeyedArchiver.h"

#include <cstddef>
#include <cstdint>

namespace {
fendle::BoxData storedBox() {
    fendle::BoxData box;
    fendle::SlipDictionary slips, trash;
    for (quint32 id = 1; id <= 4; ++id) slips.insert(QString::number(id), fendle::Slip::create(id));
    trash.insert(QStringLiteral("5"), fendle::Slip::create(5));
    box.setSlips(slips, trash);
    return box;
}

QByteArray exchangeAround(const QByteArray& block) {
    fendle::KeyedArchiver archiver;
    fendle::SlipArchiving::registerCodec(archiver);
    auto received = fendle::Slip::create(2);
    received->setModificationByMobileVersion(1 | 8 | 64);
    received->setAppendedTextWithoutLastModificationDate(QStringLiteral("+"));
    archiver.encodeObject(QStringLiteral("modifiedSlips"), fendle::ArchiveValue::list({fendle::SlipArchiving::wrap(received)}));
    archiver.encodeObject(QStringLiteral("dataBlock"), fendle::ArchiveValue(block));
    return archiver.finish();
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    // Log lines of refused files would only slow the fuzzer down.
    static const bool quiet = (fendle::setLogSink([](const QString&) {}), true);
    (void)quiet;
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    fendle::BoxData box = storedBox();
    (void)fendle::BoxFile::loadBoxData(box, bytes);
    fendle::BoxData other = storedBox();
    (void)fendle::BoxFile::loadBoxData(other, exchangeAround(bytes));
    return 0;
}
