#include "qelview_catalogue.h"
#include "category_headings.h"

namespace {
// Entries in list order; picture numbers run on without a gap from one category
// to the next, starting at 1. The list texts keep their trailing spaces.
// Picture 0, the overview, belongs to no entry: it is shown at start and on a
// double-click.
constexpr CatalogueEntry eyebrows[] = {
    {0, u"真面目", 1, u"眉毛朝下，严肃的表情"},
    {1, u"困る", 2, u"眉毛前段往上，悲伤的表情"},
    {2, u"にこり", 3, u"眉毛中部向上，开心的表情"},
    {3, u"怒り", 4, u"眉毛朝下并皱眉"},
    {4, u"上", 5, u"两眉向上"},
    {5, u"下", 6, u"两眉向下"},
};

constexpr CatalogueEntry eyes[] = {
    {0, u"まばたき", 7, u"闭眼"},
    {1, u"笑い", 8, u"笑着闭眼"},
    {2, u"ウィンク", 9, u"笑着闭左眼"},
    {3, u"ウィンク右", 10, u"笑着闭右眼"},
    {4, u"ウィンク２", 11, u"闭左眼"},
    {5, u"ウィンク２右", 12, u"闭右眼"},
    {6, u"なごみ", 13, u"双眼成-_-形态"},
    {7, u"はぅ", 14, u"双眼成>_<形态"},
    {8, u"びっくり", 15, u"微微的瞪大眼睛"},
    {9, u"じと目", 16, u"半开眼睛，不屑一顾"},
    {10, u"キリッ     ", 17, u"逗逼一般的眼神表情，只限眼部"},
    {11, u"瞳小            ", 18, u"眼睛变小，超吓人有木有~"},
    {12, u"瞳縦潰れ", 19, u"眼睛横向变扁平，整体略呈方形"},
    {13, u"光下", 20, u"高光向下移动"},
    {14, u"ハイライト消", 21, u"高光消失"},
    {15, u"映り込み消", 22, u"映入眼睛的阴影消失"},
    {16, u"恐ろしい子！    ", 23, u"白眼"},
    {17, u"はちゅ目", 24, u"类似铅笔画的圆圈，犯晕的感觉"},
    {18, u"星目", 25, u"眼睛放星光"},
    {19, u"はぁと", 26, u"眼睛出现爱心"},
};

constexpr CatalogueEntry mouth[] = {
    {0, u"あ", 27, u"啊，张开嘴巴必备表情"},
    {1, u"い", 28, u"噫，横着张开嘴巴或者上嘴唇往上移动露出牙齿"},
    {2, u"う", 29, u"呜，嘴巴嘟起来，形成一个小的圆形"},
    {3, u"え", 30, u"诶，类似ei的发音，下巴略向下"},
    {4, u"お", 31, u"奥与呕之间，类似O发音，与上面的う外貌相似，但嘴巴张得更大"},
    {5, u"あ２", 32, u"比 あ 的口型要大，下巴略向下"},
    {6, u"ん", 33, u"嘴巴紧闭，想象一下发 嗯 的口型"},
    {7, u"▲", 34, u"嘴巴形成一个三角形，呆萌的表情"},
    {8, u"∧", 35, u"嘴巴形成∧形状，呆萌+不开心的表情"},
    {9, u"□", 36, u"呈矩形的口型，很奇怪啊~"},
    {10, u"ワ", 37, u"比 あ 的口型要大，下巴朝两侧拉伸"},
    {11, u"ω", 38, u"嘴巴形成ω形状，纯粹的卖萌表情"},
    {12, u"ω□    ", 39, u"上嘴唇形成ω形状，下嘴唇正常张开，ω的开口状态"},
    {13, u"にやり      ", 40, u"嘴巴微笑着拉伸"},
    {14, u"にやり２", 41, u"嘴巴微笑着拉伸，左边上翘"},
    {15, u"にっこり", 42, u"嘴巴微笑着两边上翘，呈V形"},
    {16, u"ぺろっ", 43, u"可爱的吐小舌头~"},
    {17, u"てへぺろ   ", 44, u"可爱的做出舔舌头，真好吃呀~"},
    {18, u"てへぺろ２", 45, u"可爱的做出舔舌头的夸张版，真是太好吃啦~"},
    {19, u"口角上げ", 46, u"嘴角略微上扬"},
    {20, u"口角下げ", 47, u"嘴角略微向下，略带忧伤的表情"},
    {21, u"口横広げ", 48, u"嘴巴极度横向拉伸"},
    {22, u"ハンサム", 49, u"下巴极度向下拉伸"},
};

constexpr CatalogueEntry other[] = {
    {0, u"照れ", 50, u"脸颊发红，好害羞呀~"},
    {1, u"涙", 51, u"眼角流泪，人家好委屈~"},
    {2, u"がーん", 52, u"如同病娇一般额头上部变黑，黑化表情"},
    {3, u"みっぱい", 53, u"胸变小，可怕~"},
    {4, u"メガネ", 54, u"戴上眼镜"},
    {5, u"青ざめる", 55, u"头发阴影加深"},
    {6, u"髪影消", 56, u"头发阴影消失"},
};

constexpr ExpressionCatalogue catalogue{
    u"Qel",
    {{
        headedCategory(1, eyebrows),
        headedCategory(2, eyes),
        headedCategory(3, mouth),
        headedCategory(4, other),
    }},
    OverviewPicture,
    OverviewPicture,
};
} // namespace

const ExpressionCatalogue& qelviewCatalogue()
{
    return catalogue;
}
