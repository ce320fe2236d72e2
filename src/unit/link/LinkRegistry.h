// Internal to the link library: the table of links behind the handles.
#pragma once

#include "LinkWire.h"
#include "velklink.h"

#include <cstdint>
#include <map>
#include <memory>
#include <mutex>
#include <new>
#include <string>

namespace velklink {

struct Link {
    std::string port;              // as given to LinkSetPort, e.g. "COM1" or "USB1"
    std::string fallbackPort;      // second port text of LinkSetPort
    std::string options;           // text given to LinkConfigure
    int fd = -1;                   // the open serial device, -1 while closed
    bool connected = false;        // the unit accepted LinkConnect on this opening of fd
    int openReason = LINK_OPEN_OK; // why the last connect could not open the device
    int openErrno = 0;
    std::string openDevice; // the path last tried (or the port text)
    int baud = 115200;      // line rate, from "baud=N" in the options
    uint8_t seq = 0;        // sequence number of the last request sent
    wire::FrameDecoder decoder;
    int busy = 0;        // unit calls running on this link (a callback may re-enter)
    bool doomed = false; // destroyed while busy: forgotten when the last call ends
};

// Closes the link's device if it is open and forgets the connection.
void closeDevice(Link& link);

// Owns the links. Calls are serialised by one recursive lock, which a progress
// callback may re-enter; a link destroyed from inside a callback stays alive
// until the call that made the callback returns.
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
        if (it == links_.end() || it->second->doomed)
            return LINK_ERR_BAD_HANDLE;
        BusyGuard busy(*this, handle, *it->second);
        return fn(*it->second);
    }

private:
    // Marks a link busy for one call and forgets a link destroyed meanwhile
    // when the last call ends, however the call ends.
    class BusyGuard {
    public:
        BusyGuard(LinkRegistry& registry, int32_t handle, Link& link)
            : registry_(registry), handle_(handle), link_(link) {
            ++link_.busy;
        }
        ~BusyGuard() {
            if (--link_.busy == 0 && link_.doomed)
                registry_.links_.erase(handle_);
        }
        BusyGuard(const BusyGuard&) = delete;
        BusyGuard& operator=(const BusyGuard&) = delete;

    private:
        LinkRegistry& registry_;
        int32_t handle_;
        Link& link_;
    };

    LinkRegistry() = default;
    std::recursive_mutex mutex_;
    bool started_ = false;
    int32_t nextHandle_ = 1;
    std::map<int32_t, std::unique_ptr<Link>> links_;
};

// Runs the body of a C entry point: no C++ exception may cross the C
// interface, so each becomes a result.
template <typename Fn> int32_t guarded(Fn&& fn) noexcept {
    try {
        return fn();
    } catch (const std::bad_alloc&) {
        return LINK_ERR_NO_MEMORY;
    } catch (...) {
        return LINK_ERR_INTERNAL;
    }
}

// The body of a C entry point that works on one link.
template <typename Fn> int32_t onLink(int32_t handle, Fn&& fn) noexcept {
    return guarded([&] { return LinkRegistry::instance().with(handle, fn); });
}

} // namespace velklink
