#pragma once
// Where a lyric found on a server goes, beside its song (the names come
// from the song's path, never from the server):
//   - a synced lyric becomes /m/Rain.lrc (UTF-8), the LRC file the player
//     looks for right after the lyric pair;
//   - a plain lyric alone becomes /m/Rain.txt, one line per line: what the
//     Lyric Maker takes as the lyric to time;
//   - an instrumental song gets nothing.
// A lyric the song already has (the pair, an LRC file, one embedded; for a
// plain lyric also /m/Rain.txt) is left alone unless `replace` says
// otherwise. Replacing goes through lyrics::replaceFiles (backups kept,
// read-only files refused unless the rule says, links followed); a synced
// lyric that replaces sets the lyric pair aside as backups too, since the
// player would otherwise go on preferring it.
//
// Reads and writes files: any thread (the playlist's batch writes off the
// window thread).
#include "base/FileReplace.h"
#include "online/LyricLookup.h"

#include <QString>
#include <QStringList>

namespace cantorel::online {

// /m/Rain.mp3 -> /m/Rain.lrc and /m/Rain.txt.
QString syncedTargetOf(const QString& mediaPath);
QString plainTargetOf(const QString& mediaPath);

struct WrittenLyric {
    enum class Kind {
        Synced,       // `written` is the LRC file
        Plain,        // `written` is the text file
        Instrumental, // nothing written
        HasLyric,     // the song's own lyric (`existing`) was left alone
        Nothing,      // the result held no lyric (not found, failed)
        Failed,       // `error` says why; nothing changed
        ReadOnly,     // `readOnly` lists the files refused; nothing changed
    };
    Kind kind = Kind::Nothing;
    QString written;
    QStringList backups;
    QString existing; // HasLyric: the lyric's origin as the user knows it ("Rain.lrc")
    QString error;
    QStringList readOnly;
};

// The lyric `mediaPath` already has, described ("Rain.mp3-lyric.txt",
// "Rain.lrc", "Rain.mp3 (ID3v2 SYLT)"), or "" when it has none. With
// `plainToo`, a /m/Rain.txt counts as well.
QString existingLyricOf(const QString& mediaPath, bool plainToo);

// Writes what `result` found for the song at `mediaPath`.
WrittenLyric writeFoundLyric(const QString& mediaPath, const LookupResult& result, bool replace,
                             ReadOnlyRule readOnly = ReadOnlyRule::Refuse);

} // namespace cantorel::online
