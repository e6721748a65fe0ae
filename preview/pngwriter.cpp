// SPDX-License-Identifier: GPL-3.0-or-later
#include "pngwriter.h"

#include <QFile>
#include <QtEndian>

#include <array>

namespace {

// PNG's CRC-32 (ISO 3309), over a chunk's type and data.
quint32 Crc32(const QByteArray &bytes)
{
    static const std::array<quint32, 256> table = [] {
        std::array<quint32, 256> entries{};
        for (quint32 n = 0; n < 256; ++n) {
            quint32 c = n;
            for (int k = 0; k < 8; ++k)
                c = (c & 1) ? 0xedb88320u ^ (c >> 1) : c >> 1;
            entries[n] = c;
        }
        return entries;
    }();
    quint32 crc = 0xffffffffu;
    for (const char byte : bytes)
        crc = table[(crc ^ quint8(byte)) & 0xff] ^ (crc >> 8);
    return crc ^ 0xffffffffu;
}

QByteArray BigEndian(quint32 value)
{
    QByteArray bytes(4, Qt::Uninitialized);
    qToBigEndian(value, bytes.data());
    return bytes;
}

void AppendChunk(QByteArray &png, const char *type, const QByteArray &data)
{
    const QByteArray body = QByteArray(type, 4) + data;
    png += BigEndian(quint32(data.size())) + body + BigEndian(Crc32(body));
}

} // namespace

bool WriteOpaquePng(const QImage &image, const QString &path)
{
    const QImage rgb = image.convertToFormat(QImage::Format_RGB888);
    const qsizetype row = qsizetype(rgb.width()) * 3;
    // Each row after its filter byte, 0: none.
    QByteArray rows;
    rows.reserve((row + 1) * rgb.height());
    for (int y = 0; y < rgb.height(); ++y) {
        rows.append('\0');
        rows.append(reinterpret_cast<const char *>(rgb.constScanLine(y)), row);
    }
    // qCompress gives the zlib stream that PNG wants, after a length of its own.
    const QByteArray compressed = qCompress(rows, 1).mid(4);

    QByteArray header = BigEndian(quint32(rgb.width())) + BigEndian(quint32(rgb.height()));
    header += QByteArray("\x08\x02\x00\x00\x00", 5); // 8 bits, RGB, deflate, no filter choice, no
                                                     // interlacing
    QByteArray png("\x89PNG\r\n\x1a\n", 8);
    AppendChunk(png, "IHDR", header);
    AppendChunk(png, "IDAT", compressed);
    AppendChunk(png, "IEND", {});
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(png) == png.size();
}
