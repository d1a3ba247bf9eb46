#include "lyrics/LyricDecoding.h"
#include "lyrics/LyricEscape.h"
#include "lyrics/LyricFiles.h"
#include "lyrics/LyricPairReader.h"
#include "lyrics/LyricSource.h"

#include "support/LegacyText.h"
#include "support/TestFiles.h"
#include <QStringEncoder>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <memory>

using namespace cantorel::lyrics;
using cantorel::testing::writeFile;

namespace {

QByteArray encoded(const QString& text, const char* encoding)
{
    return cantorel::testing::legacyBytes(text, encoding);
}

// Ten lines of a made-up song in each language, as long as real lyrics run.
const std::pair<const char*, const char*> kSamples[] = {
    {"GBK", "雨落在老河上/我在桥头等你回来/灯笼一盏一盏亮起/风把你的名字吹远/夜色慢慢地铺满街道/"
            "我数着落下的每一滴雨/你说过春天会回来/可是花开了你还没来/河水带走了我的歌/也带走了那年的月光"},
    {"BIG5", "雨落在老河上/我在橋頭等你回來/燈籠一盞一盞亮起/風把你的名字吹遠/夜色慢慢地鋪滿街道/"
             "我數著落下的每一滴雨/你說過春天會回來/可是花開了你還沒來/河水帶走了我的歌/也帶走了那年的月光"},
    {"SHIFT_JIS", "古い川に雨が降る/橋のたもとで君を待つ/ひとつずつ灯りがともる/風が君の名前を運んでいく/"
                  "夜が静かに街を包む/落ちる雨の粒を数えている/春はまた来ると君は言った/"
                  "花は咲いたのに君はまだ来ない/川は僕の歌を連れていく/あの年の月の光も一緒に"},
    {"EUC-KR", "오래된 강 위에 비가 내려/다리 끝에서 너를 기다려/등불이 하나씩 켜지고/바람이 네 이름을 멀리 날려/"
               "밤이 조용히 거리를 덮어/떨어지는 빗방울을 세고 있어/봄은 다시 온다고 네가 말했지/"
               "꽃은 피었는데 너는 아직 오지 않아/강물이 내 노래를 데려가/그 해의 달빛도 함께"},
    {"CP1251", "Дождь идёт над старой рекой/Я жду тебя у моста/Фонари зажигаются один за другим/"
               "Ветер уносит твоё имя/Ночь тихо ложится на улицы/Я считаю капли дождя/"
               "Ты говорила, что весна вернётся/Цветы распустились, а тебя всё нет/Река уносит мою песню/"
               "И лунный свет того года"},
    {"CP1252", "La pluie tombe sur la vieille rivière/Je t’attends près du pont, à l’été/"
               "Les lanternes s’allument, une à une/Le vent emporte ton nom — si loin/"
               "« Reviens », disait la nuit à la fenêtre/Je compte les gouttes, le cœur léger/"
               "Tu m’avais dit : le printemps reviendra/Les fleurs sont là, mais toi tu n’es pas là/"
               "La rivière emporte ma chanson/Et la lumière de la lune d’antan"},
};

QStringList linesOf(const char* sample)
{
    return QString::fromUtf8(sample).split(u'/');
}

QString lrcOf(const QStringList& lines)
{
    QString lrc = QStringLiteral("[ti:sample]\r\n");
    for (int i = 0; i < lines.size(); ++i)
        lrc += QStringLiteral("[00:%1.50]").arg(10 + i * 5) + lines[i] + QStringLiteral("\r\n");
    return lrc;
}

} // namespace

TEST(LyricEncoding, LegacyLrcFilesReadRight)
{
    QTemporaryDir dir;
    const QString media = dir.filePath("Rain.mp3");
    auto table = std::make_unique<LyricTable>();
    for (const auto& [legacy, sample] : kSamples) {
        // Also as UTF-16 without a byte-order mark, in both byte orders.
        for (const char* encoding : {legacy, "UTF-16LE", "UTF-16BE"}) {
            const QStringList lines = linesOf(sample);
            writeFile(dir.filePath("Rain.lrc"), encoded(lrcOf(lines), encoding));
            ASSERT_EQ(loadLyric(media, *table).load.outcome, LyricLoad::Outcome::LyricOnly) << encoding;
            ASSERT_EQ(table->loadedLines(), lines.size()) << encoding;
            for (int k = 1; k <= lines.size(); ++k)
                EXPECT_EQ(table->lines[k], lines[k - 1]) << encoding << " line " << k;
        }
    }
}

TEST(LyricEncoding, LegacyLyricPairsReadRight)
{
    QTemporaryDir dir;
    const QString media = dir.filePath("Rain.mp3");
    auto table = std::make_unique<LyricTable>();
    const QStringList chinese = linesOf(kSamples[0].second), russian = linesOf(kSamples[4].second);
    QString normal, translated;
    for (int i = 0; i < chinese.size(); ++i) {
        normal += lyricRecord(i * 100, escapeLine(chinese[i]));
        translated += lyricRecord(i * 100, escapeLine(russian[i]));
    }
    writeFile(lyricPathOf(media), encoded(normal, "GBK"));
    writeFile(translatedLyricPathOf(media), encoded(translated, "CP1251"));
    ASSERT_EQ(loadLyricPair(media, *table).outcome, LyricLoad::Outcome::WithTranslation);
    EXPECT_EQ(table->lines[3], chinese[2]);
    EXPECT_EQ(table->translatedLines[10], russian[9]);
}

TEST(LyricEncoding, ByteOrderMarksDecideTheEncoding)
{
    const QString text = QStringLiteral("[00:01.00]Ünïcödé ☂ 雨");
    for (const auto encoding : {QStringConverter::Utf8, QStringConverter::Utf16LE, QStringConverter::Utf16BE})
        EXPECT_EQ(decodeLyricBytes(QStringEncoder(encoding, QStringConverter::Flag::WriteBom)(text)), text);
    // Neither UTF-8 nor anything guessable: Windows-1252 for the whole file.
    EXPECT_EQ(decodeLyricBytes("Spa\xdf\x85 sch\xf6n"), QStringLiteral("Spaß… schön"));
}
