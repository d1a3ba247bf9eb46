#include "common/Prompts.h"

namespace cantorel {

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
