#include "TestSupport.h"

#include <QCoreApplication>
#include <QFile>
#include <QTest>
#include <QThread>

#include <cstring>
#include <stdexcept>

QString ScriptedUserInteraction::chooseFile(const FileDialogRequest& request) {
    fileDialogs.append(request);
    return nextFiles.isEmpty() ? QString() : nextFiles.takeFirst();
}

Answer ScriptedUserInteraction::showMessage(const MessageRequest& request) {
    messages.append(request);
    if (onMessage)
        onMessage(request);
    // A box without its text leaves the user guessing: whichever test makes
    // the program show one fails.
    if (request.text.trimmed().isEmpty())
        QTest::qFail("a message box was shown without a text", __FILE__, __LINE__);
    // A dialog belongs on the application's thread, whichever thread the
    // command runs on.
    if (QCoreApplication::instance() &&
        QThread::currentThread() != QCoreApplication::instance()->thread())
        QTest::qFail("a message box was shown off the application's thread", __FILE__, __LINE__);
    if (!nextAnswers.isEmpty())
        return nextAnswers.takeFirst();
    return request.defaultButton;
}

int32_t RecordingLinkApi::record(const QString& name, const QStringList& arguments) {
    calls.append(name + '(' + arguments.join(',') + ')');
    if (QCoreApplication::instance() &&
        QThread::currentThread() == QCoreApplication::instance()->thread())
        callsOnAppThread.append(calls.last());
    return results.value(name, 0);
}

namespace {
QString text(const char* value) {
    return value ? QString::fromLatin1(value) : QStringLiteral("null");
}
QString number(int32_t value) {
    return QString::number(value);
}
constexpr int RegisterCount = 87;
constexpr int SlotSize = 256;
} // namespace

int32_t RecordingLinkApi::LinkStartup() {
    return record("LinkStartup", {});
}
int32_t RecordingLinkApi::LinkCleanup() {
    return record("LinkCleanup", {});
}
int32_t RecordingLinkApi::LinkCreate() {
    record("LinkCreate", {});
    return Handle;
}
int32_t RecordingLinkApi::LinkSetPort(int32_t handle, const char* port, const char* fallbackPort) {
    return record("LinkSetPort", {number(handle), text(port), text(fallbackPort)});
}
int32_t RecordingLinkApi::LinkConfigure(int32_t handle, const char* options) {
    return record("LinkConfigure", {number(handle), text(options)});
}
int32_t RecordingLinkApi::LinkClose(int32_t handle) {
    return record("LinkClose", {number(handle)});
}
int32_t RecordingLinkApi::LinkDestroy(int32_t handle) {
    return record("LinkDestroy", {number(handle)});
}
int32_t RecordingLinkApi::LinkConnect(int32_t handle, const char* password) {
    return record("LinkConnect", {number(handle), text(password)});
}
int32_t RecordingLinkApi::LinkQueryUnit(int32_t handle, int32_t*, int32_t*) {
    return record("LinkQueryUnit", {number(handle)});
}
int32_t RecordingLinkApi::LinkPrepareTransfer(int32_t handle) {
    return record("LinkPrepareTransfer", {number(handle)});
}
int32_t RecordingLinkApi::LinkWriteRegister(int32_t handle, int32_t reg, const unsigned char* slot,
                                            int32_t reserved1, int32_t reserved2) {
    record("LinkWriteRegister",
           {number(handle), number(reg), number(reserved1), number(reserved2)});
    const int32_t result = writeResults.value(reg, results.value("LinkWriteRegister"));
    if (result == 0 && reg >= 1 && reg <= RegisterCount) {
        writtenImage.resize(RegisterCount * SlotSize, '\0');
        std::memcpy(writtenImage.data() + (reg - 1) * SlotSize, slot, SlotSize);
        if (unitKeepsWrites) {
            unitImage.resize(RegisterCount * SlotSize, '\0');
            std::memcpy(unitImage.data() + (reg - 1) * SlotSize, slot, SlotSize);
        }
    }
    return result;
}
int32_t RecordingLinkApi::LinkReadRegister(int32_t handle, int32_t reg, unsigned char* slot,
                                           int32_t* length, int32_t reserved) {
    record("LinkReadRegister", {number(handle), number(reg), number(reserved)});
    const int32_t result = readResults.value(reg, results.value("LinkReadRegister"));
    if (result == 0 && reg >= 1 && reg <= RegisterCount) {
        const QByteArray source = unitImage.mid((reg - 1) * SlotSize, SlotSize);
        std::memset(slot, 0, SlotSize);
        std::memcpy(slot, source.constData(), source.size());
        if (length)
            *length = SlotSize;
    }
    return result;
}
int32_t RecordingLinkApi::LinkFinishTransfer(int32_t handle) {
    return record("LinkFinishTransfer", {number(handle)});
}
int32_t RecordingLinkApi::LinkSetClock(int32_t handle, const unsigned char* clock) {
    clockRecord = QByteArray(reinterpret_cast<const char*>(clock), 8);
    return record("LinkSetClock", {number(handle)});
}
int32_t RecordingLinkApi::LinkUploadVoice(int32_t handle, int32_t count,
                                          const char* const* fileNames,
                                          LinkProgressCallback progress, intptr_t context) {
    uploadedFiles.clear();
    uploadedContents.clear();
    for (int32_t i = 0; i < count; ++i) {
        uploadedFiles << QFile::decodeName(fileNames[i]);
        QFile file(uploadedFiles.last());
        uploadedContents << (file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray());
    }
    if (duringUpload)
        duringUpload();
    for (int32_t position : uploadProgress)
        progress(context, position);
    return record("LinkUploadVoice", {number(handle), number(count)});
}

QByteArray readFile(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw std::runtime_error("cannot read " + path.toStdString());
    return file.readAll();
}

void writeFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
        throw std::runtime_error("cannot write " + path.toStdString());
}

int32_t RecordingLinkApi::LinkGetOpenError(int32_t, int32_t* reason, int32_t* osError, char* device,
                                           int32_t deviceSize) {
    if (reason)
        *reason = openReason;
    if (osError)
        *osError = 0;
    if (device && deviceSize > 0)
        qstrncpy(device, openDevice.constData(), size_t(deviceSize));
    return LINK_OK;
}
