#include "options/Form1b.h"

#include "options/PaneLook.h"
#include "platform/Twips.h"
#include "widgets/Controls.h"
#include "widgets/WidgetColors.h"

#include <QGridLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>

namespace cantorel {

using namespace options;

namespace {

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

    m_text1 = makePanePreview(this, "Text1", normalPane);
    m_text2 = makePanePreview(this, "Text2", translatedPane);
    QPushButton* command1 = makeButton(this, "Command1", QStringLiteral("Choose font For Lyrics"));
    QPushButton* command2 = makeButton(this, "Command2", QStringLiteral("Choose font for translated Lyrics"));
    QPushButton* command3 = makeButton(this, "Command3", QStringLiteral("Choose background color For Lyrics"));
    QPushButton* command4 =
        makeButton(this, "Command4", QStringLiteral("Choose background color For Translated Lyrics"));
    QPushButton* command5 = makeButton(this, "Command5", QStringLiteral("Apply And close"));
    connect(command1, &QPushButton::clicked, this, &Form1b::command1Click);
    connect(command2, &QPushButton::clicked, this, &Form1b::command2Click);
    connect(command3, &QPushButton::clicked, this, &Form1b::command3Click);
    connect(command4, &QPushButton::clicked, this, &Form1b::command4Click);
    connect(command5, &QPushButton::clicked, this, &Form1b::command5Click);

    // Each preview over its two buttons, "Apply And close" at the foot.
    auto* grid = new QGridLayout;
    grid->setVerticalSpacing(twipsToPixels(90, this));
    grid->addWidget(m_text1, 0, 0, 1, 2);
    grid->addWidget(command1, 1, 0);
    grid->addWidget(command3, 1, 1);
    grid->setRowMinimumHeight(2, twipsToPixels(120, this));
    grid->addWidget(m_text2, 3, 0, 1, 2);
    grid->addWidget(command2, 4, 0);
    grid->addWidget(command4, 4, 1);
    auto* foot = new QHBoxLayout;
    foot->addStretch(1);
    foot->addWidget(command5);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addSpacing(twipsToPixels(180, this));
    layout->addLayout(foot);
    // A large font makes its preview taller; the window grows with it.
    layout->setSizeConstraint(QLayout::SetMinimumSize);
    resize(twipsToPixels(7200, this), sizeHint().height());
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
