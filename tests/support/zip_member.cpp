#include "zip_member.h"

#include <QFile>

#include <algorithm>

#include <zlib.h>

// The layout is PKWARE's APPNOTE.TXT, sections 4.3.7 (local header), 4.3.12
// (central directory header) and 4.3.16 (end of central directory).
namespace {

quint32 Le(const QByteArray &data, qsizetype at, int bytes)
{
    quint32 value = 0;
    for (int i = bytes - 1; i >= 0; --i)
        value = (value << 8) | quint8(data.at(at + i));
    return value;
}

bool Fits(const QByteArray &data, qsizetype at, qsizetype length)
{
    return at >= 0 && length >= 0 && at <= data.size() && length <= data.size() - at;
}

// A member larger than this is taken for a damaged size field (the tests' workbooks
// are a few hundred kilobytes).
constexpr quint32 LargestMember = 64u << 20;

QByteArray Inflated(const QByteArray &packed, quint32 size)
{
    if (size > LargestMember)
        return {};
    QByteArray out(qsizetype(size), Qt::Uninitialized);
    z_stream stream{};
    if (inflateInit2(&stream, -MAX_WBITS) != Z_OK)
        return {};
    stream.next_in = reinterpret_cast<Bytef *>(const_cast<char *>(packed.constData()));
    stream.avail_in = uInt(packed.size());
    stream.next_out = reinterpret_cast<Bytef *>(out.data());
    stream.avail_out = uInt(out.size());
    const int result = inflate(&stream, Z_FINISH);
    const bool whole = result == Z_STREAM_END && stream.total_out == size;
    inflateEnd(&stream);
    return whole ? out : QByteArray();
}

} // namespace

QByteArray ZipMember(const QString &zipPath, const QString &member)
{
    QFile file(zipPath);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    const QByteArray zip = file.readAll();
    // The end record is the last 22 bytes unless a comment (at most 65,535 bytes)
    // follows it, and its comment length must reach the end of the file exactly.
    qsizetype end = zip.size() - 22;
    const qsizetype earliest = std::max<qsizetype>(0, end - 0xffff);
    while (end >= earliest
           && (Le(zip, end, 4) != 0x06054b50 || end + 22 + Le(zip, end + 20, 2) != zip.size()))
        --end;
    if (end < earliest)
        return {};
    const quint32 entries = Le(zip, end + 10, 2);
    qsizetype at = Le(zip, end + 16, 4);
    const QByteArray wanted = member.toUtf8();
    for (quint32 i = 0; i < entries; ++i) {
        if (!Fits(zip, at, 46) || Le(zip, at, 4) != 0x02014b50)
            return {};
        const quint32 method = Le(zip, at + 10, 2);
        const quint32 crc = Le(zip, at + 16, 4);
        const quint32 packedSize = Le(zip, at + 20, 4);
        const quint32 size = Le(zip, at + 24, 4);
        const qsizetype nameLength = Le(zip, at + 28, 2);
        const qsizetype skip = nameLength + Le(zip, at + 30, 2) + Le(zip, at + 32, 2);
        const qsizetype local = Le(zip, at + 42, 4);
        if (!Fits(zip, at + 46, skip))
            return {};
        if (zip.mid(at + 46, nameLength) == wanted) {
            if (!Fits(zip, local, 30) || Le(zip, local, 4) != 0x04034b50)
                return {};
            const qsizetype data = local + 30 + Le(zip, local + 26, 2) + Le(zip, local + 28, 2);
            if (!Fits(zip, data, packedSize))
                return {};
            const QByteArray packed = zip.mid(data, packedSize);
            QByteArray content;
            if (method == 0 && packedSize == size)
                content = packed;
            else if (method == 8)
                content = Inflated(packed, size);
            else
                return {};
            const uLong check = crc32(crc32(0L, Z_NULL, 0),
                                      reinterpret_cast<const Bytef *>(content.constData()),
                                      uInt(content.size()));
            return content.size() == qsizetype(size) && check == crc ? content : QByteArray();
        }
        at += 46 + skip;
    }
    return {};
}
