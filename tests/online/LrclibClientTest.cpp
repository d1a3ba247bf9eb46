// The client's requests: who they say they are, what they carry, and the
// bounds on every answer.
#include "OnlineFixture.h"

namespace cantorel::testing {
namespace {

using online::ServerAnswer;

TEST_F(OnlineTest, EveryRequestSaysWhoAsksAndCarriesItsFieldsWhole)
{
    online::LrclibClient client(options());
    const online::SongSignature song {QStringLiteral("Rock & Roll + Blues = 100%"), QStringLiteral("Ångström/Ōno"),
                                      QStringLiteral("Live? #1"), 123'456};
    answerOf(client.get(song));
    const FakeRequest r = server.requests().last();
    EXPECT_EQ(r.path, "/api/get");
    EXPECT_EQ(r.query.value("track_name"), song.title);
    EXPECT_EQ(r.query.value("artist_name"), song.artist);
    EXPECT_EQ(r.query.value("album_name"), song.album);
    EXPECT_EQ(r.query.value("duration"), "123");
    for (const char* header : {"user-agent", "lrclib-client"}) {
        EXPECT_TRUE(r.headers.value(header).startsWith("Cantorel 13.")) << header;
        EXPECT_TRUE(r.headers.value(header).contains("(https://cantorel.org/)")) << header;
    }

    // A server below a path of its own keeps it.
    online::LrclibClient prefixed({QUrl(server.url() + QStringLiteral("/lyrics/")), 3000});
    answerOf(prefixed.search(QStringLiteral("Rain"), QString()));
    EXPECT_EQ(server.requests().last().path, "/lyrics/api/search");
    EXPECT_FALSE(server.requests().last().query.contains("artist_name"));
}

TEST_F(OnlineTest, AnswersAreFoundNotFoundOrFailuresThatSayWhy)
{
    online::LrclibClient client(options());
    const ServerAnswer missing = answerOf(client.getById(99));
    EXPECT_EQ(missing.status, ServerAnswer::Status::NotFound);
    EXPECT_TRUE(missing.body.contains("TrackNotFound"));

    server.answerFirst([](const FakeRequest& r) -> std::optional<FakeAnswer> {
        if (r.path != QLatin1String("/api/get/7"))
            return std::nullopt;
        return FakeAnswer {500, R"({"message":"Something bad happened"})"};
    });
    const ServerAnswer broken = answerOf(client.getById(7));
    EXPECT_EQ(broken.status, ServerAnswer::Status::Failed);
    EXPECT_EQ(broken.httpStatus, 500);
    EXPECT_TRUE(broken.error.contains("500")) << broken.error.toStdString();
    EXPECT_TRUE(broken.error.contains("Something bad happened")) << broken.error.toStdString();

    // Nobody listening.
    online::LrclibClient nowhere({QUrl(QStringLiteral("http://127.0.0.1:1")), 3000});
    const ServerAnswer refused = answerOf(nowhere.getById(1));
    EXPECT_EQ(refused.status, ServerAnswer::Status::Failed);
    EXPECT_FALSE(refused.error.isEmpty());
}

TEST_F(OnlineTest, AnAnswerIsBoundedInTimeAndSize)
{
    constexpr qint64 kLimit = 2 * 1024 * 1024;
    server.answerFirst([](const FakeRequest& r) -> std::optional<FakeAnswer> {
        const qint64 id = r.path.section(QLatin1Char('/'), -1).toLongLong();
        FakeAnswer a;
        switch (id) {
        case 1:
            a.never = true;
            return a;
        case 2:
            a.bodyBytes = kLimit + 1;
            return a;
        case 3:
            a.bodyBytes = kLimit + 1;
            a.announceLength = false;
            return a;
        case 4:
            a.bodyBytes = kLimit;
            return a;
        default:
            return std::nullopt;
        }
    });
    online::LrclibClient client(options(300));
    const ServerAnswer silent = answerOf(client.getById(1));
    EXPECT_EQ(silent.status, ServerAnswer::Status::Failed);
    EXPECT_TRUE(silent.error.contains("did not answer within 300 ms")) << silent.error.toStdString();

    online::LrclibClient patient(options(10000));
    for (int id : {2, 3}) {
        const ServerAnswer huge = answerOf(patient.getById(id));
        EXPECT_EQ(huge.status, ServerAnswer::Status::Failed) << id;
        EXPECT_TRUE(huge.error.contains("larger than 2 MiB")) << huge.error.toStdString();
        EXPECT_TRUE(huge.body.isEmpty());
    }
    const ServerAnswer full = answerOf(patient.getById(4));
    EXPECT_EQ(full.status, ServerAnswer::Status::Ok);
    EXPECT_EQ(full.body.size(), kLimit);
}

TEST_F(OnlineTest, ARedirectIsFollowedOnlyWhereItMayLead)
{
    server.answerFirst([](const FakeRequest& r) -> std::optional<FakeAnswer> {
        FakeAnswer moved {301, {}};
        if (r.path == QLatin1String("/api/get/5"))
            moved.location = "/api/get/1";
        else if (r.path == QLatin1String("/api/get/6"))
            moved.location = "file:///etc/passwd";
        else
            return std::nullopt;
        return moved;
    });
    server.add(lrclibRecord("Rain", "Nina", "", 100, QStringLiteral("[00:01]Rain")));
    online::LrclibClient client(options());
    const ServerAnswer followed = answerOf(client.getById(5));
    EXPECT_EQ(followed.status, ServerAnswer::Status::Ok) << followed.error.toStdString();
    EXPECT_TRUE(followed.body.contains("\"Rain\""));
    const ServerAnswer refused = answerOf(client.getById(6));
    EXPECT_EQ(refused.status, ServerAnswer::Status::Failed);
    EXPECT_EQ(refused.httpStatus, 301); // not followed
}

TEST(LyricServerRedirects, NeverLeadFromHttpsToPlainHttp)
{
    auto allowed = [](const char* from, const char* to) {
        return online::redirectAllowed(QUrl(QLatin1String(from)), QUrl(QLatin1String(to)));
    };
    EXPECT_FALSE(allowed("https://lrclib.net/api/get", "http://lrclib.net/api/get"));
    EXPECT_TRUE(allowed("https://lrclib.net/api/get", "https://mirror.example/api/get"));
    EXPECT_TRUE(allowed("http://lrclib.example/api/get", "https://lrclib.example/api/get"));
    EXPECT_TRUE(allowed("http://lrclib.example/api/get", "http://other.example/api/get"));
    EXPECT_FALSE(allowed("http://lrclib.example/api/get", "file:///etc/passwd"));
}

} // namespace
} // namespace cantorel::testing
