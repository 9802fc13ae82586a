#pragma once

namespace fendle {

// The boxes' cache-generation timers, restarted when their interval changes.
class CacheTimers {
public:
    virtual ~CacheTimers() = default;
    virtual void restartCacheTimers() = 0;
};

}  // namespace fendle
