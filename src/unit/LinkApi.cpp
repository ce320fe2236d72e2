#include "unit/LinkApi.h"

int32_t LibraryLinkApi::LinkStartup() {
    return ::LinkStartup();
}
int32_t LibraryLinkApi::LinkCleanup() {
    return ::LinkCleanup();
}
int32_t LibraryLinkApi::LinkCreate() {
    return ::LinkCreate();
}
int32_t LibraryLinkApi::LinkSetPort(int32_t handle, const char* port, const char* fallbackPort) {
    return ::LinkSetPort(handle, port, fallbackPort);
}
int32_t LibraryLinkApi::LinkConfigure(int32_t handle, const char* options) {
    return ::LinkConfigure(handle, options);
}
int32_t LibraryLinkApi::LinkClose(int32_t handle) {
    return ::LinkClose(handle);
}
int32_t LibraryLinkApi::LinkDestroy(int32_t handle) {
    return ::LinkDestroy(handle);
}
int32_t LibraryLinkApi::LinkConnect(int32_t handle, const char* password) {
    return ::LinkConnect(handle, password);
}
int32_t LibraryLinkApi::LinkQueryUnit(int32_t handle, int32_t* model, int32_t* firmware) {
    return ::LinkQueryUnit(handle, model, firmware);
}
int32_t LibraryLinkApi::LinkPrepareTransfer(int32_t handle) {
    return ::LinkPrepareTransfer(handle);
}
int32_t LibraryLinkApi::LinkWriteRegister(int32_t handle, int32_t reg, const unsigned char* slot,
                                          int32_t reserved1, int32_t reserved2) {
    return ::LinkWriteRegister(handle, reg, slot, reserved1, reserved2);
}
int32_t LibraryLinkApi::LinkReadRegister(int32_t handle, int32_t reg, unsigned char* slot,
                                         int32_t* length, int32_t reserved) {
    return ::LinkReadRegister(handle, reg, slot, length, reserved);
}
int32_t LibraryLinkApi::LinkFinishTransfer(int32_t handle) {
    return ::LinkFinishTransfer(handle);
}
int32_t LibraryLinkApi::LinkSetClock(int32_t handle, const unsigned char* record) {
    return ::LinkSetClock(handle, record);
}
int32_t LibraryLinkApi::LinkUploadVoice(int32_t handle, int32_t count, const char* const* fileNames,
                                        LinkProgressCallback progress, intptr_t context) {
    return ::LinkUploadVoice(handle, count, fileNames, progress, context);
}
