#pragma once
// The track another media player on the desktop plays, as its MPRIS
// `Metadata` describes it. What a player sends is untrusted: every text is
// cut to kMaxTextLength characters, at most kMaxArtists artists are kept,
// values of the wrong type are left out, and a length that is missing,
// negative or absurd is unknown (-1).
#include <QString>
#include <QStringList>
#include <QVariantMap>

#include <optional>

namespace cantorel::follow {

struct MprisTrack {
    static constexpr int kMaxTextLength = 1024;
    static constexpr int kMaxUrlLength = 8192;
    static constexpr int kMaxArtists = 16;

    QString trackId; // mpris:trackid, "" when none was given
    QString url;     // xesam:url as sent
    QString title;
    QStringList artists;
    QString album;
    qint64 lengthMs = -1; // mpris:length, -1 when unknown

    bool operator==(const MprisTrack&) const = default;
    bool isEmpty() const { return *this == MprisTrack(); }

    // The local file the URL names, "" for another scheme or a file that is
    // not there. A player that writes the name without percent-escapes
    // ("file:///m/Rain #2.mp3") is understood too: when the URL as parsed
    // names no file, the text after "file://" is tried as it stands.
    QString localPath() const;
    // What a title bar says of it: "Title - Artist, Artist", the title
    // alone, or else the file's name from the URL; "" for nothing.
    QString caption() const;
};

// The track of a `Metadata` map (its values as they came off the bus:
// nested lists may still be D-Bus arguments).
MprisTrack trackFromMetadata(const QVariantMap& metadata);

// The properties a player reported (a GetAll answer or a PropertiesChanged),
// with any nested map or list turned into plain values; values whose D-Bus
// type is not the one asked are left out.
QVariantMap plainMap(const QVariant& value);

// A whole number a player sent (MPRIS says int64; players send other number
// types too): nullopt for anything else, or a number no int64 can hold.
std::optional<qint64> integerOf(const QVariant& value);

} // namespace cantorel::follow
