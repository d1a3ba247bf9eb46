#include "common/Prompts.h"

#include "base/FileNames.h"
#include "base/FilePaths.h"

namespace cantorel {

bool confirmReplacing(Prompts& prompts, QWidget* owner, const QString& path)
{
    if (nameKind(path) == NameKind::None)
        return true;
    return prompts.message(owner,
                           QStringLiteral("%1 already exists.\nDo you want to replace it?").arg(fileNamePart(path)),
                           Prompts::Buttons::YesNo, Prompts::Icon::Exclamation)
           == Prompts::Answer::Yes;
}

bool confirmReplacingReadOnlyLyric(Prompts& prompts, QWidget* owner, const QString& path)
{
    return prompts.message(owner,
                           QStringLiteral("The lyric file %1 is read-only. Replace it anyway?").arg(fileNamePart(path)),
                           Prompts::Buttons::YesNo, Prompts::Icon::Question)
           == Prompts::Answer::Yes;
}

Prompts::FontChoice Prompts::FontChoice::of(const QFont& font, const QColor& color)
{
    FontChoice c;
    c.family = font.family();
    c.pointSize = font.pointSizeF();
    c.weight = font.weight();
    c.italic = font.italic();
    c.underline = font.underline();
    c.strikeOut = font.strikeOut();
    c.color = color;
    return c;
}

QFont Prompts::FontChoice::appliedTo(QFont base) const
{
    if (!family.isEmpty())
        base.setFamily(family);
    if (pointSize > 0)
        base.setPointSizeF(pointSize);
    base.setWeight(QFont::Weight(weight));
    base.setItalic(italic);
    base.setUnderline(underline);
    base.setStrikeOut(strikeOut);
    return base;
}

Prompts::CustomColors greyCustomColors()
{
    Prompts::CustomColors colors;
    for (int i = 0; i < 16; ++i) {
        const int g = 15 * (i + 1);
        colors[i] = QColor(g, g, g);
    }
    return colors;
}

} // namespace cantorel
