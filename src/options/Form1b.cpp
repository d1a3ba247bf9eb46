#include "options/Form1b.h"

#include "options/PaneLook.h"
#include "platform/FormTable.h"
#include "platform/Twips.h"
#include "widgets/Controls.h"
#include "widgets/WidgetColors.h"

#include <QLayout>
#include <QLineEdit>
#include <QPushButton>

#include <algorithm>
#include <cmath>
#include <string_view>

namespace cantorel {

using namespace options;
using namespace form;

namespace {

// clang-format off

// Made in this order, which is the tab order.
const Control kControls[] = {
    // name      kind          caption
    {"Text1",    Kind::Made},
    {"Text2",    Kind::Made},
    {"Command1", Kind::Button, "Choose font For Lyrics"},
    {"Command2", Kind::Button, "Choose font for translated Lyrics"},
    {"Command3", Kind::Button, "Choose background color For Lyrics"},
    {"Command4", Kind::Button, "Choose background color For Translated Lyrics"},
    {"Command5", Kind::Button, "Apply And close"},
};

// Each preview over its two buttons, "Apply And close" at the foot.
const Place kLayout[] = {
    column(nullptr,   "form"),
    grid("form",      "previews"),  spacing("previews", -1, 90),
    putAt("previews", "Text1",      {0, 0, 1, 2}),
    putAt("previews", "Command1",   {1, 0}),      putAt("previews", "Command3", {1, 1}),
    rowMinimum("previews", 2, 120),
    putAt("previews", "Text2",      {3, 0, 1, 2}),
    putAt("previews", "Command2",   {4, 0}),      putAt("previews", "Command4", {4, 1}),
    gap("form",       180),
    row("form",       "foot"),
    stretch("foot"),                put("foot", "Command5"),
};

// clang-format on

QLineEdit* makePanePreview(QWidget* parent, const char* name, const QWidget* pane)
{
    QLineEdit* preview = makePreview(parent, name);
    // Start from the pane's look, so that the first "More Options" leaves
    // the panes as they were designed.
    if (pane) {
        QFont font = preview->font();
        font.setFamily(pane->font().family());
        if (pane->font().pointSizeF() > 0)
            font.setPointSizeF(pane->font().pointSizeF());
        preview->setFont(font);
        setTextColor(preview, textColorOf(pane));
        setBackColor(preview, backColorOf(pane));
    }
    return preview;
}

} // namespace

Form1b::Form1b(Prompts& prompts, QWidget* normalPane, QWidget* translatedPane, QWidget* parent)
    : QWidget(parent, Qt::Window), m_prompts(prompts), m_normalPane(normalPane), m_translatedPane(translatedPane),
      m_customColors(greyCustomColors())
{
    setObjectName(QStringLiteral("Form1b"));
    setWindowTitle(QStringLiteral("Other Options"));

    FormBuilder ui(this);
    ui.make(kControls, [normalPane, translatedPane](const Control& row, const QString&, QWidget* form) {
        return makePanePreview(form, row.name, std::string_view(row.name) == "Text1" ? normalPane : translatedPane);
    });
    ui.layOut(kLayout);
    // A large font makes its preview taller; the window grows with it.
    layout()->setSizeConstraint(QLayout::SetMinimumSize);
    resize(twipsToPixels(7200, this), sizeHint().height());

    m_text1 = ui.get<QLineEdit>("Text1");
    m_text2 = ui.get<QLineEdit>("Text2");
    ui.connectClicks(this, {
                               {"Command1", &Form1b::command1Click},
                               {"Command2", &Form1b::command2Click},
                               {"Command3", &Form1b::command3Click},
                               {"Command4", &Form1b::command4Click},
                               {"Command5", &Form1b::command5Click},
                           });
}

void Form1b::showWindow()
{
    setEnabled(true);
    show();
    raise();
    activateWindow();
}

void Form1b::chooseFont(QLineEdit* preview, QWidget* pane)
{
    // The dialog opens on black and no face of its own.
    const std::optional<Prompts::FontChoice> chosen = m_prompts.chooseFont(this, Prompts::FontChoice {});
    if (!chosen)
        return;
    Prompts::FontChoice choice = *chosen;
    // Whole points, halves to the even neighbour.
    if (choice.pointSize > 0)
        choice.pointSize = std::max(1.0, std::nearbyint(choice.pointSize));
    preview->setFont(choice.appliedTo(preview->font()));
    setTextColor(preview, choice.color);
    if (pane) {
        copyFont(preview, pane, FontName | Italic | Underline | Size);
        setTextColor(pane, textColorOf(preview));
    }
}

void Form1b::chooseBackground(QLineEdit* preview, QWidget* pane)
{
    const std::optional<QColor> chosen = m_prompts.chooseColor(this, QColor(0, 0, 0), m_customColors);
    if (!chosen)
        return;
    setBackColor(preview, *chosen);
    if (pane)
        setBackColor(pane, backColorOf(preview));
}

void Form1b::command1Click()
{
    chooseFont(m_text1, m_normalPane);
}
void Form1b::command2Click()
{
    chooseFont(m_text2, m_translatedPane);
}
void Form1b::command3Click()
{
    chooseBackground(m_text1, m_normalPane);
}
void Form1b::command4Click()
{
    chooseBackground(m_text2, m_translatedPane);
}

void Form1b::command5Click()
{
    copyFont(m_text1, m_text2, Italic | Underline | Size);
    setBackColor(m_text2, backColorOf(m_text1));
    Q_EMIT showMainWindowRequested();
    hide();
}

} // namespace cantorel
