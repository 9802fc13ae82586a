#pragma once
#include "platform/system/Result.h"

#include <QByteArray>
#include <QString>
#include <functional>
#include <memory>

namespace fendle {

// A file read by mapping it into memory instead of copying it: its pages
// stay the system's file cache, which the box's own memory does not hold
// twice. bytes() is valid only while the MappedFile lives.
//
// A mapped file that another program shortens while it is read would stop
// the process; here the missing pages read as zero bytes instead (a reader
// checks everything it reads anyway) and wasCut() tells that it happened.
class MappedFile {
public:
    ~MappedFile();
    MappedFile(const MappedFile&) = delete;
    MappedFile& operator=(const MappedFile&) = delete;

    // Refuses files above maxSize bytes. An empty file maps to no bytes.
    static Result<std::unique_ptr<MappedFile>> open(const QString& path, qint64 maxSize);

    // The file's bytes without a copy (raw data over the mapping).
    QByteArray bytes() const;
    qint64 size() const { return size_; }
    bool wasCut() const;

    // Gives back the pages read so far; they are read again from the file
    // cache when touched. A long sequential read calls this now and then so
    // that the whole file is never resident in this process at once.
    void releaseResidentPages() const;
    // The same for the mapping that holds address, if any (no-op otherwise).
    static void releaseResidentPagesAt(const void* address);

private:
    MappedFile() = default;
    char* data_ = nullptr;
    qint64 size_ = 0;
    int slot_ = -1;
};

// Runs read over the bytes of the file at path, mapped; the bytes must not
// be kept beyond it. Fails when the file was cut short while it was read.
template <typename T>
Result<T> readMappedFile(const QString& path, qint64 maxSize, const std::function<Result<T>(const QByteArray&)>& read) {
    auto file = MappedFile::open(path, maxSize);
    if (!file) return Result<T>::failure(file.error());
    Result<T> result = read((*file)->bytes());
    if ((*file)->wasCut()) return Result<T>::failure(QStringLiteral("%1 was changed by another program while it was read").arg(path));
    return result;
}

}  // namespace fendle
