#include "unit/StepNamingLinkApi.h"

#include "config/RegisterStore.h"

#include <QCoreApplication>
#include <QFileInfo>

namespace {
// This file's texts, in the program's language.
struct StepNamingText {
    Q_DECLARE_TR_FUNCTIONS(StepNamingText)
};
} // namespace

QString linkResultText(int32_t result) {
    switch (result) {
    case LINK_ERR_BAD_HANDLE:
        return StepNamingText::tr("the link was not set up");
    case LINK_ERR_BAD_ARGUMENT:
        return StepNamingText::tr("the link library refused an argument");
    case LINK_ERR_NO_DEVICE:
        return StepNamingText::tr("the port's device cannot be found or opened");
    case LINK_ERR_NOT_CONNECTED:
        return StepNamingText::tr("the unit is not connected");
    case LINK_ERR_TIMEOUT:
        return StepNamingText::tr("the unit did not answer in time");
    case LINK_ERR_IO:
        return StepNamingText::tr("the line failed or went away");
    case LINK_ERR_PROTOCOL:
        return StepNamingText::tr("the unit's answers stayed garbled");
    case LINK_ERR_PASSWORD:
        return StepNamingText::tr("the unit is password protected");
    case LINK_ERR_REFUSED:
        return StepNamingText::tr("the unit refused the request");
    case LINK_ERR_FILE:
        return StepNamingText::tr("a voice file cannot be read");
    case LINK_ERR_NOT_STARTED:
        return StepNamingText::tr("the link library was not started");
    case LINK_ERR_NO_MEMORY:
        return StepNamingText::tr("the link library ran out of memory");
    case LINK_ERR_INTERNAL:
        return StepNamingText::tr("the link library failed inside");
    default:
        return StepNamingText::tr("the link library returned %1").arg(result);
    }
}

int32_t StepNamingLinkApi::step(const QString& what, int32_t result, int reg) {
    if (result != LINK_OK && failure_.isEmpty()) {
        failure_ = StepNamingText::tr("%1 failed: %2").arg(what, linkResultText(result));
        failedStep_ = what;
        failedRegister_ = reg;
    }
    return result;
}

int32_t StepNamingLinkApi::LinkConnect(int32_t handle, const char* password) {
    const QString what = portName_.isEmpty()
                             ? StepNamingText::tr("connecting to the unit")
                             : StepNamingText::tr("connecting to the unit on %1").arg(portName_);
    setStep(what);
    return step(what, inner_.LinkConnect(handle, password));
}

int32_t StepNamingLinkApi::LinkQueryUnit(int32_t handle, int32_t* model, int32_t* firmware) {
    const int32_t result = inner_.LinkQueryUnit(handle, model, firmware);
    if (result == LINK_OK) {
        model_ = model ? *model : 0;
        firmware_ = firmware ? *firmware : 0;
    }
    return step(StepNamingText::tr("asking the unit for its model"), result);
}

void StepNamingLinkApi::setStep(const QString& what) {
    if (steps_)
        steps_->setStep(what);
}

int32_t StepNamingLinkApi::LinkPrepareTransfer(int32_t handle) {
    return step(StepNamingText::tr("preparing the transfer"), inner_.LinkPrepareTransfer(handle));
}

int32_t StepNamingLinkApi::LinkWriteRegister(int32_t handle, int32_t reg, const unsigned char* slot,
                                             int32_t reserved1, int32_t reserved2) {
    setStep(
        StepNamingText::tr("writing register %1 of %2").arg(reg).arg(RegisterStore::RegisterCount));
    return step(StepNamingText::tr("writing register %1").arg(reg),
                inner_.LinkWriteRegister(handle, reg, slot, reserved1, reserved2), reg);
}

int32_t StepNamingLinkApi::LinkReadRegister(int32_t handle, int32_t reg, unsigned char* slot,
                                            int32_t* length, int32_t reserved) {
    // Reading moves no progress of its own in the shared command; the bar follows the registers.
    if (steps_)
        steps_->setProgress((reg - 1) * 100 / RegisterStore::RegisterCount);
    setStep(
        StepNamingText::tr("reading register %1 of %2").arg(reg).arg(RegisterStore::RegisterCount));
    return step(StepNamingText::tr("reading register %1").arg(reg),
                inner_.LinkReadRegister(handle, reg, slot, length, reserved), reg);
}

int32_t StepNamingLinkApi::LinkFinishTransfer(int32_t handle) {
    setStep(StepNamingText::tr("finishing the transfer"));
    return step(StepNamingText::tr("finishing the transfer"), inner_.LinkFinishTransfer(handle));
}

int32_t StepNamingLinkApi::LinkSetClock(int32_t handle, const unsigned char* record) {
    setStep(StepNamingText::tr("setting the clock"));
    return step(StepNamingText::tr("setting the clock"), inner_.LinkSetClock(handle, record));
}

int32_t StepNamingLinkApi::LinkUploadVoice(int32_t handle, int32_t count,
                                           const char* const* fileNames,
                                           LinkProgressCallback progress, intptr_t context) {
    upload_ = Upload{};
    qint64 total = 0;
    for (int32_t i = 0; i < count; ++i) {
        const QFileInfo file(QFile::decodeName(fileNames[i]));
        upload_.names.append(file.fileName());
        total += file.size();
        upload_.ends.append(total);
    }
    upload_.callback = progress;
    upload_.context = context;
    onUploadProgress(0);
    const int32_t result = inner_.LinkUploadVoice(handle, count, fileNames, &uploadProgress,
                                                  reinterpret_cast<intptr_t>(this));
    QString what = StepNamingText::tr("sending the voice files");
    if (upload_.current >= 0 && upload_.current < upload_.names.size())
        what = StepNamingText::tr("sending voice file %1").arg(upload_.names[upload_.current]);
    upload_ = Upload{};
    return step(what, result);
}

void StepNamingLinkApi::uploadProgress(intptr_t self, int32_t position) {
    reinterpret_cast<StepNamingLinkApi*>(self)->onUploadProgress(position);
}

void StepNamingLinkApi::onUploadProgress(int32_t position) {
    // The library reports the whole upload from 0 to 100; the file under way
    // is the one whose bytes that position falls in.
    if (!upload_.ends.isEmpty()) {
        const qint64 total = upload_.ends.last();
        const qint64 done = total * qBound(0, position, 100) / 100;
        int index = 0;
        while (index + 1 < upload_.ends.size() && done >= upload_.ends[index])
            ++index;
        if (index != upload_.current) {
            upload_.current = index;
            setStep(StepNamingText::tr("sending voice file %1 (%2 of %3)")
                        .arg(upload_.names[index])
                        .arg(index + 1)
                        .arg(upload_.names.size()));
        }
    }
    if (upload_.callback)
        upload_.callback(upload_.context, position);
    else if (steps_)
        steps_->setProgress(position);
}
