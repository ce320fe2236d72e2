#include "ZipArchive.h"

#include "ZipFormat.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <iconv.h>
#include <new>
#include <stdexcept>
#include <sys/stat.h>

using zipformat::kMaxOffset;

namespace {

// zlib's allocation hooks. With tracking on, the opaque pointer is the
// archive's block list, so blocks of an entry abandoned by an exception can
// still be freed when the archive is destroyed.
voidpf ZipAlloc(voidpf opaque, uInt items, uInt size) {
    auto* block = new (std::nothrow) unsigned char[static_cast<std::size_t>(items) * size];
    if (block != nullptr && opaque != nullptr) {
        try {
            static_cast<std::vector<unsigned char*>*>(opaque)->push_back(block);
        } catch (const std::bad_alloc&) {
            delete[] block;
            return Z_NULL;
        }
    }
    return block;
}

void ZipFree(voidpf opaque, voidpf address) {
    auto* block = static_cast<unsigned char*>(address);
    if (opaque != nullptr) {
        auto& blocks = *static_cast<std::vector<unsigned char*>*>(opaque);
        const auto found = std::find(blocks.rbegin(), blocks.rend(), block);
        if (found != blocks.rend())
            blocks.erase(std::next(found).base());
    }
    delete[] block;
}

std::uint32_t AttributesFromMode(mode_t mode) {
    std::uint32_t attributes =
        S_ISDIR(mode) ? CFileHeader::kAttrDirectory : CFileHeader::kAttrArchive;
    if ((mode & S_IWUSR) == 0)
        attributes |= CFileHeader::kAttrReadOnly;
    return attributes;
}

// Length of the UTF-8 sequence a lead byte starts (1 for a stray byte).
std::size_t Utf8SequenceLength(unsigned char lead) {
    if (lead >= 0xC2 && lead <= 0xDF)
        return 2;
    if (lead >= 0xE0 && lead <= 0xEF)
        return 3;
    if (lead >= 0xF0 && lead <= 0xF4)
        return 4;
    return 1;
}

} // namespace

CZipArchive::CZipArchive() : m_centralDir(m_storage) {
    m_info.m_stream.zalloc = ZipAlloc;
    m_info.m_stream.zfree = ZipFree;
}

CZipArchive::~CZipArchive() {
    for (unsigned char* block : m_zlibBlocks)
        delete[] block;
}

bool CZipArchive::IsClosed(bool archive) const {
    return archive ? !m_storage.IsOpen() : !m_storage.m_file.IsOpen();
}

void CZipArchive::Open(const std::string& path, int mode, int volumeSize) {
    if (!IsClosed())
        return;
    if (mode != zipCreate)
        throw std::invalid_argument("Only creating a new zip archive is supported");
    m_entryState = 0;
    m_storage.Open(path, mode, volumeSize);
    m_centralDir.Init();
}

std::string CZipArchive::StoredName(const std::string& path) {
    const auto start = path.find_first_not_of("/\\");
    return start == std::string::npos ? std::string() : path.substr(start);
}

std::string CZipArchive::ToOemName(const std::string& name) {
    if (std::all_of(name.begin(), name.end(), [](unsigned char c) { return c < 0x80; }))
        return name;
    iconv_t converter = iconv_open("IBM437", "UTF-8");
    if (converter == reinterpret_cast<iconv_t>(-1)) {
        std::string ascii = name;
        std::replace_if(
            ascii.begin(), ascii.end(), [](unsigned char c) { return c >= 0x80; }, '_');
        return ascii;
    }
    std::string result;
    std::string input = name;
    char* in = input.data();
    std::size_t inLeft = input.size();
    char chunk[256];
    while (inLeft > 0) {
        char* out = chunk;
        std::size_t outLeft = sizeof chunk;
        const std::size_t converted = iconv(converter, &in, &inLeft, &out, &outLeft);
        result.append(chunk, static_cast<std::size_t>(out - chunk));
        if (converted == static_cast<std::size_t>(-1) && errno != E2BIG) {
            // Not in the code page, or not UTF-8 at all: one placeholder per character.
            const std::size_t skip =
                std::min(Utf8SequenceLength(static_cast<unsigned char>(*in)), inLeft);
            in += skip;
            inLeft -= skip;
            result.push_back('_');
        }
    }
    iconv_close(converter);
    return result;
}

void CZipArchive::CheckZlibResult(int result) const {
    if (result != Z_OK && result != Z_NEED_DICT)
        ThrowZipException(result, GetArchivePath());
}

bool CZipArchive::AddFile(const std::string& path, int level, std::uint32_t bufferSize) {
    if (bufferSize == 0)
        return false;
    struct stat status {};
    if (::stat(path.c_str(), &status) != 0)
        return false;
    // Pipes and devices could block or never end.
    if (!S_ISREG(status.st_mode) && !S_ISDIR(status.st_mode))
        return false;
    if (S_ISREG(status.st_mode) &&
        deflateBound(nullptr, static_cast<uLong>(status.st_size)) > kMaxOffset)
        return false;

    CFileHeader header;
    header.m_name = StoredName(path);
    if (header.m_name.empty())
        return false;

    const bool couldBegin = !IsClosed() && m_entryState == 0;
    if (!BeginEntry(header, level, path)) {
        if (couldBegin && m_entryState == 1)
            DiscardEntry();
        return false;
    }
    if (m_centralDir.OpenHeader()->IsDirectory()) {
        EndEntry();
        return true;
    }

    CBigFile source;
    try {
        source.Open(path, CBigFile::Mode::ReadShareDenyWrite);
    } catch (const CFileException&) {
        DiscardEntry();
        return false;
    }

    CAutoBuffer buffer(bufferSize);
    const auto total = static_cast<std::uint64_t>(status.st_size);
    std::uint64_t done = 0;
    for (;;) {
        std::size_t count = 0;
        try {
            count = source.Read(buffer.GetBuffer(), bufferSize);
        } catch (const CFileException&) {
            DiscardEntry();
            throw;
        }
        if (count > 0)
            WriteEntryData(buffer.GetBuffer(), static_cast<std::uint32_t>(count));
        done += count;
        if (m_progress)
            m_progress(done, std::max(done, total));
        if (count < bufferSize)
            break;
    }
    source.Close();
    EndEntry();
    return true;
}

bool CZipArchive::BeginEntry(CFileHeader header, int level, const std::string& sourcePath) {
    if (IsClosed() || m_entryState != 0 || m_storage.SpanState() == -1 ||
        m_centralDir.Count() >= kMaxEntries || header.m_name.empty())
        return false;
    if (m_storage.Position() > kMaxOffset)
        return false;

    bool result = true;
    if (!sourcePath.empty()) {
        struct stat status {};
        if (::stat(sourcePath.c_str(), &status) == 0) {
            header.SetModTime(m_modTimeOverride.value_or(status.st_mtime));
            header.m_externalAttr = AttributesFromMode(status.st_mode);
        } else {
            result = false;
        }
    }

    if (m_convertBackslashes)
        std::replace(header.m_name.begin(), header.m_name.end(), '\\', '/');
    if (m_convertNamesToOem)
        header.m_name = ToOemName(header.m_name);
    if (header.IsDirectory())
        header.m_method = CFileHeader::kMethodStored;
    // Checked before anything is written, so the archive stays usable after the exception.
    if (!header.PrepareForWrite(level, m_storage.SpanState() == 1))
        ThrowZipException(CZipException::kErrorNameTooLong, GetArchivePath());

    m_info.m_buffer.Allocate(CZipInternalInfo::kBufferSize);
    z_stream& stream = m_info.m_stream;
    stream.next_in = nullptr;
    stream.avail_in = 0;
    stream.next_out = m_info.m_buffer.GetBuffer();
    stream.avail_out = CZipInternalInfo::kBufferSize;
    stream.total_in = 0;
    stream.total_out = 0;
    m_info.m_pending = 0;
    if (header.m_method == CFileHeader::kMethodDeflated) {
        stream.opaque = m_trackZlibMemory ? &m_zlibBlocks : nullptr;
        // A bad level is refused here, before the entry leaves a trace in the archive.
        const int initResult =
            deflateInit2(&stream, level, Z_DEFLATED, -MAX_WBITS, 8, Z_DEFAULT_STRATEGY);
        if (initResult != Z_OK) {
            m_info.m_buffer.Release();
            CheckZlibResult(initResult);
        }
        m_info.m_deflateActive = true;
    }

    m_centralDir.AddHeader(header);
    m_entryState = 1;
    // Known before the write, so a failed write can still be cut off at the right place.
    m_centralDir.OpenHeader()->m_localHeaderOffset =
        static_cast<std::uint32_t>(m_storage.Position());
    m_centralDir.OpenHeader()->WriteLocalHeader(m_storage);
    return result;
}

void CZipArchive::FlushOutputBuffer() {
    if (m_info.m_pending != 0)
        m_storage.Write(m_info.m_buffer.GetBuffer(), m_info.m_pending, false);
    m_info.m_pending = 0;
    m_info.m_stream.next_out = m_info.m_buffer.GetBuffer();
    m_info.m_stream.avail_out = CZipInternalInfo::kBufferSize;
}

bool CZipArchive::WriteEntryData(const void* data, std::uint32_t count) {
    if (m_entryState != 1)
        return false;
    z_stream& stream = m_info.m_stream;
    CFileHeader& header = *m_centralDir.OpenHeader();
    stream.next_in = static_cast<Bytef*>(const_cast<void*>(data));
    stream.avail_in = count;
    header.m_crc32 =
        static_cast<std::uint32_t>(crc32(header.m_crc32, static_cast<const Bytef*>(data), count));

    while (stream.avail_in > 0) {
        if (stream.avail_out == 0)
            FlushOutputBuffer();
        if (header.m_method == CFileHeader::kMethodDeflated) {
            const uLong before = stream.total_out;
            CheckZlibResult(deflate(&stream, Z_NO_FLUSH));
            m_info.m_pending += static_cast<std::uint32_t>(stream.total_out - before);
        } else {
            const uInt chunk = std::min(stream.avail_in, stream.avail_out);
            std::memcpy(stream.next_out, stream.next_in, chunk);
            stream.next_in += chunk;
            stream.avail_in -= chunk;
            stream.next_out += chunk;
            stream.avail_out -= chunk;
            stream.total_in += chunk;
            stream.total_out += chunk;
            m_info.m_pending += chunk;
        }
    }
    return true;
}

bool CZipArchive::EndEntry() {
    if (m_entryState != 1)
        return false;
    z_stream& stream = m_info.m_stream;
    CFileHeader& header = *m_centralDir.OpenHeader();
    stream.avail_in = 0;
    if (header.m_method == CFileHeader::kMethodDeflated) {
        int result = Z_OK;
        do {
            if (stream.avail_out == 0)
                FlushOutputBuffer();
            const uLong before = stream.total_out;
            result = deflate(&stream, Z_FINISH);
            m_info.m_pending += static_cast<std::uint32_t>(stream.total_out - before);
        } while (result == Z_OK);
        CheckZlibResult(result == Z_STREAM_END ? Z_OK : result);
    }
    FlushOutputBuffer();
    if (m_info.m_deflateActive) {
        m_info.m_deflateActive = false;
        CheckZlibResult(deflateEnd(&stream));
    }

    if (stream.total_in > kMaxOffset || stream.total_out > kMaxOffset ||
        m_storage.Position() > kMaxOffset) {
        // The sizes no longer fit their fields: an entry that says less than
        // it holds would corrupt the archive, so it goes.
        DiscardEntry();
        ThrowZipException(CZipException::kErrorTooLargeForFormat, GetArchivePath());
    }
    header.m_compressedSize = static_cast<std::uint32_t>(stream.total_out);
    header.m_uncompressedSize = static_cast<std::uint32_t>(stream.total_in);
    m_centralDir.FinishEntry();
    m_entryState = 0;
    m_info.m_buffer.Release();
    return true;
}

void CZipArchive::DiscardEntry() {
    if (m_entryState != 1)
        return;
    if (m_info.m_deflateActive) {
        m_info.m_deflateActive = false;
        deflateEnd(&m_info.m_stream);
    }
    m_info.m_buffer.Release();
    m_info.m_pending = 0;
    m_entryState = 0;
    const std::uint64_t offset = m_centralDir.OpenHeader()->m_localHeaderOffset;
    m_centralDir.RemoveOpenHeader();
    m_storage.Truncate(offset);
}

void CZipArchive::Close(bool afterException) {
    if (IsClosed())
        return;
    if (afterException) {
        if (m_info.m_deflateActive) {
            m_info.m_deflateActive = false;
            deflateEnd(&m_info.m_stream);
        }
        m_info.m_buffer.Release();
        m_entryState = 0;
        m_centralDir.Clear();
        m_storage.Close(true);
        return;
    }
    if (m_entryState == 1)
        EndEntry();
    m_centralDir.Write();
    m_centralDir.Clear();
    m_storage.Close(false);
}
