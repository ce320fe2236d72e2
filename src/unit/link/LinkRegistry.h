// Internal to the link library: the table of links behind the handles.
#pragma once

#include "velklink.h"

#include <cstdint>
#include <map>
#include <memory>
#include <mutex>
#include <string>

namespace velklink {

struct Link {
    std::string port;         // as given to LinkSetPort, e.g. "COM1" or "USB1"
    std::string fallbackPort; // second port text of LinkSetPort
    std::string options;      // text given to LinkConfigure
    int fd = -1;              // the open serial device, -1 while closed
};

// Closes the link's device if it is open.
void closeDevice(Link& link);

// Owns the links. Calls are serialised by one recursive lock, which a progress
// callback may re-enter.
class LinkRegistry {
public:
    static LinkRegistry& instance();

    void startup();
    void cleanup(); // closes and forgets every link

    int32_t create(); // 0 when not started
    bool destroy(int32_t handle);

    // Runs fn(Link&) with the registry locked; LINK_ERR_NOT_STARTED or
    // LINK_ERR_BAD_HANDLE when there is no such link.
    template <typename Fn> int32_t with(int32_t handle, Fn&& fn) {
        std::lock_guard lock(mutex_);
        if (!started_)
            return LINK_ERR_NOT_STARTED;
        auto it = links_.find(handle);
        if (it == links_.end())
            return LINK_ERR_BAD_HANDLE;
        return fn(*it->second);
    }

private:
    LinkRegistry() = default;
    std::recursive_mutex mutex_;
    bool started_ = false;
    int32_t nextHandle_ = 1;
    std::map<int32_t, std::unique_ptr<Link>> links_;
};

} // namespace velklink
