#include "velview_catalogue.h"
#include "category_headings.h"

namespace {
// Entries in list order; picture numbers run on without a gap from one category
// to the next, starting at 1. No picture 0 exists here: the window opens with its
// built-in picture, and a double-click shows picture 15, the eyes entry びっくり.
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
    {2, u"ウィンク", 9, u"笑着闭右眼"},
    {3, u"ウィンク２", 10, u"闭右眼"},
    {4, u"ウィンク右", 11, u"笑着闭左眼"},
    {5, u"ウィンク２右", 12, u"闭左眼"},
    {6, u"はぅ", 13, u"双眼成>_<形态"},
    {7, u"なごみ", 14, u"双眼成-_-形态"},
    {8, u"びっくり", 15, u"微微的瞪大眼睛"},
    {9, u"じと目", 16, u"半开眼睛，不屑一顾"},
    {10, u"なぬ！", 17, u"逗逼一般的眼神表情，只限眼部"},
};

constexpr CatalogueEntry mouth[] = {
    {0, u"あ", 18, u"啊，张开嘴巴必备表情"},
    {1, u"い", 19, u"噫，横着张开嘴巴或者上嘴唇往上移动露出牙齿"},
    {2, u"う", 20, u"呜，嘴巴嘟起来，形成一个小的圆形"},
    {3, u"お", 21, u"奥与呕之间，类似O发音，与上面的う外貌相似，但嘴巴张得更大"},
    {4, u"▲", 22, u"嘴巴形成一个三角形，呆萌的表情"},
    {5, u"∧", 23, u"嘴巴形成∧形状，呆萌+不开心的表情"},
    {6, u"ω", 24, u"嘴巴形成ω形状，纯粹的卖萌表情"},
    {7, u"ω□", 25, u"上嘴唇形成ω形状，下嘴唇正常张开，ω的开口状态"},
    {8, u"はんっ！", 26, u"斜着嘴巴张开"},
    {9, u"えー", 27, u"嘴巴横着张开，如同看到很恶心的东西一般发出恶..的口型"},
    {10, u"にやり", 28, u"微笑，或张开嘴微笑"},
};

constexpr CatalogueEntry other[] = {
    {0, u"瞳小", 29, u"瞳孔缩小，其他模型有瞳大搭配"},
    {1, u"ぺろっ", 30, u"吐出舌头，卖萌或者调戏用表情，需要注意舌头穿模"},
};

constexpr ExpressionCatalogue catalogue{
    u"velisa",
    {{
        headedCategory(1, eyebrows),
        headedCategory(2, eyes),
        headedCategory(3, mouth),
        headedCategory(4, other),
    }},
    std::nullopt,
    15,
};
} // namespace

const ExpressionCatalogue& velviewCatalogue()
{
    return catalogue;
}
