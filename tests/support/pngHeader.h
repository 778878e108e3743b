// A PNG file that only declares its size: enough for a reader to refuse it for its size without
// the test writing a large image.
#pragma once

#include <QByteArray>
#include <QtEndian>

namespace pngHeaderDetail {

// The CRC-32 of a PNG chunk's type and data (reflected polynomial 0xEDB88320).
inline quint32 crc32Of(const QByteArray& bytes)
{
    quint32 crc = 0xFFFFFFFFu;
    for (char c : bytes) {
        crc ^= quint8(c);
        for (int bit = 0; bit < 8; ++bit)
            crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
    }
    return ~crc;
}

inline QByteArray chunk(const char* type, const QByteArray& data)
{
    QByteArray length(4, '\0');
    qToBigEndian<quint32>(quint32(data.size()), length.data());
    const QByteArray body = QByteArray(type, 4) + data;
    QByteArray crc(4, '\0');
    qToBigEndian<quint32>(crc32Of(body), crc.data());
    return length + body + crc;
}

} // namespace pngHeaderDetail

// A PNG that declares an 8-bit gray image of width x height and holds no pixel data.
inline QByteArray grayPngHeader(quint32 width, quint32 height)
{
    QByteArray ihdr(13, '\0');
    qToBigEndian(width, ihdr.data());
    qToBigEndian(height, ihdr.data() + 4);
    ihdr[8] = 8; // bit depth; colour type 0 (gray)
    return QByteArray("\x89PNG\r\n\x1a\n", 8) + pngHeaderDetail::chunk("IHDR", ihdr)
           + pngHeaderDetail::chunk("IDAT", QByteArray())
           + pngHeaderDetail::chunk("IEND", QByteArray());
}
