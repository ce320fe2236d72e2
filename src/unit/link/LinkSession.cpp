#include "LinkRegistry.h"
#include "velklink.h"

#include <unistd.h>

namespace velklink {

void closeDevice(Link& link) {
    if (link.fd >= 0) {
        ::close(link.fd);
        link.fd = -1;
    }
    link.connected = false;
    link.decoder.reset();
}

LinkRegistry& LinkRegistry::instance() {
    static LinkRegistry registry;
    return registry;
}

void LinkRegistry::startup() {
    std::lock_guard lock(mutex_);
    started_ = true;
}

void LinkRegistry::cleanup() {
    std::lock_guard lock(mutex_);
    for (auto it = links_.begin(); it != links_.end();) {
        closeDevice(*it->second);
        if (it->second->busy > 0) {
            it->second->doomed = true;
            ++it;
        } else {
            it = links_.erase(it);
        }
    }
    started_ = false;
}

int32_t LinkRegistry::create() {
    std::lock_guard lock(mutex_);
    if (!started_)
        return 0;
    const int32_t handle = nextHandle_++;
    links_.emplace(handle, std::make_unique<Link>());
    return handle;
}

bool LinkRegistry::destroy(int32_t handle) {
    std::lock_guard lock(mutex_);
    auto it = links_.find(handle);
    if (it == links_.end() || it->second->doomed)
        return false;
    closeDevice(*it->second);
    if (it->second->busy > 0)
        it->second->doomed = true;
    else
        links_.erase(it);
    return true;
}

} // namespace velklink

using velklink::Link;
using velklink::LinkRegistry;

extern "C" {

int32_t LinkStartup(void) {
    return velklink::guarded([&]() -> int32_t {
        LinkRegistry::instance().startup();
        return LINK_OK;
    });
}

int32_t LinkCleanup(void) {
    return velklink::guarded([&]() -> int32_t {
        LinkRegistry::instance().cleanup();
        return LINK_OK;
    });
}

int32_t LinkCreate(void) {
    // Handles are positive: 0 says that no link was made.
    try {
        return LinkRegistry::instance().create();
    } catch (...) {
        return 0;
    }
}

int32_t LinkSetPort(int32_t handle, const char* port, const char* fallbackPort) {
    return velklink::guarded([&]() -> int32_t {
        if (!port)
            return LINK_ERR_BAD_ARGUMENT;
        return LinkRegistry::instance().with(handle, [&](Link& link) {
            velklink::closeDevice(link); // a new port takes effect on the next connect
            link.port = port;
            link.fallbackPort = fallbackPort ? fallbackPort : "";
            return LINK_OK;
        });
    });
}

int32_t LinkConfigure(int32_t handle, const char* options) {
    return velklink::onLink(handle, [&](Link& link) {
        link.options = options ? options : "";
        return LINK_OK;
    });
}

int32_t LinkClose(int32_t handle) {
    return velklink::onLink(handle, [](Link& link) {
        velklink::closeDevice(link);
        return LINK_OK;
    });
}

int32_t LinkDestroy(int32_t handle) {
    return velklink::guarded([&]() -> int32_t {
        return LinkRegistry::instance().destroy(handle) ? LINK_OK : LINK_ERR_BAD_HANDLE;
    });
}

} // extern "C"
