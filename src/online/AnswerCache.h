#pragma once
// The answers of lyric servers, kept so that a song is not asked about
// again: one small JSON file per song and server in cacheDirectory()/lrclib
// ($XDG_CACHE_HOME/cantorel/lrclib). "Not found" holds for kNotFoundDays, a
// found record for kFoundDays; a failure (no answer, a server error) is not
// kept. A file that cannot be read, is too large, is no such answer or has
// expired is no answer; the cache never says more than it holds.
//
// Any thread: each call reads or writes whole files (a write replaces its
// file in one step) and keeps nothing in memory.
#include "online/LrclibRecord.h"
#include "online/SongSignature.h"

#include <QDateTime>
#include <QString>

#include <functional>
#include <optional>

namespace cantorel::online {

struct CachedAnswer {
    bool found = false;
    LrclibRecord record; // when found
};

class AnswerCache {
public:
    using Clock = std::function<QDateTime()>;
    static constexpr int kNotFoundDays = 7;
    static constexpr int kFoundDays = 30;

    // cacheDirectory() + "/lrclib".
    static QString defaultFolder();

    // `now` tells the time (UTC); the real clock when not given.
    explicit AnswerCache(QString folder = defaultFolder(), Clock now = {});

    // The kept answer of `server` for `song`, when there is one still good.
    std::optional<CachedAnswer> answer(const QString& server, const SongSignature& song) const;
    // Keeps an answer; false when it could not be written (nothing else
    // happens: the song is asked again next time).
    bool keepFound(const QString& server, const SongSignature& song, const LrclibRecord& record) const;
    bool keepNotFound(const QString& server, const SongSignature& song) const;

    // The file that holds the answer for `song` (whether or not it exists).
    QString fileOf(const QString& server, const SongSignature& song) const;

private:
    bool keep(const QString& server, const SongSignature& song, const QJsonObject& answer) const;

    QString m_folder;
    Clock m_now;
};

} // namespace cantorel::online
