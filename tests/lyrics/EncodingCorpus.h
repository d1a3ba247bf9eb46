#pragma once
// Lyric texts as people keep them, for the encoding guess: each group is
// written in the encodings its texts are found in (iconv names); texts are
// separated by "/".
#include <QString>
#include <QStringList>

namespace cantorel::testing {

struct CorpusGroup {
    const char* name;
    const char* encodings; // iconv names, space-separated
    const char* texts;
};

inline QStringList corpusTexts(const char* texts)
{
    return QString::fromUtf8(texts).split(u'/');
}

// Short lines: titles and lines of 2 to 14 characters.
inline const CorpusGroup kShortLines[] = {
    {"short", "GBK GB18030",
     "我爱你/你好/雨落在窗上/想你的夜/再见/天空/一路向北/月亮代表我的心/说好不哭/后来/晴天/稻香/童话/我们的歌/"
     "时间都去哪儿了/小幸运/告白气球/平凡之路/演员/光年之外/老男孩/匆匆那年/夜空中最亮的星/等你下课/泡沫/红豆/"
     "传奇/十年/好久不见/海阔天空/真的爱你/爱情转移/慢慢喜欢你/起风了/你的答案"},
    {"short", "BIG5 CP950",
     "我愛你/你好/雨落在窗上/想你的夜/再見/天空/月亮代表我的心/說好不哭/後來/晴天/童話/我們的歌/小幸運/告白氣球/"
     "平凡之路/演員/光年之外/老男孩/夜空中最亮的星/等你下課/紅豆/傳奇/十年/好久不見/愛情轉移/海闊天空/真的愛你/"
     "喜歡你/小酒窩/聽海/吻別/至少還有你"},
    {"short", "CP932 EUC-JP",
     "ありがとう/さよなら/君が好き/夢の中へ/桜の花/愛してる/また会おう/東京の夜/風になる/涙そうそう/春よ、来い/"
     "空も飛べるはず/チェリー/ロビンソン/夜に駆ける/紅蓮華/残酷な天使のテーゼ/世界に一つだけの花/君の名は/雪の華/"
     "キセキ/ハナミズキ/千本桜/上を向いて歩こう/なんでもないや/前前前世"},
    {"short", "CP949",
     "사랑해/안녕/보고 싶어/고마워요/너를 사랑해/별빛이 내린다/봄날/눈물/다시 만나요/잘 가요/우리의 밤/너의 이름은/"
     "첫눈처럼 너에게 가겠다/좋은 날/밤편지/내 마음/그대만/꿈을 꾸다/바람이 분다/하늘 위로/너무 보고 싶어/"
     "사랑은 늘 도망가/아름다운 나라"},
    {"short", "CP1251",
     "Я люблю тебя/Привет/Дождь идёт/Звезда/Калинка/Катюша/Кукушка/Группа крови/Ночь/Летний дождь/Мама/"
     "Спокойной ночи/Ой, у лузі/Червона рута/Обичам те/Зима/Не уходи/Где же ты/Всё пройдёт/Миллион алых роз/"
     "Ти моя/Моя любов"},
    {"short", "KOI8-R",
     "Я люблю тебя/Привет/Дождь идёт/Звезда/Калинка/Катюша/Кукушка/Группа крови/Ночь/Летний дождь/Мама/"
     "Спокойной ночи/Зима/Не уходи/Где же ты/Всё пройдёт/Миллион алых роз"},
    {"short", "CP1250",
     "Miluju tě/Kocham cię/Dobrou noc, lásko/Żegnaj/Łzy/Dziękuję/Přijď/Čas/Śnieg/Jeszcze raz/Ľúbim ťa/Život/"
     "Řeka/Ďakujem/Noc będzie/Szeretlek, édes/Dobrý den/Szabadság/Czerwone korale/Nie płacz"},
    {"short", "CP1252",
     "Je t’aime/Café/Für Elise/Mañana/Ça va/Là-bas/Über alles/Señorita/Noël/Déjà vu/Garçon/Straße/Canção/"
     "Città/Björk/Forêt/Où es-tu/Niño/À bientôt/Sí, señor/Frère Jacques/Ne me quitte pas, chérie"},
    {"short", "UTF-8", "我爱你/ありがとう/사랑해/Привет/Miluju tě/Café/Ελπίδα/שלום/Спокойной ночи/愛してる"},
};

// English lyrics with a few characters beyond ASCII.
inline const CorpusGroup kSparseLines[] = {
    {"sparse", "CP1252",
     "I don’t know why/It’s a beautiful day/Rock ’n’ roll all night/Wait… for me/“Stay,” she said/"
     "Now – or never/Dreamin’ of you/Café au lait tonight/My naïve heart/Beyoncé on the radio/"
     "Don’t stop believin’/We’re going home — tonight/Ain’t no sunshine/I’m on my way/‘Hold on’ to me/"
     "You’re the one I’ve waited for"},
    {"sparse", "GBK",
     "I love you 我爱你/Baby 你好吗/Tonight 月亮 shines/Say 再见 to me/My 心 is yours/Hello 北京/"
     "Dancing in 上海 tonight/I miss you 想你/Forever 永远/Oh 宝贝 come back"},
    {"sparse", "BIG5",
     "I love you 我愛你/Baby 你好嗎/Say 再見 to me/Hello 台北/I miss you 想你/Forever 永遠/Oh 寶貝 come back"},
    {"sparse", "CP932",
     "I love you 愛してる/Sayonara さよなら/Tokyo 東京 night/Arigato ありがとう/Kawaii かわいい girl/My 夢 came true"},
    {"sparse", "CP949", "I love you 사랑해/Hello 안녕/Seoul 서울 night/Baby 보고 싶어/Oppa 오빠/Thank you 고마워"},
    {"sparse", "CP1251", "Hello Москва/I love you, Катя/Da, da, да, my love"},
};

// Whole lyrics, as long as real ones run.
inline const CorpusGroup kWholeLyrics[] = {
    {"whole", "GBK GB18030",
     "雨落在老河上/我在桥头等你回来/灯笼一盏一盏亮起/风把你的名字吹远/夜色慢慢地铺满街道/我数着落下的每一滴雨/"
     "你说过春天会回来/可是花开了你还没来/河水带走了我的歌/也带走了那年的月光"},
    {"whole", "BIG5 CP950",
     "雨落在老河上/我在橋頭等你回來/燈籠一盞一盞亮起/風把你的名字吹遠/夜色慢慢地鋪滿街道/我數著落下的每一滴雨/"
     "你說過春天會回來/可是花開了你還沒來/河水帶走了我的歌/也帶走了那年的月光"},
    {"whole", "CP932 EUC-JP",
     "古い川に雨が降る/橋のたもとで君を待つ/ひとつずつ灯りがともる/風が君の名前を運んでいく/夜が静かに街を包む/"
     "落ちる雨の粒を数えている/春はまた来ると君は言った/花は咲いたのに君はまだ来ない/川は僕の歌を連れていく/"
     "あの年の月の光も一緒に"},
    {"whole", "CP949",
     "오래된 강 위에 비가 내려/다리 끝에서 너를 기다려/등불이 하나씩 켜지고/바람이 네 이름을 멀리 날려/"
     "밤이 조용히 거리를 덮어/떨어지는 빗방울을 세고 있어/봄은 다시 온다고 네가 말했지/"
     "꽃은 피었는데 너는 아직 오지 않아/강물이 내 노래를 데려가/그 해의 달빛도 함께"},
    {"whole", "CP1251 KOI8-R",
     "Дождь идёт над старой рекой/Я жду тебя у моста/Фонари зажигаются один за другим/Ветер уносит твоё имя/"
     "Ночь тихо ложится на улицы/Я считаю капли дождя/Ты говорила, что весна вернётся/"
     "Цветы распустились, а тебя всё нет/Река уносит мою песню/И лунный свет того года"},
    {"whole", "CP1250",
     "Déšť padá na starou řeku/Čekám na tebe u mostu/Lucerny se rozsvěcují jedna po druhé/Vítr odnáší tvé jméno/"
     "Noc tiše padá na ulice/Počítám kapky deště/Říkala jsi, že jaro se vrátí/Květy rozkvetly, ale ty nejsi tu/"
     "Řeka odnáší mou píseň/A měsíční světlo toho roku"},
    {"whole", "CP1252",
     "La pluie tombe sur la vieille rivière/Je t’attends près du pont, à l’été/Les lanternes s’allument, une à une/"
     "Le vent emporte ton nom — si loin/« Reviens », disait la nuit à la fenêtre/Je compte les gouttes, le cœur léger/"
     "Tu m’avais dit : le printemps reviendra/Les fleurs sont là, mais toi tu n’es pas là/La rivière emporte ma "
     "chanson/"
     "Et la lumière de la lune d’antan"},
};

} // namespace cantorel::testing
