#include "ZipException.h"

#include <cerrno>
#include <cstring>
#include <zlib.h>

namespace {

const char* CauseText(int cause) {
    switch (cause) {
    case CZipException::noError:
        return "no error";
    case CZipException::zlibStreamEnd:
        return "unexpected end of the compressed stream";
    case CZipException::zlibNeedDictionary:
        return "compressor needs a dictionary";
    case CZipException::zlibFileError:
        return "compressor file error";
    case CZipException::zlibStreamError:
        return "invalid compressor state or parameter";
    case CZipException::zlibDataError:
        return "corrupt compressed data";
    case CZipException::zlibMemoryError:
        return "out of memory in the compressor";
    case CZipException::zlibBufferError:
        return "compressor made no progress";
    case CZipException::zlibVersionError:
        return "incompatible zlib version";
    case CZipException::nameTooLong:
        return "stored name longer than 65,535 bytes";
    default:
        return "archive error";
    }
}

std::string ZipMessage(int errorCode, int cause, const std::string& archivePath) {
    std::string text = "Zip archive error: ";
    text += errorCode == CZipException::kErrorTooLargeForFormat
                ? "entry or archive too large for the zip format (4 GiB limit)"
                : CauseText(cause);
    text += " (code " + std::to_string(errorCode) + ")";
    if (!archivePath.empty())
        text += " in " + archivePath;
    return text;
}

} // namespace

int ZipErrorToCause(int errorCode) {
    switch (errorCode) {
    case Z_STREAM_END:
        return CZipException::zlibStreamEnd;
    case Z_NEED_DICT:
        return CZipException::zlibNeedDictionary;
    case Z_ERRNO:
        return CZipException::zlibFileError;
    case Z_STREAM_ERROR:
        return CZipException::zlibStreamError;
    case Z_DATA_ERROR:
        return CZipException::zlibDataError;
    case Z_MEM_ERROR:
        return CZipException::zlibMemoryError;
    case Z_BUF_ERROR:
        return CZipException::zlibBufferError;
    case Z_VERSION_ERROR:
        return CZipException::zlibVersionError;
    case CZipException::kErrorNameTooLong:
        return CZipException::nameTooLong;
    default:
        if (errorCode <= -101 && errorCode >= -106)
            return CZipException::archiveErrorFirst + (-101 - errorCode);
        return CZipException::generic;
    }
}

CZipException::CZipException(int errorCode, std::string archivePath)
    : std::runtime_error(ZipMessage(errorCode, ZipErrorToCause(errorCode), archivePath)),
      m_errorCode(errorCode), m_cause(ZipErrorToCause(errorCode)),
      m_archivePath(std::move(archivePath)) {}

void ThrowZipException(int errorCode, const std::string& archivePath) {
    throw CZipException(errorCode, archivePath);
}

CFileException::CFileException(int cause, int systemError, std::string fileName,
                               const std::string& action)
    : std::runtime_error(
          "Cannot " + action + " " + fileName + ": " +
          (systemError != 0 ? std::strerror(systemError) : "unexpected end of file")),
      m_cause(cause), m_systemError(systemError), m_fileName(std::move(fileName)) {}

int CFileException::CauseFromErrno(int systemError) {
    switch (systemError) {
    case 0:
        return none;
    case ENOENT:
        return fileNotFound;
    case ENOTDIR:
    case ENAMETOOLONG:
    case ELOOP:
        return badPath;
    case EMFILE:
    case ENFILE:
        return tooManyOpenFiles;
    case EACCES:
    case EPERM:
    case EISDIR:
    case EROFS:
        return accessDenied;
    case EWOULDBLOCK:
    case ETXTBSY:
    case EBUSY:
        return sharingViolation;
    case ENOSPC:
    case EDQUOT:
    case EFBIG:
        return diskFull;
    case EIO:
        return hardIO;
    case ESPIPE:
        return badSeek;
    default:
        return generic;
    }
}

void CFileException::ThrowErrno(const std::string& fileName, const std::string& action) {
    const int error = errno;
    throw CFileException(CauseFromErrno(error), error, fileName, action);
}
