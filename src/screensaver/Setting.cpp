#include "screensaver/Setting.h"

#include "platform/widgets/WidgetColors.h"
#include "screensaver/BoxLook.h"
#include "screensaver/ScreenSaver.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace cantorel::screensaver {

namespace {

QPushButton* makeButton(const QString& name, const QString& caption, QWidget* parent)
{
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(name);
    button->setAutoDefault(false);
    return button;
}

QLineEdit* makePreview(const QString& name, QWidget* parent)
{
    auto* preview = new QLineEdit(QStringLiteral("Preview"), parent);
    preview->setObjectName(name);
    preview->setReadOnly(true);
    preview->setAlignment(Qt::AlignCenter);
    preview->setFocusPolicy(Qt::NoFocus);
    preview->setMinimumHeight(48);
    return preview;
}

} // namespace

Setting::Setting(ScreenSaver& screen, Prompts& prompts, QWidget* parent)
    : QDialog(parent),
      m_screen(screen),
      m_prompts(prompts),
      m_customColors(greyCustomColors()),
      m_text1(makePreview(QStringLiteral("Text1"), this)),
      m_text2(makePreview(QStringLiteral("Text2"), this))
{
    setObjectName(QStringLiteral("Setting"));
    setWindowTitle(QStringLiteral("Options"));

    auto* command1 = makeButton(QStringLiteral("Command1"), QStringLiteral("Choose Font For Lyrics"), this);
    auto* command2 = makeButton(QStringLiteral("Command2"),
                                QStringLiteral("Choose Font for translated Lyrics"), this);
    auto* command3 = makeButton(QStringLiteral("Command3"),
                                QStringLiteral("Choose Background color For Lyrics"), this);
    auto* command4 = makeButton(QStringLiteral("Command4"),
                                QStringLiteral("Choose Background color For Translated Lyrics"), this);
    auto* command6 = makeButton(QStringLiteral("Command6"), QStringLiteral("Choose Main Background color"), this);
    auto* command5 = makeButton(QStringLiteral("Command5"), QStringLiteral("Apply And close"), this);
    auto* command8 = makeButton(QStringLiteral("Command8"), QStringLiteral("Clear All Settings"), this);
    auto* command9 = makeButton(QStringLiteral("Command9"), QStringLiteral("Close"), this);

    connect(command1, &QPushButton::clicked, this, &Setting::command1Click);
    connect(command2, &QPushButton::clicked, this, &Setting::command2Click);
    connect(command3, &QPushButton::clicked, this, &Setting::command3Click);
    connect(command4, &QPushButton::clicked, this, &Setting::command4Click);
    connect(command6, &QPushButton::clicked, this, &Setting::command6Click);
    connect(command5, &QPushButton::clicked, this, &Setting::command5Click);
    connect(command8, &QPushButton::clicked, this, &Setting::command8Click);
    connect(command9, &QPushButton::clicked, this, &Setting::command9Click);

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
    const ScreenSettings settings{lyricPreviewStyle(), translatedPreviewStyle(), m_screen.backgroundColor()};
    const ScreenSettingsFile file = ScreenSettingsFile::userFile();
    QString error;
    // Saved first: when the file cannot be written nothing else changes.
    if (!file.save(settings, &error)) {
        m_prompts.message(this, QStringLiteral("The settings could not be saved to %1:\n%2")
                                    .arg(file.path(), error),
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
    const auto answer = m_prompts.message(this, QStringLiteral("This will Clear all settings Do You Wish To Continue?"),
                                          Prompts::Buttons::YesNo, Prompts::Icon::Question,
                                          QStringLiteral("Clear all"));
    if (answer != Prompts::Answer::Yes)
        return;
    const ScreenSettingsFile file = ScreenSettingsFile::userFile();
    QString error;
    if (!file.remove(&error)) {
        m_prompts.message(this, QStringLiteral("The settings could not be cleared from %1:\n%2")
                                    .arg(file.path(), error),
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
