#include "AutoBuffer.h"

#include <cstring>
#include <utility>

CAutoBuffer::CAutoBuffer(const CAutoBuffer& other) {
    if (other.m_size != 0) {
        Allocate(other.m_size);
        std::memcpy(m_data.get(), other.m_data.get(), m_size);
    }
}

CAutoBuffer& CAutoBuffer::operator=(const CAutoBuffer& other) {
    if (this != &other) {
        CAutoBuffer copy(other);
        *this = std::move(copy);
    }
    return *this;
}

CAutoBuffer::CAutoBuffer(CAutoBuffer&& other) noexcept
    : m_data(std::move(other.m_data)), m_size(std::exchange(other.m_size, 0)) {}

CAutoBuffer& CAutoBuffer::operator=(CAutoBuffer&& other) noexcept {
    m_data = std::move(other.m_data);
    m_size = std::exchange(other.m_size, 0);
    return *this;
}

unsigned char* CAutoBuffer::Allocate(std::size_t size, bool zeroFill) {
    if (size != m_size) {
        Release();
        if (size != 0) {
            m_data.reset(new unsigned char[size]);
            m_size = size;
        }
    }
    if (zeroFill && m_size != 0)
        std::memset(m_data.get(), 0, m_size);
    return m_data.get();
}

void CAutoBuffer::Release() {
    m_data.reset();
    m_size = 0;
}
