#include "lyrics/EncodingGuess.h"

#include "lyrics/EncodingCorpus.h"
#include "support/LegacyText.h"
#include <gtest/gtest.h>

#include <iostream>
#include <map>

using namespace cantorel::lyrics;
using namespace cantorel::testing;

namespace {

QString lrcOf(const QStringList& lines)
{
    QString lrc = QStringLiteral("[ti:sample]\r\n");
    for (int i = 0; i < lines.size(); ++i)
        lrc += QStringLiteral("[00:%1.50]").arg(10 + i * 5) + lines[i] + QStringLiteral("\r\n");
    return lrc;
}

struct Tally {
    int right = 0;
    int total = 0;
    QStringList misses;
};

// Guesses the encoding of `text` written in `encoding`; right when the
// guess reads back the very same text.
void tally(Tally& t, const QString& text, const char* encoding, DesktopLanguage language)
{
    const QByteArray bytes = legacyBytes(text, encoding);
    const FileEncoding guess = guessEncoding(bytes, language);
    ++t.total;
    if (decodeAs(guess.encoding, bytes) == text)
        ++t.right;
    else
        t.misses << QStringLiteral("%1 %2 read as %3").arg(QLatin1String(encoding), text, encodingName(guess.encoding));
}

std::map<std::string, Tally> runCorpus(DesktopLanguage language)
{
    std::map<std::string, Tally> groups;
    const auto run = [&](const CorpusGroup& g, bool whole) {
        for (const QString& encoding : QString::fromLatin1(g.encodings).split(u' ')) {
            const QStringList texts = corpusTexts(g.texts);
            if (whole) {
                tally(groups[g.name], lrcOf(texts), encoding.toLatin1().constData(), language);
                continue;
            }
            for (const QString& text : texts)
                tally(groups[g.name], text, encoding.toLatin1().constData(), language);
        }
    };
    for (const CorpusGroup& g : kShortLines)
        run(g, false);
    for (const CorpusGroup& g : kSparseLines)
        run(g, false);
    for (const CorpusGroup& g : kWholeLyrics)
        run(g, true);
    // UTF-16 without a byte-order mark, both orders, five scripts.
    for (const int sample : {0, 2, 3, 4, 6}) {
        for (const char* order : {"UTF-16LE", "UTF-16BE"})
            tally(groups["utf16"], lrcOf(corpusTexts(kWholeLyrics[sample].texts)), order, language);
    }
    return groups;
}

} // namespace

// The aims: at least 95 % right overall; every whole lyric and every
// UTF-16 file right, whatever the desktop's language.
TEST(EncodingGuess, CorpusIsReadRight)
{
    const std::map<std::string, Tally> groups = runCorpus(DesktopLanguage::Other);
    int right = 0, total = 0;
    for (const auto& [name, t] : groups) {
        std::cout << "[ corpus   ] " << name << ": " << t.right << " of " << t.total << " right\n";
        for (const QString& miss : t.misses)
            std::cout << "               " << miss.toStdString() << '\n';
        right += t.right;
        total += t.total;
    }
    std::cout << "[ corpus   ] overall: " << right << " of " << total << " right\n";
    EXPECT_GE(right * 100, total * 95);
    for (const char* group : {"whole", "utf16"})
        EXPECT_EQ(groups.at(group).right, groups.at(group).total) << group;

    for (const DesktopLanguage language :
         {DesktopLanguage::ChineseSimplified, DesktopLanguage::ChineseTraditional, DesktopLanguage::Japanese,
          DesktopLanguage::Korean, DesktopLanguage::Cyrillic}) {
        const std::map<std::string, Tally> local = runCorpus(language);
        for (const char* group : {"whole", "utf16"})
            EXPECT_EQ(local.at(group).right, local.at(group).total) << group << " " << int(language);
    }
}

TEST(EncodingGuess, TiesGoToTheDesktopsLanguage)
{
    using L = DesktopLanguage;
    const std::pair<const char*, L> locales[] = {{"zh_CN.UTF-8", L::ChineseSimplified},
                                                 {"zh_TW.UTF-8", L::ChineseTraditional},
                                                 {"zh-Hant-HK", L::ChineseTraditional},
                                                 {"zh_HK", L::ChineseTraditional},
                                                 {"ja_JP.eucJP", L::Japanese},
                                                 {"ko-KR", L::Korean},
                                                 {"ru_RU", L::Cyrillic},
                                                 {"uk_UA.UTF-8", L::Cyrillic},
                                                 {"bg", L::Cyrillic},
                                                 {"pl_PL", L::Other},
                                                 {"en_US", L::Other},
                                                 {"C", L::Other}};
    for (const auto& [name, language] : locales)
        EXPECT_EQ(desktopLanguageOf(name), language) << name;

    // Frequent characters either way: 常单 in GB18030, 都等 in Big5.
    const QByteArray both("\xB3\xA3\xB5\xA5");
    EXPECT_EQ(guessEncoding(both, L::ChineseTraditional).encoding, TextEncoding::Big5);
    EXPECT_EQ(guessEncoding(both, L::ChineseSimplified).encoding, TextEncoding::Gb18030);
    EXPECT_EQ(guessEncoding(both, L::Other).encoding, TextEncoding::Gb18030);
    // A clear answer does not bend to the desktop.
    EXPECT_EQ(guessEncoding(legacyBytes(QStringLiteral("ありがとう"), "CP932"), L::Korean).encoding,
              TextEncoding::ShiftJis);
}
