#include "options/PaneLook.h"

#include <QWidget>

namespace cantorel::options {

void copyFont(const QWidget* from, QWidget* to, int parts)
{
    const QFont& source = from->font();
    QFont font = to->font();
    if (parts & FontName)
        font.setFamily(source.family());
    if (parts & Italic)
        font.setItalic(source.italic());
    if (parts & Underline)
        font.setUnderline(source.underline());
    if ((parts & Size) && source.pointSizeF() > 0)
        font.setPointSizeF(source.pointSizeF());
    to->setFont(font);
}

} // namespace cantorel::options
