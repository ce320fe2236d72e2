// The application's seam to the unit link library: the library's calls, same
// names and arguments, behind an interface that tests replace.
#pragma once

#include "velklink.h"

#include <QString>
#include <cstdint>

class LinkApi {
public:
    virtual ~LinkApi() = default;

    virtual int32_t LinkStartup() = 0;
    virtual int32_t LinkCleanup() = 0;
    virtual int32_t LinkCreate() = 0;
    virtual int32_t LinkSetPort(int32_t handle, const char* port, const char* fallbackPort) = 0;
    virtual int32_t LinkConfigure(int32_t handle, const char* options) = 0;
    virtual int32_t LinkClose(int32_t handle) = 0;
    virtual int32_t LinkDestroy(int32_t handle) = 0;

    virtual int32_t LinkConnect(int32_t handle, const char* password) = 0;
    virtual int32_t LinkQueryUnit(int32_t handle, int32_t* model, int32_t* firmware) = 0;
    virtual int32_t LinkPrepareTransfer(int32_t handle) = 0;
    virtual int32_t LinkWriteRegister(int32_t handle, int32_t reg, const unsigned char* slot,
                                      int32_t reserved1, int32_t reserved2) = 0;
    virtual int32_t LinkReadRegister(int32_t handle, int32_t reg, unsigned char* slot,
                                     int32_t* length, int32_t reserved) = 0;
    virtual int32_t LinkFinishTransfer(int32_t handle) = 0;
    virtual int32_t LinkSetClock(int32_t handle, const unsigned char* record) = 0;
    virtual int32_t LinkUploadVoice(int32_t handle, int32_t count, const char* const* fileNames,
                                    LinkProgressCallback progress, intptr_t context) = 0;
    // The first failed step since the last reset, with what failed and why
    // ("writing register 40 failed: the unit refused the request"); empty
    // from a link that does not name its steps.
    virtual QString stepFailure() const { return {}; }
    // Of that failure: the step alone ("writing register 40"), and the
    // register when it was one; empty and 0 without a failure.
    virtual QString failedStep() const { return {}; }
    virtual int failedRegister() const { return 0; }
    virtual void resetFailure() {}
    // Why the last connect could not open the device; a link without that
    // knowledge says nothing more.
    virtual int32_t LinkGetOpenError(int32_t, int32_t* reason, int32_t* osError, char* device,
                                     int32_t deviceSize) {
        if (reason)
            *reason = LINK_OPEN_OK;
        if (osError)
            *osError = 0;
        if (device && deviceSize > 0)
            *device = '\0';
        return LINK_OK;
    }
};

// Forwards every call to the link library.
class LibraryLinkApi final : public LinkApi {
public:
    int32_t LinkStartup() override;
    int32_t LinkCleanup() override;
    int32_t LinkCreate() override;
    int32_t LinkSetPort(int32_t handle, const char* port, const char* fallbackPort) override;
    int32_t LinkConfigure(int32_t handle, const char* options) override;
    int32_t LinkClose(int32_t handle) override;
    int32_t LinkDestroy(int32_t handle) override;
    int32_t LinkConnect(int32_t handle, const char* password) override;
    int32_t LinkQueryUnit(int32_t handle, int32_t* model, int32_t* firmware) override;
    int32_t LinkPrepareTransfer(int32_t handle) override;
    int32_t LinkWriteRegister(int32_t handle, int32_t reg, const unsigned char* slot,
                              int32_t reserved1, int32_t reserved2) override;
    int32_t LinkReadRegister(int32_t handle, int32_t reg, unsigned char* slot, int32_t* length,
                             int32_t reserved) override;
    int32_t LinkFinishTransfer(int32_t handle) override;
    int32_t LinkSetClock(int32_t handle, const unsigned char* record) override;
    int32_t LinkUploadVoice(int32_t handle, int32_t count, const char* const* fileNames,
                            LinkProgressCallback progress, intptr_t context) override;
    int32_t LinkGetOpenError(int32_t handle, int32_t* reason, int32_t* osError, char* device,
                             int32_t deviceSize) override;
};

// The second line under "Error communicating with unit !" after a connect
// that could not open the device: the device and what to do about it. Empty
// when the link does not know.
QString openErrorText(LinkApi& link, int32_t handle);
