// A LinkApi that passes every call on to another and names each step to a
// progress sink as it starts ("writing register 40 of 87", "sending voice
// file H03.WAV"), and keeps the first failure with what failed and why, so
// that a failure can say which register or file it was and whether the unit
// refused, did not answer, or the line was lost.
#pragma once

#include "seams/ProgressSink.h"
#include "unit/LinkApi.h"

#include <QString>
#include <QStringList>
#include <QVector>

class StepNamingLinkApi final : public LinkApi {
public:
    // Steps and read progress go to `steps` when given.
    StepNamingLinkApi(LinkApi& inner, ProgressSink* steps) : inner_(inner), steps_(steps) {}

    // The first failed call since the last reset, as "writing register 40
    // failed: the unit refused the request"; empty when none failed.
    const QString& failure() const { return failure_; }
    void resetFailure() override {
        failure_.clear();
        failedStep_.clear();
        failedRegister_ = 0;
    }
    QString stepFailure() const override { return failure_; }
    QString failedStep() const override { return failedStep_; }
    int failedRegister() const override { return failedRegister_; }
    // What the last Query answered; 0 before any.
    int lastModel() const { return model_; }
    int lastFirmware() const { return firmware_; }
    // How the port is named in a failure to connect, e.g. "COM3" or a device path.
    void setPortName(const QString& name) { portName_ = name; }

    int32_t LinkStartup() override { return inner_.LinkStartup(); }
    int32_t LinkCleanup() override { return inner_.LinkCleanup(); }
    int32_t LinkCreate() override { return inner_.LinkCreate(); }
    int32_t LinkSetPort(int32_t handle, const char* port, const char* fallbackPort) override {
        return inner_.LinkSetPort(handle, port, fallbackPort);
    }
    int32_t LinkConfigure(int32_t handle, const char* options) override {
        return inner_.LinkConfigure(handle, options);
    }
    int32_t LinkClose(int32_t handle) override { return inner_.LinkClose(handle); }
    int32_t LinkDestroy(int32_t handle) override { return inner_.LinkDestroy(handle); }
    int32_t LinkGetOpenError(int32_t handle, int32_t* reason, int32_t* osError, char* device,
                             int32_t deviceSize) override {
        return inner_.LinkGetOpenError(handle, reason, osError, device, deviceSize);
    }

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

private:
    // Names the step, then checks the call's result.
    int32_t step(const QString& what, int32_t result, int reg = 0);
    static void uploadProgress(intptr_t self, int32_t position);
    void setStep(const QString& what);
    void onUploadProgress(int32_t position);

    LinkApi& inner_;
    ProgressSink* steps_;
    int model_ = 0;
    int firmware_ = 0;
    QString failure_;
    QString failedStep_;
    int failedRegister_ = 0;
    QString portName_;

    // The upload under way: its files, their sizes, and the caller's callback.
    struct Upload {
        QStringList names;
        QVector<qint64> ends; // where each file ends in the whole upload, in bytes
        int current = -1;
        LinkProgressCallback callback = nullptr;
        intptr_t context = 0;
    } upload_;
};

// What a link library result means, for a message.
QString linkResultText(int32_t result);
