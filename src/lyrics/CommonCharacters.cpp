#include "lyrics/CommonCharacters.h"

#include <QString>

#include <array>
#include <bitset>
#include <iconv.h>

namespace cantorel::lyrics {

namespace {

// The characters most texts are made of, with the words songs are made of
// added. Order does not matter; repeats do no harm.
const char kFrequentSimplified[] =
    "的一是不了人我在有他这中大来上国个到说们为子和你地出道也时年得就那要下以生会自着去之过家学对可她里后小么"
    "心多天而能好都然没日于起还发成事只作当想看文无开手十用主行方又如前所本见经头面公同三已老从动两长知民样现"
    "分将外但身些与高意进把法此实回二理美点月明其种声全工己话儿者向情部正名定女问力机给等几很业最间新什打便位"
    "因重被走电四第门相次东政海口使教西再平真听世气信北少关并内加化由却代军产入先山五太水万市眼体别处总才场师"
    "书比住员九笑性通目华报立马命张活难神数件安表原车白应路期叫死常提感金何更反合放做系计或司利受光王果亲界及"
    "今京务制解各任至清物台象记边共风战干接它许八特觉望直服毛林题建南度统色字请交爱让认算论百吃义科怎元社术结"
    "六功指思非流每青管夫连远资队跟带花快条院变联言权往展该领传近留红治决周保达办运武半候七必城父强步完革深区"
    "即求品士转量空甚众技轻程告江语英基派满式李息写呢识极令黄德收脸钱倒未持取设始双历越史商千片容像找友孩站广"
    "改形早房音火际则首单导影失拿网香似专石若弟谁读志飞观争包落视喜离虽坐集宝谈拉黑且随格尽讲布微怕母调根曾终"
    "乐切级精哪示冷梦泪雨夜星伤痛恋怀念忘唱歌云春秋冬夏雪醉酒温柔寂寞孤幸福丽吻抱拥牵陪伴守护灯桥河岸街窗跑翔"
    "晚朝希碎苦哭泣遇咱吧呀啊吗哦嗯哎唉啦哟喔誓诺忆笼盏亮吹铺滴懂累醒痕暖依偎呼吸睛肩膀彼曾经昨阳沙滩浪蓝绿紫"
    "颜玫瑰瓣叶枫樱烟角站列旅漂泊故乡涯荒枯烂岁华挂疼悲甜蜜善良勇敢坚脆独奈遗憾悔错期由翅魔奇迹童宝贝哥姐妹妈"
    "爸朋兄伙静轻默默慢等待雾霜露溪湖泉岛峰谷田野草树林森鸟蝶鱼猫狗马羊龙凤虎狼雁燕鹤钟琴笛鼓舞梦你我他";

const char kFrequentTraditional[] =
    "的一是不了人我在有他這中大來上國個到說們為子和你地出道也時年得就那要下以生會自著去之過家學對可她裡後小麼"
    "心多天而能好都然沒日於起還發成事只作當想看文無開手十用主行方又如前所本見經頭面公同三已老從動兩長知民樣現"
    "分將外但身些與高意進把法此實回二理美點月明其種聲全工己話兒者向情部正名定女問力機給等幾很業最間新什打便位"
    "因重被走電四第門相次東政海口使教西再平真聽世氣信北少關並內加化由卻代軍產入先山五太水萬市眼體別處總才場師"
    "書比住員九笑性通目華報立馬命張活難神數件安表原車白應路期叫死常提感金何更反合放做系計或司利受光王果親界及"
    "今京務制解各任至清物台象記邊共風戰乾接它許八特覺望直服毛林題建南度統色字請交愛讓認算論百吃義科怎元社術結"
    "六功指思非流每青管夫連遠資隊跟帶花快條院變聯言權往展該領傳近留紅治決周保達辦運武半候七必城父強步完革深區"
    "即求品士轉量空甚眾技輕程告江語英基派滿式李息寫呢識極令黃德收臉錢倒未持取設始雙歷越史商千片容像找友孩站廣"
    "改形早房音火際則首單導影失拿網香似專石若弟誰讀志飛觀爭包落視喜離雖坐集寶談拉黑且隨格盡講布微怕母調根曾終"
    "樂切級精哪示冷夢淚雨夜星傷痛戀懷念忘唱歌雲春秋冬夏雪醉酒溫柔寂寞孤幸福麗吻抱擁牽陪伴守護燈橋河岸街窗跑翔"
    "晚朝希碎苦哭泣遇咱吧呀啊嗎哦嗯哎唉啦喲喔誓諾憶籠盞亮吹鋪滴懂累醒痕暖依偎呼吸睛肩膀彼曾經昨陽沙灘浪藍綠紫"
    "顏玫瑰瓣葉楓櫻煙角站列旅漂泊故鄉涯荒枯爛歲華掛疼悲甜蜜善良勇敢堅脆獨奈遺憾悔錯期由翅魔奇蹟童寶貝哥姐妹媽"
    "爸朋兄夥靜輕默默慢等待霧霜露溪湖泉島峰谷田野草樹林森鳥蝶魚貓狗馬羊龍鳳虎狼雁燕鶴鐘琴笛鼓舞裏妳祢";

const char kFrequentKanji[] =
    "日一国会人年大十二本中長出三時行見月分後前生五間上東四今金九入学高円子外八六下来気小七山話女北午百書先名"
    "川千水半男西電校語土木聞食車何南万毎白天母火右読友左休父雨私君僕俺心夢愛空光風花星夜涙声歌手目顔胸想思言"
    "知笑泣恋世界街道明朝未遠願信強弱優悲寂瞳髪肩背腕指唇命死魂羽翼飛翔海波砂浜島雪春夏秋冬桜陽影闇幻色赤青緑"
    "黄黒紅銀雲虹雷嵐森林葉草咲散落消残帰待別離始終最初昨自分誰事物者所度回数答問題意味理由記憶過去現在彼達家"
    "族両親供少多歩走止動変届伝感触守探付忘覚選決持続越超切近隣側向合同違約束瞬配丈夫頑張抱締温熱冷暖寒痛苦幸"
    "福運奇跡希望絶勇元当嘘真実全部然場所誓祈願奏響鳴音調旅路駅窓扉部屋町村都市空港船灯火炎燃輝煌照映描綴紡";

const char kFrequentHangul[] =
    "이다는의에고하가지을서기리나로를사어도한대자아게니수해스보일그시정요만오우인으들주라내면전세되제마상조있것"
    "문장거부소여비성구없했습생과까동년말러너은적모무방위경원간국중신화공분연운발각개실학회안미물통계관법선당결"
    "음날김현민행명금영본식불진견심치단알반건속님람때번래럼랑노눈꿈별빛밤늘바슴녕억추약싶줘봐같좋몰잊떠매항언히"
    "처막함께혼둘든얼굴손입술목을꽃잎얀파붉밝둠햇살달길집창려와들여느껴믿웃울워복괜찮짜또더많금직벌써디누뭐왜"
    "떻데록며죠네군걸겠던었았였할될볼갈올줄르잖야돼십께한테부터처럼큼뿐든던져왔갔봤줬났렸겨워듯곳속새로운곁품"
    "숨쉬멀리가까멈춰흘러내려날개하늘구름바람비눈물노래춤소리마음사랑봄름을겨울꽃향기첫키스";

using CharSet = std::bitset<0x10000>;

void addUtf8(CharSet& set, const char* utf8)
{
    for (const QChar c : QString::fromUtf8(utf8)) {
        if (!c.isSurrogate())
            set.set(c.unicode());
    }
}

// Adds the characters of the two-byte codes lead x trail of `encoding`
// (glibc's iconv name) that decode to one BMP character.
void addCodes(CharSet& set, const char* encoding, int firstLead, int lastLead,
              std::initializer_list<std::pair<int, int>> trails)
{
    iconv_t cd = iconv_open("UTF-16LE", encoding);
    if (cd == iconv_t(-1)) // NOLINT(performance-no-int-to-ptr): iconv's failure value
        return;
    for (int lead = firstLead; lead <= lastLead; ++lead) {
        for (const auto& [first, last] : trails) {
            for (int trail = first; trail <= last; ++trail) {
                char in[2] = {char(lead), char(trail)};
                unsigned char out[4];
                char* src = in;
                char* dst = reinterpret_cast<char*>(out);
                size_t srcLeft = 2, dstLeft = sizeof out;
                iconv(cd, nullptr, nullptr, nullptr, nullptr);
                if (iconv(cd, &src, &srcLeft, &dst, &dstLeft) != size_t(-1) && dstLeft == 2)
                    set.set(char16_t(out[0] | out[1] << 8));
            }
        }
    }
    iconv_close(cd);
}

struct Sets {
    std::array<CharSet, 8> of;
    Sets()
    {
        CharSet& simplified = of[int(CommonSet::SimplifiedHanzi)];
        addCodes(simplified, "GB18030", 0xB0, 0xD7, {{0xA1, 0xFE}});
        CharSet& traditional = of[int(CommonSet::TraditionalHanzi)];
        addCodes(traditional, "CP950", 0xA4, 0xC5, {{0x40, 0x7E}, {0xA1, 0xFE}});
        addCodes(traditional, "CP950", 0xC6, 0xC6, {{0x40, 0x7E}});
        addCodes(of[int(CommonSet::JapaneseKanji)], "EUC-JP", 0xB0, 0xCF, {{0xA1, 0xFE}});
        addCodes(of[int(CommonSet::Hangul)], "CP949", 0xB0, 0xC8, {{0xA1, 0xFE}});
        addUtf8(of[int(CommonSet::FrequentSimplified)], kFrequentSimplified);
        addUtf8(of[int(CommonSet::FrequentTraditional)], kFrequentTraditional);
        addUtf8(of[int(CommonSet::FrequentKanji)], kFrequentKanji);
        addUtf8(of[int(CommonSet::FrequentHangul)], kFrequentHangul);
    }
};

} // namespace

bool inCommonSet(CommonSet set, char16_t c)
{
    static const Sets sets;
    return sets.of[int(set)].test(c);
}

} // namespace cantorel::lyrics
