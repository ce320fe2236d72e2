/* The unit link library: the C interface through which Quillary reaches a
 * VELK unit over a serial line. Every call is blocking, returns within a few
 * seconds, and gives 0 for success. Texts are zero-terminated 8-bit texts.
 *
 * Session calls: LinkStartup once per process, LinkCreate for a handle,
 * LinkSetPort and LinkConfigure to choose the line; LinkClose and LinkDestroy
 * when done, LinkCleanup at the end of the process. The unit calls open the
 * line on LinkConnect and keep it open until LinkClose.
 *
 * Results other than 0 are listed in docs/link-protocol.md; 8 from LinkConnect
 * means the unit is password protected. */
#ifndef VELKLINK_H
#define VELKLINK_H

#include <stdint.h>

#ifdef __cplusplus
extern "C" {
#endif

#if defined(__GNUC__)
#define VELKLINK_API __attribute__((visibility("default")))
#else
#define VELKLINK_API
#endif

enum {
    LINK_OK = 0,
    LINK_ERR_BAD_HANDLE = 1,
    LINK_ERR_BAD_ARGUMENT = 2,
    LINK_ERR_NO_DEVICE = 3, /* the port's device cannot be found or opened */
    LINK_ERR_NOT_CONNECTED = 4,
    LINK_ERR_TIMEOUT = 5,      /* the unit did not answer in time, even after retries */
    LINK_ERR_IO = 6,           /* the line failed or went away */
    LINK_ERR_PROTOCOL = 7,     /* the unit's answers stayed malformed after retries */
    LINK_ERR_PASSWORD = 8,     /* the unit is password protected */
    LINK_ERR_REFUSED = 9,      /* the unit refused the request */
    LINK_ERR_FILE = 10,        /* a voice file cannot be read */
    LINK_ERR_NOT_STARTED = 11, /* LinkStartup has not been called */
    LINK_ERR_NO_MEMORY = 12,   /* the library ran out of memory; the link is unchanged */
    LINK_ERR_INTERNAL = 13     /* an unexpected failure inside the library */
};

/* Why the last LinkConnect on a handle could not open its port's device, as
 * LinkGetOpenError tells it. */
enum {
    LINK_OPEN_OK = 0,         /* the device was opened (or no open was tried yet) */
    LINK_OPEN_NO_DEVICE = 1,  /* no device behind the port, or the path does not exist */
    LINK_OPEN_PERMISSION = 2, /* the user may not open the device */
    LINK_OPEN_BUSY = 3,       /* another program holds the device */
    LINK_OPEN_NOT_SERIAL = 4, /* the path is not a serial device */
    LINK_OPEN_NO_UART = 5,    /* a COM port whose device has no UART behind it */
    LINK_OPEN_OTHER = 6       /* any other failure; the system's error number tells it */
};

/* Called on the caller's thread with the context given to LinkUploadVoice
 * and a position from 0 to 100. */
typedef void (*LinkProgressCallback)(intptr_t context, int32_t position);

VELKLINK_API int32_t LinkStartup(void);
VELKLINK_API int32_t LinkCleanup(void);
VELKLINK_API int32_t LinkCreate(void);
VELKLINK_API int32_t LinkSetPort(int32_t handle, const char* port, const char* fallbackPort);
VELKLINK_API int32_t LinkConfigure(int32_t handle, const char* options);
VELKLINK_API int32_t LinkClose(int32_t handle);
VELKLINK_API int32_t LinkDestroy(int32_t handle);

VELKLINK_API int32_t LinkConnect(int32_t handle, const char* password);
VELKLINK_API int32_t LinkQueryUnit(int32_t handle, int32_t* model, int32_t* firmware);
VELKLINK_API int32_t LinkPrepareTransfer(int32_t handle);
VELKLINK_API int32_t LinkWriteRegister(int32_t handle, int32_t reg, const unsigned char* slot,
                                       int32_t reserved1, int32_t reserved2);
VELKLINK_API int32_t LinkReadRegister(int32_t handle, int32_t reg, unsigned char* slot,
                                      int32_t* length, int32_t reserved);
VELKLINK_API int32_t LinkFinishTransfer(int32_t handle);
VELKLINK_API int32_t LinkSetClock(int32_t handle, const unsigned char* record);
VELKLINK_API int32_t LinkUploadVoice(int32_t handle, int32_t count, const char* const* fileNames,
                                     LinkProgressCallback progress, intptr_t context);

/* After LinkConnect gave LINK_ERR_NO_DEVICE: *reason is one of LINK_OPEN_*,
 * *osError the system's error number (errno) of the failed open, and device
 * (deviceSize bytes, zero-terminated, cut if need be) the path last tried, or
 * the port text when no path was found. Any pointer may be null. */
VELKLINK_API int32_t LinkGetOpenError(int32_t handle, int32_t* reason, int32_t* osError,
                                      char* device, int32_t deviceSize);

#ifdef __cplusplus
}
#endif

#endif
