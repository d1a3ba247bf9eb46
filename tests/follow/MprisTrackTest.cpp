// What another player says of its track, believed only as far as it goes:
// URLs with odd characters (escaped or not), missing or nonsense lengths,
// values of the wrong type, texts too long.
#include "follow/MprisTrack.h"
#include "support/ForeignNames.h"
#include "support/TestFiles.h"

#include <QDBusObjectPath>
#include <QTemporaryDir>
#include <QUrl>

using namespace cantorel;
using namespace cantorel::follow;
using namespace cantorel::testing;

TEST(MprisTrack, FindsTheFileOfAnUrlHoweverItIsWritten)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString odd = dir.filePath("Rain #2 (100% live?) — 雨.mp3");
    writeFile(odd, "audio");
    auto pathOf = [](const QString& url) {
        MprisTrack track;
        track.url = url;
        return track.localPath();
    };

    // As it should be written, with every odd character escaped.
    EXPECT_EQ(pathOf(QUrl::fromLocalFile(odd).toString(QUrl::FullyEncoded)), odd);
    // As some players write it: the name as it stands.
    EXPECT_EQ(pathOf("file://" + odd), odd);
    // A name that is not UTF-8, escaped byte by byte.
    ForeignNamedFiles foreign(dir.path());
    const QString latin1 = foreign.make("Caf\xe9.ogg", "audio");
    EXPECT_EQ(
        pathOf("file://" + QString::fromLatin1(QFile::encodeName(dir.path()).toPercentEncoding("/")) + "/Caf%E9.ogg"),
        latin1);

    // Nothing local, or nothing there.
    EXPECT_EQ(pathOf("https://example.invalid/Rain.mp3"), "");
    EXPECT_EQ(pathOf("file://" + dir.filePath("gone.mp3")), "");
    EXPECT_EQ(pathOf("file://relative.mp3"), "");
    EXPECT_EQ(pathOf(""), "");
}

TEST(MprisTrack, TakesWhatThePlayerSaysWithinBounds)
{
    const QVariantMap full {{"mpris:trackid", QVariant::fromValue(QDBusObjectPath("/t/1"))},
                            {"xesam:url", "file:///m/Rain.mp3"},
                            {"xesam:title", "  Rain  "},
                            {"xesam:artist", QStringList {"The Clouds", "", "Drizzle"}},
                            {"xesam:album", "Weather"},
                            {"mpris:length", qint64(183500000)}};
    const MprisTrack track = trackFromMetadata(full);
    EXPECT_EQ(track.trackId, "/t/1");
    EXPECT_EQ(track.title, "Rain");
    EXPECT_EQ(track.artists, (QStringList {"The Clouds", "Drizzle"}));
    EXPECT_EQ(track.album, "Weather");
    EXPECT_EQ(track.lengthMs, 183500);
    EXPECT_EQ(track.caption(), "Rain - The Clouds, Drizzle");

    // Lengths: missing, of another number type, or nonsense.
    auto lengthOf = [](const QVariant& length) { return trackFromMetadata({{"mpris:length", length}}).lengthMs; };
    EXPECT_EQ(trackFromMetadata({}).lengthMs, -1);
    EXPECT_EQ(lengthOf(quint64(2000000)), 2000);
    EXPECT_EQ(lengthOf(int(3000000)), 3000);
    EXPECT_EQ(lengthOf(4000000.0), 4000);
    EXPECT_EQ(lengthOf(qint64(-5)), -1);
    EXPECT_EQ(lengthOf(QString("180000000")), -1);
    EXPECT_EQ(lengthOf(std::numeric_limits<quint64>::max()), -1);
    EXPECT_EQ(lengthOf(1e300), -1);

    // One artist as a plain string; values of the wrong type; no title.
    const MprisTrack odd = trackFromMetadata({{"xesam:artist", "Solo"},
                                              {"xesam:title", 42},
                                              {"xesam:album", QStringList {"x"}},
                                              {"xesam:url", "file:///m/Named%20By%20Url.ogg"}});
    EXPECT_EQ(odd.artists, QStringList {"Solo"});
    EXPECT_EQ(odd.title, "");
    EXPECT_EQ(odd.album, "");
    EXPECT_EQ(odd.caption(), "Named By Url.ogg - Solo");
    EXPECT_TRUE(trackFromMetadata({{"xesam:title", 1.5}}).isEmpty());

    // Texts and lists are cut to size.
    QStringList many;
    for (int i = 0; i < 100; ++i)
        many << QString(5000, u'a');
    const MprisTrack huge = trackFromMetadata({{"xesam:artist", many}, {"xesam:title", QString(100000, u'x')}});
    EXPECT_EQ(huge.artists.size(), MprisTrack::kMaxArtists);
    EXPECT_EQ(huge.artists.first().size(), MprisTrack::kMaxTextLength);
    EXPECT_EQ(huge.title.size(), MprisTrack::kMaxTextLength);
}
