#pragma once
#include <csignal>
#include <sys/resource.h>

namespace fendle::test {

// While it lives, this process cannot make any file larger than the limit:
// writes beyond it fail with EFBIG, as writes to a full disk fail, instead
// of ending the process with SIGXFSZ. Needs no privileges: the soft limit
// goes back up to where it was (below the hard one) afterwards.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes) {
        ::getrlimit(RLIMIT_FSIZE, &before_);
        handlerBefore_ = std::signal(SIGXFSZ, SIG_IGN);
        const struct rlimit limited {bytes, before_.rlim_max};
        ::setrlimit(RLIMIT_FSIZE, &limited);
    }
    ~FileSizeLimit() {
        ::setrlimit(RLIMIT_FSIZE, &before_);
        std::signal(SIGXFSZ, handlerBefore_);
    }
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;

private:
    struct rlimit before_ {};
    void (*handlerBefore_)(int) = SIG_DFL;
};

}  // namespace fendle::test
