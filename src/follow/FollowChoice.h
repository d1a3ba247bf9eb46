#pragma once
// Which other media player the lyric follows: none, whichever plays (the
// one that started playing last, when several do), or the one whose bus
// name ends in a given name ("mpv" for org.mpris.MediaPlayer2.mpv; a
// player that runs more than once adds ".instance<pid>" to its name, and
// "mpv" still names each of them).
#include <QString>
#include <QStringList>

#include <optional>

namespace cantorel::follow {

struct FollowChoice {
    enum class Kind { None, Playing, Named };
    Kind kind = Kind::None;
    QString name; // Named: the end of the bus name

    static FollowChoice none() { return {}; }
    static FollowChoice playing() { return {Kind::Playing, {}}; }
    static FollowChoice named(const QString& name) { return {Kind::Named, name}; }
    // The choice that names the player at `busName`, whichever instance of
    // it runs: "org.mpris.MediaPlayer2.mpv.instance42" gives "mpv".
    static FollowChoice of(const QString& busName);
    // The command-line option that gives this choice ("--follow",
    // "--follow=mpv"; "" for none), as takeFollowOption() reads it.
    QString asOption() const;

    bool operator==(const FollowChoice&) const = default;
    bool active() const { return kind != Kind::None; }
    // Named: whether the player at `busName` is the one named.
    bool names(const QString& busName) const;
};

// Takes "--follow" (whichever plays) or "--follow=NAME" out of `arguments`;
// nullopt when neither is there. "--follow=" names nothing: `error` says so
// and the result is nullopt.
std::optional<FollowChoice> takeFollowOption(QStringList& arguments, QString* error);

} // namespace cantorel::follow
