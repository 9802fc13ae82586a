#include "platform/files/MappedFile.h"

#include <QFile>
#include <atomic>
#include <csignal>
#include <mutex>

#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

namespace fendle {

namespace {
// The mappings the bus-error handler may repair. A handler can only read
// plain atomics, so this is a fixed table rather than a container.
constexpr int MaxMappings = 64;
struct Mapping {
    std::atomic<char*> start{nullptr};
    std::atomic<qint64> length{0};
    std::atomic<bool> cut{false};
};
Mapping mappings[MaxMappings];
struct sigaction previousHandler;
std::once_flag handlerInstalled;

int slotOf(const void* address) {
    const char* at = static_cast<const char*>(address);
    for (int i = 0; i < MaxMappings; ++i) {
        const char* start = mappings[i].start.load();
        if (start && at >= start && at < start + mappings[i].length.load()) return i;
    }
    return -1;
}

void onBusError(int signal, siginfo_t* info, void* context) {
    const int slot = slotOf(info->si_addr);
    if (slot >= 0) {
        // Put a page of zeros where the file ended; the read then goes on.
        const long pageSize = sysconf(_SC_PAGESIZE);
        const auto page = reinterpret_cast<uintptr_t>(info->si_addr) & ~static_cast<uintptr_t>(pageSize - 1);
        if (mmap(reinterpret_cast<void*>(page), static_cast<size_t>(pageSize), PROT_READ,
                 MAP_PRIVATE | MAP_ANONYMOUS | MAP_FIXED, -1, 0) != MAP_FAILED) {
            mappings[slot].cut.store(true);
            return;
        }
    }
    if (previousHandler.sa_flags & SA_SIGINFO) {
        if (previousHandler.sa_sigaction) previousHandler.sa_sigaction(signal, info, context);
        return;
    }
    if (previousHandler.sa_handler != SIG_DFL && previousHandler.sa_handler != SIG_IGN) {
        previousHandler.sa_handler(signal);
        return;
    }
    ::signal(signal, SIG_DFL);
    ::raise(signal);
}

void installHandler() {
    struct sigaction action {};
    action.sa_sigaction = onBusError;
    action.sa_flags = SA_SIGINFO | SA_NODEFER;
    sigemptyset(&action.sa_mask);
    sigaction(SIGBUS, &action, &previousHandler);
}

std::mutex slotsLock;

int claimSlot(char* start, qint64 length) {
    const std::lock_guard lock(slotsLock);
    for (int i = 0; i < MaxMappings; ++i) {
        if (mappings[i].start.load()) continue;
        mappings[i].length.store(length);
        mappings[i].cut.store(false);
        mappings[i].start.store(start);  // last: the handler looks at start first
        return i;
    }
    return -1;
}

void freeSlot(int slot) {
    const std::lock_guard lock(slotsLock);
    mappings[slot].start.store(nullptr);
}
}  // namespace

Result<std::unique_ptr<MappedFile>> MappedFile::open(const QString& path, qint64 maxSize) {
    using R = Result<std::unique_ptr<MappedFile>>;
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return R::failure(QStringLiteral("cannot open %1: %2").arg(path, QString::fromLocal8Bit(strerror(errno))));
    struct stat status {};
    if (fstat(fd, &status) != 0 || !S_ISREG(status.st_mode)) {
        ::close(fd);
        return R::failure(QStringLiteral("cannot open %1: not a readable file").arg(path));
    }
    if (status.st_size > maxSize) {
        ::close(fd);
        return R::failure(QStringLiteral("%1 is too large (%2 bytes)").arg(path).arg(status.st_size));
    }
    std::unique_ptr<MappedFile> file(new MappedFile);
    file->size_ = status.st_size;
    if (file->size_ > 0) {
        std::call_once(handlerInstalled, installHandler);
        void* start = mmap(nullptr, static_cast<size_t>(file->size_), PROT_READ, MAP_PRIVATE, fd, 0);
        if (start == MAP_FAILED) {
            ::close(fd);
            return R::failure(QStringLiteral("cannot read %1: %2").arg(path, QString::fromLocal8Bit(strerror(errno))));
        }
        file->data_ = static_cast<char*>(start);
        file->slot_ = claimSlot(file->data_, file->size_);
        if (file->slot_ < 0) {
            // Never an unguarded mapping.
            ::close(fd);
            return R::failure(QStringLiteral("cannot read %1: too many files open at once").arg(path));
        }
    }
    ::close(fd);
    return file;
}

MappedFile::~MappedFile() {
    // Unguard first: a page of the mapping must never fault unguarded.
    if (slot_ >= 0) freeSlot(slot_);
    if (data_) munmap(data_, static_cast<size_t>(size_));
}

QByteArray MappedFile::bytes() const { return QByteArray::fromRawData(data_, static_cast<qsizetype>(size_)); }

bool MappedFile::wasCut() const { return slot_ >= 0 && mappings[slot_].cut.load(); }

void MappedFile::releaseResidentPages() const {
    // Pages replaced by zeros after a cut are not the file's: keep them.
    if (data_ && !wasCut()) madvise(data_, static_cast<size_t>(size_), MADV_DONTNEED);
}

void MappedFile::releaseResidentPagesAt(const void* address) {
    const int slot = slotOf(address);
    if (slot < 0 || mappings[slot].cut.load()) return;
    madvise(mappings[slot].start.load(), static_cast<size_t>(mappings[slot].length.load()), MADV_DONTNEED);
}

}  // namespace fendle
