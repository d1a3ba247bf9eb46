#pragma once
// Online tests: a local stand-in server, a client with short time limits,
// answers kept in a temporary cache, and tagged songs in a temporary folder.
#include "online/LrclibClient.h"
#include "online/LyricLookup.h"
#include "support/FakeLrclibServer.h"
#include "support/ScopedEnvironment.h"
#include "support/TaggedSongs.h"
#include "support/TestFiles.h"
#include "support/Wait.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <optional>

namespace cantorel::testing {

class OnlineTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        ASSERT_TRUE(server.listen());
    }

    online::ClientOptions options(int timeoutMs = 3000) const { return {QUrl(server.url()), timeoutMs}; }

    // The answer to a request, waited for (bounded).
    static online::ServerAnswer answerOf(online::ServerRequest* request)
    {
        std::optional<online::ServerAnswer> answer;
        QObject::connect(request, &online::ServerRequest::finished, [&](const online::ServerAnswer& a) { answer = a; });
        EXPECT_TRUE(waitUntil([&] { return answer.has_value(); }));
        return answer.value_or(online::ServerAnswer());
    }
    static online::LookupResult resultOf(online::LookupJob* job)
    {
        std::optional<online::LookupResult> result;
        QObject::connect(job, &online::LookupJob::finished, [&](const online::LookupResult& r) { result = r; });
        EXPECT_TRUE(waitUntil([&] { return result.has_value(); }));
        return result.value_or(online::LookupResult());
    }

    // A two-second Ogg Vorbis song with these tags ("" leaves one out).
    QString song(const QString& name, const char* title = "", const char* artist = "", const char* album = "")
    {
        const QString path = copyFixture("tones.ogg", dir.filePath(name));
        for (auto [field, text] : {std::pair {"TITLE", title}, {"ARTIST", artist}, {"ALBUM", album}}) {
            if (*text)
                addVorbisComment(path, field, text);
        }
        return path;
    }

    QTemporaryDir dir;
    FakeLrclibServer server;
    ScopedEnvironment cacheHome {"XDG_CACHE_HOME", (dir.path() + QStringLiteral("/cache")).toUtf8()};
};

} // namespace cantorel::testing
