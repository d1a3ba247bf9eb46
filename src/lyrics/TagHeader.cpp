#include "lyrics/TagHeader.h"

#include "base/FileNames.h"

#include <QFile>
#include <QtEndian>

namespace cantorel::lyrics {

namespace {

enum class Kind { Unknown, Mpeg, Ogg, Wav, Aiff, Flac, Mp4, Asf, Ape, WavPack, Musepack, Tta };

Kind kindOfName(const QString& path)
{
    const QString name = path.section(u'/', -1);
    const qsizetype dot = name.lastIndexOf(u'.');
    if (dot < 0)
        return Kind::Unknown;
    const QString ext = name.mid(dot + 1).toLower();
    static const struct {
        const char* ext;
        Kind kind;
    } kinds[] = {{"mp3", Kind::Mpeg},     {"mp2", Kind::Mpeg},  {"mp1", Kind::Mpeg},  {"ogg", Kind::Ogg},
                 {"oga", Kind::Ogg},      {"opus", Kind::Ogg},  {"spx", Kind::Ogg},   {"wav", Kind::Wav},
                 {"aif", Kind::Aiff},     {"aiff", Kind::Aiff}, {"aifc", Kind::Aiff}, {"flac", Kind::Flac},
                 {"m4a", Kind::Mp4},      {"m4b", Kind::Mp4},   {"mp4", Kind::Mp4},   {"wma", Kind::Asf},
                 {"asf", Kind::Asf},      {"wmv", Kind::Asf},   {"ape", Kind::Ape},   {"wv", Kind::WavPack},
                 {"mpc", Kind::Musepack}, {"tta", Kind::Tta}};
    for (const auto& k : kinds) {
        if (ext == QLatin1String(k.ext))
            return k.kind;
    }
    return Kind::Unknown;
}

// The bytes at `offset`, fewer at the end of the file.
QByteArray bytesAt(QFile& file, qint64 offset, qint64 count)
{
    if (offset < 0 || !file.seek(offset))
        return {};
    return file.read(count);
}

quint64 le64(const QByteArray& b, int at)
{
    return qFromLittleEndian<quint64>(b.constData() + at);
}
quint32 le32(const QByteArray& b, int at)
{
    return qFromLittleEndian<quint32>(b.constData() + at);
}
quint16 le16(const QByteArray& b, int at)
{
    return qFromLittleEndian<quint16>(b.constData() + at);
}

// The length of an ID3v2 tag that `head` starts with (header, tag and
// footer), or 0 when it starts with none.
qint64 id3v2Length(const QByteArray& head)
{
    if (head.size() < 10 || !head.startsWith("ID3") || uchar(head[3]) < 2 || uchar(head[3]) > 4)
        return 0;
    qint64 size = 0;
    for (int i = 6; i < 10; ++i) {
        if (uchar(head[i]) & 0x80)
            return 0; // not a synchsafe size
        size = (size << 7) | uchar(head[i]);
    }
    const bool footer = uchar(head[5]) & 0x10;
    return 10 + size + (footer ? 10 : 0);
}

// A plausible MPEG audio frame header: the sync, and no reserved version,
// layer, bit rate or sample rate.
bool isMpegFrameHeader(const QByteArray& b)
{
    if (b.size() < 4)
        return false;
    const uchar b1 = uchar(b[1]), b2 = uchar(b[2]);
    return uchar(b[0]) == 0xFF && (b1 & 0xE0) == 0xE0 && (b1 & 0x18) != 0x08 && (b1 & 0x06) != 0 && (b2 & 0xF0) != 0xF0
           && (b2 & 0x0C) != 0x0C;
}

bool looksLikeMpeg(QFile& file, const QByteArray& head)
{
    if (id3v2Length(head) > 0 || isMpegFrameHeader(head))
        return true;
    const qint64 size = file.size();
    return bytesAt(file, size - 128, 3) == "TAG" || bytesAt(file, size - 32, 8) == "APETAGEX"
           || bytesAt(file, size - 160, 8) == "APETAGEX";
}

// `magic` at the start, or right after an ID3v2 tag there.
bool startsWithMagic(QFile& file, const QByteArray& head, const char* magic)
{
    if (head.startsWith(magic))
        return true;
    const qint64 skip = id3v2Length(head);
    return skip > 0 && bytesAt(file, skip, qstrlen(magic)) == magic;
}

// ------------------------------------------------------------------ ASF

const QByteArray kAsfHeader("\x30\x26\xB2\x75\x8E\x66\xCF\x11\xA6\xD9\x00\xAA\x00\x62\xCE\x6C", 16);
const QByteArray kContentDescription("\x33\x26\xB2\x75\x8E\x66\xCF\x11\xA6\xD9\x00\xAA\x00\x62\xCE\x6C", 16);
const QByteArray kExtendedContentDescription("\x40\xA4\xD0\xD2\x07\xE3\xD2\x11\x97\xF0\x00\xA0\xC9\x5E\xA8\x50", 16);
const QByteArray kHeaderExtension("\xB5\x03\xBF\x5F\x2E\xA9\xCF\x11\x8E\xE3\x00\xC0\x0C\x20\x53\x65", 16);
const QByteArray kMetadata("\xEA\xCB\xF8\xC5\xAF\x5B\x77\x48\x84\x67\xAA\x8C\x44\xFA\x4C\xCA", 16);
const QByteArray kMetadataLibrary("\x94\x1C\x23\x44\x98\x94\xD1\x49\xA1\x41\x1D\x13\x4E\x45\x70\x54", 16);

constexpr qint64 kAsfObjectHeader = 24; // GUID and 64-bit size

// The entries an object declares fit in its size (each entry takes at least
// `entryBytes`); objects without such a count always fit.
bool asfCountsFit(QFile& file, qint64 at, qint64 size, const QByteArray& guid)
{
    const qint64 body = size - kAsfObjectHeader;
    if (guid == kExtendedContentDescription || guid == kMetadata || guid == kMetadataLibrary) {
        const QByteArray count = bytesAt(file, at + kAsfObjectHeader, 2);
        const qint64 entryBytes = guid == kExtendedContentDescription ? 6 : 12;
        return count.size() == 2 && 2 + le16(count, 0) * entryBytes <= body;
    }
    if (guid == kContentDescription) {
        const QByteArray lengths = bytesAt(file, at + kAsfObjectHeader, 10);
        if (lengths.size() != 10)
            return false;
        qint64 total = 10;
        for (int i = 0; i < 10; i += 2)
            total += le16(lengths, i);
        return total <= body;
    }
    return true;
}

bool asfObjectsFit(QFile& file, qint64 from, qint64 end, qint64 count, int depth);

// The header extension's own objects fit in it.
bool asfExtensionFits(QFile& file, qint64 at, qint64 size, int depth)
{
    constexpr qint64 kFixed = kAsfObjectHeader + 22; // reserved GUID and word, data size
    const QByteArray fixed = bytesAt(file, at + kAsfObjectHeader, 22);
    if (depth > 0 || size < kFixed || fixed.size() != 22)
        return false;
    const qint64 dataSize = le32(fixed, 18);
    return dataSize <= size - kFixed && asfObjectsFit(file, at + kFixed, at + kFixed + dataSize, -1, depth + 1);
}

// `count` objects (-1: as many as fill the range) lie one after the other
// from `from` and end by `end`, each with its declared entries inside it.
bool asfObjectsFit(QFile& file, qint64 from, qint64 end, qint64 count, int depth)
{
    qint64 at = from;
    for (int seen = 0; count < 0 ? at < end : seen < count; ++seen) {
        const QByteArray head = bytesAt(file, at, kAsfObjectHeader);
        if (seen >= kMaxAsfObjects || head.size() != kAsfObjectHeader)
            return false;
        const QByteArray guid = head.left(16);
        const quint64 size = le64(head, 16);
        if (size < quint64(kAsfObjectHeader) || size > quint64(end - at))
            return false;
        const bool fits = guid == kHeaderExtension ? asfExtensionFits(file, at, qint64(size), depth)
                                                   : asfCountsFit(file, at, qint64(size), guid);
        if (!fits)
            return false;
        at += qint64(size);
    }
    return true;
}

bool looksLikeAsf(QFile& file, const QByteArray& head)
{
    constexpr qint64 kHeaderFixed = 30; // GUID, size, object count, two reserved bytes
    if (head.size() < kHeaderFixed || !head.startsWith(kAsfHeader))
        return false;
    const quint64 headerSize = le64(head, 16);
    const quint32 count = le32(head, 24);
    if (headerSize < quint64(kHeaderFixed) || headerSize > quint64(file.size()))
        return false;
    return asfObjectsFit(file, kHeaderFixed, qint64(headerSize), count, 0);
}

bool looksLike(Kind kind, QFile& file, const QByteArray& head)
{
    switch (kind) {
    case Kind::Mpeg:
        return looksLikeMpeg(file, head);
    case Kind::Ogg:
        return head.startsWith("OggS");
    case Kind::Wav:
        return head.startsWith("RIFF") && head.mid(8, 4) == "WAVE";
    case Kind::Aiff:
        return head.startsWith("FORM") && (head.mid(8, 4) == "AIFF" || head.mid(8, 4) == "AIFC");
    case Kind::Flac:
        return startsWithMagic(file, head, "fLaC");
    case Kind::Mp4:
        return head.mid(4, 4) == "ftyp";
    case Kind::Asf:
        return looksLikeAsf(file, head);
    case Kind::Ape:
        return startsWithMagic(file, head, "MAC ");
    case Kind::WavPack:
        return startsWithMagic(file, head, "wvpk");
    case Kind::Musepack:
        return startsWithMagic(file, head, "MPCK") || startsWithMagic(file, head, "MP+");
    case Kind::Tta:
        return startsWithMagic(file, head, "TTA");
    case Kind::Unknown:
        break;
    }
    return false;
}

} // namespace

bool tagsLookReadable(const QString& mediaPath)
{
    const Kind kind = kindOfName(mediaPath);
    // Only an ordinary file: a pipe or a device would hold the reader up.
    if (kind == Kind::Unknown || !fileFacts(mediaPath).isFile)
        return false;
    QFile file;
    if (!openForReading(file, mediaPath))
        return false;
    const QByteArray head = file.read(32);
    return looksLike(kind, file, head);
}

} // namespace cantorel::lyrics
