// Exceptions raised by the zip archive writer.
//
// CZipException reports compression and archive-format errors; CFileException
// reports an operating-system failure on a named file (the archive or a source).
// Both are thrown by value and caught by reference; the catcher owns the copy.
#pragma once

#include <stdexcept>
#include <string>

class CZipException : public std::runtime_error {
public:
    // Causes as seen by callers. Error codes (zlib's results and the archive's
    // own negative codes) are turned into these by ZipErrorToCause.
    enum Cause {
        noError = 0, // never raised
        generic = 1,
        zlibStreamEnd = 2,
        zlibNeedDictionary = 3,
        zlibFileError = 4,
        zlibStreamError = 5,
        zlibDataError = 6,
        zlibMemoryError = 7,
        zlibBufferError = 8,
        zlibVersionError = 9,
        archiveErrorFirst = 10, // codes -101 to -106 of reading and spanning archives
        archiveErrorLast = 15,
        nameTooLong = 16,
    };

    // Archive error codes; zlib's own result codes are used as they are.
    static constexpr int kErrorNameTooLong = -107;
    static constexpr int kErrorTooLargeForFormat = -108;

    CZipException(int errorCode, std::string archivePath);

    int Cause() const { return m_cause; }
    int ErrorCode() const { return m_errorCode; }
    const std::string& ArchivePath() const { return m_archivePath; }

private:
    int m_errorCode;
    int m_cause;
    std::string m_archivePath;
};

int ZipErrorToCause(int errorCode);
[[noreturn]] void ThrowZipException(int errorCode, const std::string& archivePath);

// An operating-system failure on one file, with the system's error code kept
// so the message can give the system's own reason.
class CFileException : public std::runtime_error {
public:
    enum Cause {
        none = 0,
        generic,
        fileNotFound,
        badPath,
        tooManyOpenFiles,
        accessDenied,
        sharingViolation, // another writer holds the file's lock
        diskFull,
        hardIO,
        badSeek,
        endOfFile,
    };

    // `action` says what was attempted ("create", "write", ...) for the message.
    CFileException(int cause, int systemError, std::string fileName, const std::string& action);

    static int CauseFromErrno(int systemError);
    // Throws for the current errno.
    [[noreturn]] static void ThrowErrno(const std::string& fileName, const std::string& action);

    int Cause() const { return m_cause; }
    int SystemError() const { return m_systemError; }
    const std::string& FileName() const { return m_fileName; }

private:
    int m_cause;
    int m_systemError;
    std::string m_fileName;
};
