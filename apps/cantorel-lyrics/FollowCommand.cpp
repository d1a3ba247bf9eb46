#include "FollowCommand.h"

#include "follow/FollowedPlayer.h"
#include "follow/Following.h"
#include "follow/LineFormat.h"
#include "follow/PlayerWatcher.h"
#include "follow/TrackLyric.h"

#include <QCoreApplication>
#include <QDBusConnection>
#include <QTextStream>

#include <cstdio>

namespace cantorel {

namespace {

using namespace follow;

struct FollowOptions {
    FollowChoice choice = FollowChoice::playing();
    bool translated = false;
    QString format;
};

// False for arguments that are not follow's.
bool parseOptions(const QStringList& args, FollowOptions* options)
{
    for (int i = 0; i < args.size(); ++i) {
        const QString& arg = args[i];
        const bool hasValue = i + 1 < args.size();
        if (arg == QLatin1String("--translation")) {
            options->translated = true;
        } else if (arg == QLatin1String("--player") && hasValue && !args[i + 1].isEmpty()) {
            options->choice = FollowChoice::named(args[++i]);
        } else if (arg == QLatin1String("--format") && hasValue) {
            options->format = args[++i];
        } else {
            return false;
        }
    }
    return true;
}

// Writes a line each time what is heard changes.
class LinePrinter {
public:
    LinePrinter(Following& following, TrackLyric& lyric, LineFormat format)
        : m_following(following), m_lyric(lyric), m_format(std::move(format)), m_last(m_format.render({}))
    {}

    void print()
    {
        const QString now = m_format.render(heard());
        if (now == m_last)
            return;
        m_last = now;
        std::fputs(now.toUtf8().append('\n').constData(), stdout);
        std::fflush(stdout);
    }

private:
    HeardLine heard() const
    {
        const MprisTrack track = m_following.track();
        HeardLine heard {m_lyric.line(),
                         m_lyric.translation(),
                         m_lyric.hasTranslation(),
                         track.title,
                         track.artists.join(QStringLiteral(", ")),
                         track.album,
                         QString()};
        if (const FollowedPlayer* followed = m_following.followed())
            if (const PlayerInfo* info = m_following.watcher().player(followed->busName()))
                heard.player = info->identity;
        return heard;
    }

    Following& m_following;
    TrackLyric& m_lyric;
    LineFormat m_format;
    QString m_last;
};

} // namespace

int runFollow(const QStringList& arguments)
{
    FollowOptions options;
    if (!parseOptions(arguments, &options))
        return kFollowWrongArguments;
    QString error;
    std::optional<LineFormat> format = LineFormat::parse(options.format, options.translated, &error);
    if (!format) {
        QTextStream(stderr) << "cantorel-lyrics: " << error << '\n';
        return kFollowWrongArguments;
    }
    Following following(QDBusConnection::sessionBus());
    if (!following.hasBus()) {
        QTextStream(stderr) << "cantorel-lyrics: there is no session bus to find media players on\n";
        return kFollowNoBus;
    }
    TrackLyric lyric(following.clock());
    LinePrinter printer(following, lyric, std::move(*format));
    QObject::connect(&following, &Following::trackChanged, &lyric, [&lyric](const MprisTrack& track) {
        // Where the lyric came from, or why it could not be read, for the
        // one who reads stderr.
        const lyrics::FoundLyric found = lyric.load(track.localPath());
        if (found.load.outcome == lyrics::LyricLoad::Outcome::Failed)
            QTextStream(stderr) << found.errorText << '\n';
        else if (lyric.hasLyric())
            QTextStream(stderr) << "lyric: " << found.origin.describe() << '\n';
    });
    QObject::connect(&following, &Following::clockChanged, &lyric, &TrackLyric::clockChanged);
    QObject::connect(&following, &Following::captionChanged, &lyric, [&printer] { printer.print(); });
    QObject::connect(&lyric, &TrackLyric::linesChanged, &lyric, [&printer] { printer.print(); });
    following.start();
    following.choose(options.choice);
    return QCoreApplication::exec();
}

} // namespace cantorel
