// Placeholder for the calls that reach a unit; the serial protocol replaces it.
#include "LinkRegistry.h"
#include "velklink.h"

extern "C" {

int32_t LinkConnect(int32_t, const char*) { return LINK_ERR_NO_DEVICE; }
int32_t LinkQueryUnit(int32_t, int32_t*, int32_t*) { return LINK_ERR_NOT_CONNECTED; }
int32_t LinkPrepareTransfer(int32_t) { return LINK_ERR_NOT_CONNECTED; }
int32_t LinkWriteRegister(int32_t, int32_t, const unsigned char*, int32_t, int32_t) {
    return LINK_ERR_NOT_CONNECTED;
}
int32_t LinkReadRegister(int32_t, int32_t, unsigned char*, int32_t*, int32_t) {
    return LINK_ERR_NOT_CONNECTED;
}
int32_t LinkFinishTransfer(int32_t) { return LINK_ERR_NOT_CONNECTED; }
int32_t LinkSetClock(int32_t, const unsigned char*) { return LINK_ERR_NOT_CONNECTED; }
int32_t LinkUploadVoice(int32_t, int32_t, const char* const*, LinkProgressCallback, intptr_t) {
    return LINK_ERR_NOT_CONNECTED;
}

} // extern "C"
