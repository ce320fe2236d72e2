// An owned byte array and its size; copying copies the bytes.
#pragma once

#include <cstddef>
#include <memory>

class CAutoBuffer {
public:
    CAutoBuffer() = default;
    explicit CAutoBuffer(std::size_t size, bool zeroFill = false) { Allocate(size, zeroFill); }
    CAutoBuffer(const CAutoBuffer& other);
    CAutoBuffer& operator=(const CAutoBuffer& other);
    CAutoBuffer(CAutoBuffer&& other) noexcept;
    CAutoBuffer& operator=(CAutoBuffer&& other) noexcept;

    // Keeps the array when the size is unchanged (zero-filling it if asked);
    // otherwise replaces it with a new, uninitialised one. Size 0 holds no array.
    unsigned char* Allocate(std::size_t size, bool zeroFill = false);
    void Release();

    unsigned char* GetBuffer() { return m_data.get(); }
    const unsigned char* GetBuffer() const { return m_data.get(); }
    std::size_t GetSize() const { return m_size; }
    bool IsAllocated() const { return m_data != nullptr; }

private:
    std::unique_ptr<unsigned char[]> m_data;
    std::size_t m_size = 0;
};
