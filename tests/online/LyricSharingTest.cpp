// Sharing a lyric: the proof of work, what is sent, and what the server said.
#include "OnlineFixture.h"
#include "online/LyricSharing.h"
#include "online/OnlineSettings.h"

#include "base/AppSettings.h"

#include <QCryptographicHash>

namespace cantorel::testing {
namespace {

TEST(ProofOfWork, FindsANonceWhoseHashIsAtMostTheTarget)
{
    QString error;
    const auto challenge = online::parseChallenge(
        R"({"prefix":"VXMwW2qPfW2gkCNSl1i708NJkDghtAyU","target":"00FFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFF"})",
        &error);
    ASSERT_TRUE(challenge) << error.toStdString();
    EXPECT_EQ(online::expectedTries(challenge->target), 256u);
    const std::atomic<bool> cancel {false};
    const auto nonce = online::solveChallenge(*challenge, cancel, 1'000'000);
    ASSERT_TRUE(nonce);
    // Checked apart from the solver: the first byte of the hash is zero.
    const QByteArray hash =
        QCryptographicHash::hash(challenge->prefix.toUtf8() + QByteArray::number(*nonce), QCryptographicHash::Sha256);
    EXPECT_EQ(hash[0], '\0');
    for (quint64 earlier = 0; earlier < *nonce; ++earlier)
        ASSERT_FALSE(online::meetsTarget(*challenge, earlier));

    for (const char* bad :
         {R"({"prefix":"p","target":"00FF"})", R"({"prefix":"","target":"00"})", "[]",
          R"({"prefix":"p","target":"zzFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFF"})"})
        EXPECT_FALSE(online::parseChallenge(bad, &error)) << bad;
}

TEST_F(OnlineTest, ALyricIsSharedWithItsSolvedChallengeAndTheServersWordIsReported)
{
    lyrics::TimedLyric lyric;
    lyric.translated = true;
    lyric.lines = {{100, QStringLiteral("Rain"), QStringLiteral("Pluie")}, {250, QStringLiteral("Falls"), {}}};
    lyric.lines[1].words.words = {{0, 5, 250}}; // word times stay home
    const online::SharePayload payload = online::sharePayloadOf(
        {QStringLiteral("Rain"), QStringLiteral("Nina"), QStringLiteral("Skies"), 200'400}, lyric);
    EXPECT_EQ(payload.problem(), QString());
    EXPECT_EQ(payload.firstLines(1), QStringList {QStringLiteral("Rain")});

    online::LrclibClient client(options());
    online::LyricSharing sharing(client);
    std::optional<std::pair<bool, QString>> end;
    QObject::connect(&sharing, &online::LyricSharing::finished, [&](bool published, const QString& said) {
        end = {published, said};
    });
    sharing.start(payload);
    ASSERT_TRUE(waitUntil([&] { return end.has_value(); }, 20000));
    EXPECT_TRUE(end->first) << end->second.toStdString();
    ASSERT_EQ(server.published().size(), 1);
    const QJsonObject sent = server.published().first();
    EXPECT_EQ(sent.value("trackName").toString(), "Rain");
    EXPECT_EQ(sent.value("artistName").toString(), "Nina");
    EXPECT_EQ(sent.value("albumName").toString(), "Skies");
    EXPECT_EQ(sent.value("duration").toInt(), 200);
    EXPECT_EQ(sent.value("syncedLyrics").toString(), "[00:01.00]Rain\n[00:02.50]Falls");
    EXPECT_EQ(sent.value("plainLyrics").toString(), "Rain\nFalls");

    // A token the server will not take: its word reaches the user.
    server.answerFirst([](const FakeRequest& r) -> std::optional<FakeAnswer> {
        if (r.path != QLatin1String("/api/publish"))
            return std::nullopt;
        return FakeAnswer {
            400, R"({"name":"IncorrectPublishTokenError","message":"The provided publish token is incorrect"})"};
    });
    end.reset();
    sharing.start(payload);
    ASSERT_TRUE(waitUntil([&] { return end.has_value(); }, 20000));
    EXPECT_FALSE(end->first);
    EXPECT_TRUE(end->second.contains("publish token is incorrect")) << end->second.toStdString();
    EXPECT_EQ(server.published().size(), 1);
}

TEST(OnlineSettings, TheLaterChoiceOfServerWinsAndAWrongOneIsSaidNotSwapped)
{
    QTemporaryDir dir;
    const QString conf = dir.filePath(QStringLiteral("cantorel.conf"));
    ScopedEnvironment noVariable(online::kServerVariable, QByteArray());
    AppSettings settings(conf);
    EXPECT_EQ(online::chosenServer(settings).url, QUrl(QStringLiteral("https://lrclib.net")));
    EXPECT_EQ(online::requestTimeoutMs(settings), 20000);
    EXPECT_FALSE(online::lookUpMissing(settings));

    settings.setValue(QLatin1String(online::kServerKey), QStringLiteral("https://lyrics.home.example"));
    settings.setValue(QLatin1String(online::kTimeoutKey), 5000);
    EXPECT_EQ(online::chosenServer(settings).url.host(), "lyrics.home.example");
    EXPECT_EQ(online::requestTimeoutMs(settings), 300000);
    {
        ScopedEnvironment variable(online::kServerVariable, "http://127.0.0.1:3000");
        EXPECT_EQ(online::chosenServer(settings).url.port(), 3000);
        EXPECT_EQ(online::chosenServer(settings, QStringLiteral("https://cli.example")).url.host(), "cli.example");
        const online::ServerChoice wrong = online::chosenServer(settings, QStringLiteral("lrclib.net"));
        EXPECT_FALSE(wrong.url.isValid());
        EXPECT_TRUE(wrong.problem.contains("--server")) << wrong.problem.toStdString();
    }
    settings.setValue(QLatin1String(online::kServerKey), QStringLiteral("ftp://files.example"));
    EXPECT_FALSE(online::chosenServer(settings).problem.isEmpty());
}

} // namespace
} // namespace cantorel::testing
