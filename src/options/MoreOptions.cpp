#include "options/MoreOptions.h"

#include "options/Form1b.h"
#include "options/PaneLook.h"
#include "widgets/WidgetColors.h"

#include <QLineEdit>

namespace cantorel {

using namespace options;

void applyOptionPreviews(const Form1b& options)
{
    QWidget* normal = options.normalPane();
    QWidget* translated = options.translatedPane();
    if (normal) {
        copyFont(options.normalPreview(), normal, FontName | Italic | Underline | Size);
        setBackColor(normal, backColorOf(options.normalPreview()));
    }
    if (translated) {
        copyFont(options.translatedPreview(), translated, FontName);
        if (normal) {
            copyFont(normal, translated, Italic | Underline | Size);
            setBackColor(translated, backColorOf(normal));
        }
    }
}

} // namespace cantorel
