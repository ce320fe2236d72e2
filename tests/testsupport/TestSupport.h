// Fakes shared by the tests: a scripted user, a recording link library and a
// fixed clock.
#pragma once

#include "seams/Clock.h"
#include "seams/Commands.h"
#include "seams/UserInteraction.h"
#include "unit/LinkApi.h"

#include <QByteArray>
#include <QList>
#include <QMap>
#include <QString>
#include <QStringList>

#include <functional>

// Answers file dialogs and questions from queues and records what was shown.
// An empty queue cancels a file dialog and gives a message box's default. A
// message or question with no text, or shown off the application's thread,
// fails the running test.
class ScriptedUserInteraction final : public UserInteraction {
public:
    QStringList nextFiles;
    QList<Answer> nextAnswers;
    std::function<void(const MessageRequest&)> onMessage; // called before each answer

    QList<FileDialogRequest> fileDialogs;
    QList<MessageRequest> messages;
    int aboutBoxes = 0;

    QString chooseFile(const FileDialogRequest& request) override;
    Answer showMessage(const MessageRequest& request) override;
    void showAbout() override { ++aboutBoxes; }
};

// Records every call as text, e.g. "LinkSetPort(7,COM1,COM0)", and answers
// with the result set for that call's name (0 by default), or for register
// calls the result set for that register.
class RecordingLinkApi final : public LinkApi {
public:
    static constexpr int32_t Handle = 7;

    QStringList calls;
    QStringList callsOnAppThread; // those made on the application's thread
    QMap<QString, int32_t> results;
    QMap<int, int32_t> writeResults; // by register
    QMap<int, int32_t> readResults;  // by register

    QByteArray unitImage;               // what successful reads deliver, register N at slot N-1
    QByteArray writtenImage;            // what successful writes delivered
    bool unitKeepsWrites = false;       // successful writes change what reads deliver
    QByteArray clockRecord;             // the last record given to LinkSetClock
    QStringList uploadedFiles;          // the names given to LinkUploadVoice
    QList<QByteArray> uploadedContents; // what those files held during the call
    QList<int32_t> uploadProgress;      // positions LinkUploadVoice reports, in order
    std::function<void()> duringUpload; // run inside LinkUploadVoice, the files still there
    int32_t openReason = LINK_OPEN_OK;  // what LinkGetOpenError says of the last connect
    QByteArray openDevice;              // and the device it names

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

private:
    int32_t record(const QString& name, const QStringList& arguments);
};

class FixedClock final : public Clock {
public:
    QDateTime time = QDateTime(QDate(2026, 12, 6), QTime(9, 5, 3));
    QDateTime now() const override { return time; }
};

// Records the enable states a command leaves the buttons in, in order.
class RecordingCommandButtons final : public CommandButtons {
public:
    QList<EnableState> states;
    void apply(EnableState state) override { states.append(state); }
};

// Reads or writes a whole file; the test fails loudly if it cannot.
QByteArray readFile(const QString& path);
void writeFile(const QString& path, const QByteArray& bytes);

#include "unit/SerialDevices.h"

// The serial devices a test says are attached, and the changes it queues.
class FakeSerialDeviceFinder final : public SerialDeviceFinder {
public:
    QList<SerialDevice> attached;
    QList<Change> changes;

    QList<SerialDevice> devices() override { return attached; }
    std::optional<Change> waitForChange(int) override {
        if (changes.isEmpty())
            return std::nullopt;
        return changes.takeFirst();
    }
};
