#include "screensaver/Setting.h"

#include "screensaver/BoxLook.h"
#include "screensaver/ScreenSaver.h"
#include "widgets/Controls.h"
#include "widgets/WidgetColors.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace cantorel::screensaver {

Setting::Setting(ScreenSaver& screen, Prompts& prompts, QWidget* parent)
    : QDialog(parent), m_screen(screen), m_prompts(prompts), m_customColors(greyCustomColors()),
      m_text1(makePreview(this, "Text1")), m_text2(makePreview(this, "Text2"))
{
    setObjectName(QStringLiteral("Setting"));
    setWindowTitle(QStringLiteral("Options"));
    for (QLineEdit* preview : {m_text1, m_text2})
        preview->setMinimumHeight(48);

    // Enter presses none of the buttons: each acts only when clicked.
    const auto button = [this](const char* name, const QString& caption, void (Setting::*click)()) {
        QPushButton* b = makeButton(this, name, caption);
        b->setAutoDefault(false);
        connect(b, &QPushButton::clicked, this, click);
        return b;
    };
    auto* command1 = button("Command1", QStringLiteral("Choose Font For Lyrics"), &Setting::command1Click);
    auto* command2 = button("Command2", QStringLiteral("Choose Font for translated Lyrics"), &Setting::command2Click);
    auto* command3 = button("Command3", QStringLiteral("Choose Background color For Lyrics"), &Setting::command3Click);
    auto* command4 =
        button("Command4", QStringLiteral("Choose Background color For Translated Lyrics"), &Setting::command4Click);
    auto* command6 = button("Command6", QStringLiteral("Choose Main Background color"), &Setting::command6Click);
    auto* command5 = button("Command5", QStringLiteral("Apply And close"), &Setting::command5Click);
    auto* command8 = button("Command8", QStringLiteral("Clear All Settings"), &Setting::command8Click);
    auto* command9 = button("Command9", QStringLiteral("Close"), &Setting::command9Click);

    auto* grid = new QGridLayout;
    grid->addWidget(m_text1, 0, 0, 1, 2);
    grid->addWidget(command1, 1, 0);
    grid->addWidget(command3, 1, 1);
    grid->addWidget(m_text2, 2, 0, 1, 2);
    grid->addWidget(command2, 3, 0);
    grid->addWidget(command4, 3, 1);
    grid->addWidget(command6, 4, 0, 1, 2);
    grid->setRowMinimumHeight(2, 60);

    auto* actions = new QHBoxLayout;
    actions->addWidget(command5);
    actions->addWidget(command8);
    actions->addStretch();
    actions->addWidget(command9);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addSpacing(12);
    layout->addLayout(actions);
    setMinimumWidth(560);

    // Opening: the previews start from the lyrics screen's own boxes.
    applyBoxStyle(m_text1, m_screen.lyricStyle());
    applyBoxStyle(m_text2, m_screen.translatedStyle());
}

BoxStyle Setting::lyricPreviewStyle() const
{
    return boxStyleOf(m_text1);
}

BoxStyle Setting::translatedPreviewStyle() const
{
    return boxStyleOf(m_text2);
}

void Setting::chooseFont(QLineEdit* preview, bool lyricBox)
{
    const auto start = Prompts::FontChoice::of(preview->font(), boxStyleOf(preview).textColor);
    if (const auto chosen = m_prompts.chooseFont(this, start)) {
        preview->setFont(chosen->appliedTo(preview->font()));
        setTextColor(preview, chosen->color);
    }
    // Chosen or not, the screen's box takes the preview's font and colour;
    // its background stays.
    const BoxStyle shown = boxStyleOf(preview);
    BoxStyle box = lyricBox ? m_screen.lyricStyle() : m_screen.translatedStyle();
    box.fontName = shown.fontName;
    box.italic = shown.italic;
    box.underline = shown.underline;
    box.pointSize = shown.pointSize;
    box.textColor = shown.textColor;
    if (lyricBox)
        m_screen.setLyricStyle(box);
    else
        m_screen.setTranslatedStyle(box);
}

void Setting::chooseBoxBackground(QLineEdit* preview, bool lyricBox)
{
    const auto chosen = m_prompts.chooseColor(this, QColor(0, 0, 0), m_customColors);
    if (!chosen)
        return;
    setBackColor(preview, *chosen);
    BoxStyle box = lyricBox ? m_screen.lyricStyle() : m_screen.translatedStyle();
    box.backColor = boxStyleOf(preview).backColor;
    if (lyricBox)
        m_screen.setLyricStyle(box);
    else
        m_screen.setTranslatedStyle(box);
}

void Setting::command1Click()
{
    chooseFont(m_text1, true);
}

void Setting::command2Click()
{
    chooseFont(m_text2, false);
}

void Setting::command3Click()
{
    chooseBoxBackground(m_text1, true);
}

void Setting::command4Click()
{
    chooseBoxBackground(m_text2, false);
}

void Setting::command6Click()
{
    const auto chosen = m_prompts.chooseColor(this, QColor(0, 0, 0), m_customColors);
    if (!chosen)
        return;
    setBackColor(this, *chosen);
    m_screen.setBackgroundColor(backColorOf(this));
}

void Setting::command5Click()
{
    const ScreenSettings settings {lyricPreviewStyle(), translatedPreviewStyle(), m_screen.backgroundColor()};
    const ScreenSettingsFile file = ScreenSettingsFile::userFile();
    QString error;
    // Saved first: when the file cannot be written nothing else changes.
    if (!file.save(settings, &error)) {
        m_prompts.message(this, QStringLiteral("The settings could not be saved to %1:\n%2").arg(file.path(), error),
                          Prompts::Buttons::Ok, Prompts::Icon::Exclamation);
        return;
    }
    m_screen.setLyricStyle(settings.lyric);
    m_screen.setTranslatedStyle(settings.translated);
    finish();
    m_screen.setFocusTimerEnabled(true);
}

void Setting::command8Click()
{
    const auto answer =
        m_prompts.message(this, QStringLiteral("This will Clear all settings Do You Wish To Continue?"),
                          Prompts::Buttons::YesNo, Prompts::Icon::Question, QStringLiteral("Clear all"));
    if (answer != Prompts::Answer::Yes)
        return;
    const ScreenSettingsFile file = ScreenSettingsFile::userFile();
    QString error;
    if (!file.remove(&error)) {
        m_prompts.message(this,
                          QStringLiteral("The settings could not be cleared from %1:\n%2").arg(file.path(), error),
                          Prompts::Buttons::Ok, Prompts::Icon::Exclamation);
        return;
    }
    finish();
}

void Setting::command9Click()
{
    finish();
}

void Setting::reject()
{
    command9Click();
}

void Setting::finish()
{
    hide();
    Q_EMIT closed();
}

} // namespace cantorel::screensaver
