#pragma once
// Whether a song's header looks like the kind of file its name says, asked
// before TagLib reads its tags. TagLib picks its reader by the name's
// extension and trusts the counts and sizes it finds: a broken file of a few
// hundred bytes whose header claims tens of thousands of entries keeps it
// busy for a second or more. So the tags are read only when the first bytes
// are those of the kind (and, for ASF/WMA, whose reader loops on declared
// counts, when its header objects fit inside the header and inside the file).
//
// Reads at most a few hundred bytes (ASF: 24 to 30 bytes for each header
// object, at most kMaxAsfObjects of them). Any thread.
#include <QString>

namespace cantorel::lyrics {

// True when the file at `mediaPath` is an ordinary file whose header looks
// like its extension's kind: MPEG audio (.mp3, .mp2, .mp1: an ID3v2 tag or a
// frame header at the start, or an ID3v1 or APE tag at the end), Ogg (.ogg,
// .oga, .opus, .spx), WAV, AIFF, FLAC, MP4 (.m4a, .m4b, .mp4), ASF (.wma,
// .asf, .wmv), Monkey's Audio, WavPack, Musepack, TTA. False for any other
// extension, and for a file that cannot be read.
bool tagsLookReadable(const QString& mediaPath);

// ASF header objects looked at, at most, at each level.
inline constexpr int kMaxAsfObjects = 256;

} // namespace cantorel::lyrics
