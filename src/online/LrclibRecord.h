#pragma once
// A lyric record as an LRCLIB server describes it, in JSON:
//
//   {"id": 3396226, "trackName": "I Want to Live", "artistName": "...",
//    "albumName": "...", "duration": 233, "instrumental": false,
//    "plainLyrics": "I feel your breath...\n...",
//    "syncedLyrics": "[00:17.12] I feel your breath...\n..."}
//
// /api/get, /api/get-cached and /api/get/{id} answer with one record (or a
// 404 with {"code": 404, "name": "TrackNotFound", "message": "..."});
// /api/search with an array of at most 20. The answer is the server's,
// untrusted: the body has been bounded in size before it comes here
// (LrclibClient.h), the JSON is read by Qt's parser, and every field is
// checked for its type; a record without a numeric id or a track name is
// no record. Texts are taken as they are; what is shown or written of the
// lyrics is bounded later (FetchedLyric.h).
#include <QByteArray>
#include <QJsonObject>
#include <QList>
#include <QString>

#include <optional>

namespace cantorel::online {

struct LrclibRecord {
    qint64 id = 0;
    QString trackName;
    QString artistName;
    QString albumName;
    double durationSeconds = 0;
    bool instrumental = false;
    QString plainLyrics;  // "" when the server has none
    QString syncedLyrics; // LRC text, "" when the server has none

    bool hasSynced() const { return !syncedLyrics.trimmed().isEmpty(); }
    bool hasPlain() const { return !plainLyrics.trimmed().isEmpty(); }
    bool operator==(const LrclibRecord&) const = default;
};

// What a record holds, best first.
enum class RecordKind { Synced, Plain, Instrumental, Empty };
RecordKind kindOf(const LrclibRecord& record);
// "synced", "plain", "instrumental", "empty": for tables and scripts.
QString kindName(RecordKind kind);

std::optional<LrclibRecord> recordOf(const QJsonObject& object);
QJsonObject jsonOf(const LrclibRecord& record);

// One record from a body; nothing (with *error set) when the body is not a
// JSON object holding a record.
std::optional<LrclibRecord> parseRecord(const QByteArray& body, QString* error);
// The records of a search's body, at most kMaxSearchResults (entries that
// are no records are skipped); nothing (with *error set) when the body is
// not a JSON array.
constexpr int kMaxSearchResults = 100;
std::optional<QList<LrclibRecord>> parseRecords(const QByteArray& body, QString* error);

// A record's duration as "m:ss" ("3:05"), rounded to the second; "?" when
// unknown.
QString durationText(double seconds);

// The "message" of an error body ({"message": "..."}), cut at 300
// characters; "" when there is none.
QString serverMessage(const QByteArray& body);

} // namespace cantorel::online
