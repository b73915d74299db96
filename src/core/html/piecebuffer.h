#pragma once

#include "app/filesaver.h"

#include <array>
#include <cstring>

namespace askbright {

// Collects bytes in a small buffer and hands them on when it is full, so a
// page of any size streams into its file.
class PieceBuffer {
public:
    explicit PieceBuffer(const PieceWriter &write) : m_write(write) {}
    PieceBuffer(const PieceBuffer &) = delete;
    PieceBuffer &operator=(const PieceBuffer &) = delete;

    void put(char c)
    {
        if (m_used == capacity)
            flush();
        m_buffer[size_t(m_used++)] = c;
    }
    void put(const char *text, qsizetype length)
    {
        while (length > 0) {
            if (m_used == capacity)
                flush();
            const qsizetype n = qMin(length, capacity - m_used);
            std::memcpy(m_buffer.data() + m_used, text, size_t(n));
            m_used += n;
            text += n;
            length -= n;
        }
    }
    void put(const char *literal) { put(literal, qsizetype(std::strlen(literal))); }
    // Characters below 256 that are their own byte.
    void putLatin1(const char16_t *text, qsizetype length)
    {
        while (length > 0) {
            if (m_used == capacity)
                flush();
            const qsizetype n = qMin(length, capacity - m_used);
            char *to = m_buffer.data() + m_used;
            for (qsizetype i = 0; i < n; ++i)
                to[i] = char(text[i]);
            m_used += n;
            text += n;
            length -= n;
        }
    }
    void flush()
    {
        if (m_used > 0)
            m_write(QByteArrayView(m_buffer.data(), m_used));
        m_used = 0;
    }

private:
    static constexpr qsizetype capacity = 64 * 1024;
    const PieceWriter &m_write;
    std::array<char, capacity> m_buffer;
    qsizetype m_used = 0;
};

} // namespace askbright
