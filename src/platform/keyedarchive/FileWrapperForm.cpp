#include "platform/keyedarchive/FileWrapperForm.h"

#include <QtEndian>
#include <vector>

namespace fendle {

namespace {
constexpr quint32 DataRecord = 1;
constexpr quint32 TableRecord = 3;
constexpr quint32 PaddedLength = 0x80000000u;

const QByteArray ContentsName = "..";
const QByteArray PreferredName = "__@PreferredName@__";
const QByteArray Utf8PreferredName = "__@UTF8PreferredName@__";
const QByteArray MetadataName = ".";

void putU32(QByteArray& out, quint32 v) {
    char b[4];
    qToLittleEndian(v, b);
    out.append(b, 4);
}

QByteArray dataRecord(const QByteArray& data) {
    QByteArray r;
    putU32(r, DataRecord);
    putU32(r, static_cast<quint32>(data.size()));
    r.append(data);
    return r;
}

class Cursor {
public:
    Cursor(const QByteArray& bytes, qsizetype at, qsizetype end) : bytes_(bytes), at_(at), end_(end) {}
    bool u32(quint32& v) {
        if (end_ - at_ < 4) return false;
        v = qFromLittleEndian<quint32>(bytes_.constData() + at_);
        at_ += 4;
        return true;
    }
    bool take(quint64 n, QByteArray& out) {
        if (n > static_cast<quint64>(end_ - at_)) return false;
        out = bytes_.mid(at_, static_cast<qsizetype>(n));
        at_ += static_cast<qsizetype>(n);
        return true;
    }
    bool skip(quint64 n) {
        if (n > static_cast<quint64>(end_ - at_)) return false;
        at_ += static_cast<qsizetype>(n);
        return true;
    }
    qsizetype at() const { return at_; }

private:
    const QByteArray& bytes_;
    qsizetype at_;
    qsizetype end_;
};

struct Table {
    std::vector<QByteArray> names;
    std::vector<QByteArray> data;      // data records only
    std::vector<bool> isData;
};

bool readDataRecord(Cursor& c, QByteArray& out) {
    quint32 length = 0;
    if (!c.u32(length)) return false;
    if (length == PaddedLength) {
        quint32 real = 0, padding = 0;
        if (!c.u32(real) || !c.u32(padding) || !c.skip(padding)) return false;
        length = real;
    }
    return c.take(length, out);
}

bool readTable(const QByteArray& bytes, qsizetype at, qsizetype end, Table& table) {
    Cursor c(bytes, at, end);
    quint32 count = 0;
    if (!c.u32(count) || count > static_cast<quint32>((end - at) / 8)) return false;
    for (quint32 i = 0; i < count; ++i) {
        quint32 length = 0;
        QByteArray name;
        if (!c.u32(length) || !c.take(length, name)) return false;
        table.names.push_back(name);
    }
    std::vector<quint32> sizes(count);
    for (quint32& size : sizes)
        if (!c.u32(size)) return false;
    for (quint32 i = 0; i < count; ++i) {
        const qsizetype start = c.at();
        if (sizes[i] < 4 || sizes[i] > static_cast<quint64>(end - start)) return false;
        Cursor record(bytes, start, start + sizes[i]);
        quint32 type = 0;
        record.u32(type);
        QByteArray data;
        const bool isData = type == DataRecord;
        if (isData && !readDataRecord(record, data)) return false;
        if (!isData && type != TableRecord) return false;
        table.isData.push_back(isData);
        table.data.push_back(data);
        c.skip(sizes[i]);
    }
    return true;
}

QByteArray entry(const Table& table, const QByteArray& name) {
    for (size_t i = 0; i < table.names.size(); ++i)
        if (table.names[i] == name && table.isData[i]) return table.data[i];
    return {};
}

bool hasEntry(const Table& table, const QByteArray& name) {
    for (const QByteArray& n : table.names)
        if (n == name) return true;
    return false;
}
}  // namespace

QByteArray serializeRegularFile(const WrappedFile& file) {
    const QByteArray utf8Name = file.fileName.toUtf8();
    QByteArray metadata;
    putU32(metadata, 1);
    putU32(metadata, 2);
    metadata.append(ContentsName);
    putU32(metadata, 16);
    for (quint32 v : {0u, 0644u, 2u, 1u}) putU32(metadata, v);
    const std::vector<std::pair<QByteArray, QByteArray>> entries{
        {ContentsName, dataRecord(file.contents)},
        {PreferredName, dataRecord(file.fileName.toLatin1())},
        {Utf8PreferredName, dataRecord(utf8Name)},
        {MetadataName, dataRecord(metadata)},
    };
    QByteArray out("rtfd");
    putU32(out, 0);
    putU32(out, TableRecord);
    putU32(out, static_cast<quint32>(entries.size()));
    for (const auto& e : entries) {
        putU32(out, static_cast<quint32>(e.first.size()));
        out.append(e.first);
    }
    for (const auto& e : entries) putU32(out, static_cast<quint32>(e.second.size()));
    for (const auto& e : entries) out.append(e.second);
    return out;
}

Result<WrappedFile> parseSerializedFileWrapper(const QByteArray& bytes) {
    using R = Result<WrappedFile>;
    Cursor c(bytes, 0, bytes.size());
    QByteArray magic;
    quint32 zero = 1, type = 0;
    if (!c.take(4, magic) || magic != "rtfd" || !c.u32(zero) || !c.u32(type) || type != TableRecord)
        return R::failure(QStringLiteral("attachment file is not in the serialized file-wrapper form"));
    Table table;
    if (!readTable(bytes, c.at(), bytes.size(), table))
        return R::failure(QStringLiteral("attachment file wrapper is damaged"));
    if (!hasEntry(table, ContentsName))
        return R::failure(QStringLiteral("attachment file wrapper is a folder"));
    WrappedFile file;
    file.contents = entry(table, ContentsName);
    const QByteArray utf8 = entry(table, Utf8PreferredName);
    file.fileName = !utf8.isEmpty() ? QString::fromUtf8(utf8) : QString::fromLatin1(entry(table, PreferredName));
    return file;
}

}  // namespace fendle
