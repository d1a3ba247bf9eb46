// What `cantorel-lyrics follow` writes for each change: the line, the
// translation instead, a template, or JSON, and nothing but an empty line
// in a silence.
#include "follow/LineFormat.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <gtest/gtest.h>

using namespace cantorel::follow;

namespace {

const HeardLine kSung {"Rain falls\r\non me", "La pluie", true, "Rain", "The Clouds", "Weather", "mpv"};
const HeardLine kSilence {"", "", true, "Rain", "The Clouds", "Weather", "mpv"};

LineFormat formatOf(const QString& format, bool translated = false)
{
    QString error;
    const auto parsed = LineFormat::parse(format, translated, &error);
    EXPECT_TRUE(parsed) << error.toStdString();
    return parsed.value_or(*LineFormat::parse("", false, &error));
}

} // namespace

TEST(LineFormat, TextsAndTemplates)
{
    EXPECT_EQ(formatOf("").render(kSung), "Rain falls on me"); // always one line
    EXPECT_EQ(formatOf("").render(kSilence), "");
    EXPECT_EQ(formatOf("", true).render(kSung), "La pluie");
    HeardLine untranslated = kSung;
    untranslated.hasTranslation = false;
    EXPECT_EQ(formatOf("", true).render(untranslated), "Rain falls on me");

    const LineFormat bar = formatOf("♪ {line} ({translation}) — {title}/{artist}/{album} in {player} {{x}}");
    EXPECT_EQ(bar.render(kSung), "♪ Rain falls on me (La pluie) — Rain/The Clouds/Weather in mpv {x}");
    EXPECT_EQ(bar.render(kSilence), "");
    EXPECT_EQ(formatOf("{line} }{ {").render(kSung), "Rain falls on me }{ {");

    QString error;
    EXPECT_FALSE(LineFormat::parse("{lyric}", false, &error));
    EXPECT_NE(error.indexOf("{lyric}"), -1);
}

TEST(LineFormat, JsonCarriesEveryFieldAndAnEmptyTextInASilence)
{
    const QJsonObject sung = QJsonDocument::fromJson(formatOf("json", true).render(kSung).toUtf8()).object();
    EXPECT_EQ(sung.value("text").toString(), "La pluie");
    EXPECT_EQ(sung.value("line").toString(), "Rain falls on me");
    EXPECT_EQ(sung.value("player").toString(), "mpv");
    const QString silent = formatOf("json").render(kSilence);
    EXPECT_FALSE(silent.contains('\n'));
    EXPECT_EQ(QJsonDocument::fromJson(silent.toUtf8()).object().value("text").toString(), "");
    EXPECT_EQ(QJsonDocument::fromJson(silent.toUtf8()).object().value("title").toString(), "Rain");
}
