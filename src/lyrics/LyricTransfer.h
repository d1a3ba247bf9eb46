#pragma once
// Lyrics leaving and entering Cantorel as LRC files.
#include "lyrics/LyricFileReplacement.h"

#include <QString>

namespace cantorel::lyrics {

// `written` is the file written (the lyric file for an import).
struct LyricTransfer : ReplacementResult {
    int lines = 0; // lines written
    bool translated = false;
};

// Where export writes by default: the song's path with its extension
// replaced by ".lrc" (/m/Rain.mp3 -> /m/Rain.lrc), the name other players
// look for and the first one Cantorel tries.
QString defaultLrcPathOf(const QString& mediaPath);

// Writes the lyric of `mediaPath` (found as loadLyric finds it, with the
// translation) as UTF-8 LRC to `outPath` (lrcText). A file at `outPath` is
// moved aside as its backup first. Refused: no lyric; `outPath` naming the
// song itself or one of its lyric pair files; a read-only file at `outPath`
// (unless `readOnly` says to replace it).
LyricTransfer exportLrc(const QString& mediaPath, const QString& outPath, ReadOnlyRule readOnly = ReadOnlyRule::Refuse);

// Writes the LRC file `lrcPath` as the lyric pair of `mediaPath`: its
// [offset:] applied to the times, each line a record, the translation (same-
// time lines) as the translated file. Both files of an existing pair are
// moved aside as backups first; a translated file is set aside (not
// written) when the LRC has no translation, so the pair on disk always
// belongs together. Every line is written, also past the 1200 the player
// shows. An LRC with word times goes to the song's own LRC file instead
// (defaultLrcPathOf, UTF-8, word tags kept, an old file there moved aside),
// since the pair cannot hold them; the pair is then set aside, so that the
// lookup finds the LRC file first. Refused: an LRC without any time tag; a
// read-only file to replace or set aside (unless `readOnly` says to replace
// it).
LyricTransfer importLrc(const QString& lrcPath, const QString& mediaPath, ReadOnlyRule readOnly = ReadOnlyRule::Refuse);

} // namespace cantorel::lyrics
