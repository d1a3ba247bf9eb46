#include "screensaver/Setting.h"

#include "platform/FormTable.h"
#include "platform/Twips.h"
#include "screensaver/BoxLook.h"
#include "screensaver/ScreenSaver.h"
#include "widgets/Controls.h"
#include "widgets/WidgetColors.h"

#include <QLineEdit>
#include <QPushButton>

namespace cantorel::screensaver {

namespace {

using namespace form;

// clang-format off

// Made in this order, which is the tab order. Enter presses none of the
// buttons: each acts only when clicked.
const Control kControls[] = {
    // name      kind          caption                                          tooltip  width  height (twips)
    {"Text1",    Kind::Made,   nullptr,                                         nullptr, 0,     720,   AtLeast},
    {"Text2",    Kind::Made,   nullptr,                                         nullptr, 0,     720,   AtLeast},
    {"Command1", Kind::Button, "Choose Font For Lyrics",                        nullptr, 0,     0,     NoAutoDefault},
    {"Command2", Kind::Button, "Choose Font for translated Lyrics",             nullptr, 0,     0,     NoAutoDefault},
    {"Command3", Kind::Button, "Choose Background color For Lyrics",            nullptr, 0,     0,     NoAutoDefault},
    {"Command4", Kind::Button, "Choose Background color For Translated Lyrics", nullptr, 0,     0,     NoAutoDefault},
    {"Command6", Kind::Button, "Choose Main Background color",                  nullptr, 0,     0,     NoAutoDefault},
    {"Command5", Kind::Button, "Apply And close",                               nullptr, 0,     0,     NoAutoDefault},
    {"Command8", Kind::Button, "Clear All Settings",                            nullptr, 0,     0,     NoAutoDefault},
    {"Command9", Kind::Button, "Close",                                         nullptr, 0,     0,     NoAutoDefault},
};

// Each preview over its two buttons, the main background under them, then
// the actions.
const Place kLayout[] = {
    column(nullptr,   "form"),
    grid("form",      "previews"),
    putAt("previews", "Text1",    {0, 0, 1, 2}),
    putAt("previews", "Command1", {1, 0}),       putAt("previews", "Command3", {1, 1}),
    putAt("previews", "Text2",    {2, 0, 1, 2}),
    putAt("previews", "Command2", {3, 0}),       putAt("previews", "Command4", {3, 1}),
    putAt("previews", "Command6", {4, 0, 1, 2}),
    rowMinimum("previews", 2, 900),
    gap("form",       180),
    row("form",       "actions"),
    put("actions",    "Command5"),               put("actions", "Command8"), stretch("actions", 0),
    put("actions",    "Command9"),
};

// clang-format on

} // namespace

Setting::Setting(ScreenSaver& screen, Prompts& prompts, QWidget* parent)
    : QDialog(parent), m_screen(screen), m_prompts(prompts), m_customColors(greyCustomColors())
{
    setObjectName(QStringLiteral("Setting"));
    setWindowTitle(QStringLiteral("Options"));
    FormBuilder ui(this);
    ui.make(kControls, [](const Control& row, const QString&, QWidget* form) { return makePreview(form, row.name); });
    ui.layOut(kLayout);
    setMinimumWidth(twipsToPixels(8400, this));
    m_text1 = ui.get<QLineEdit>("Text1");
    m_text2 = ui.get<QLineEdit>("Text2");
    ui.connectClicks(this, {
                               {"Command1", &Setting::command1Click},
                               {"Command2", &Setting::command2Click},
                               {"Command3", &Setting::command3Click},
                               {"Command4", &Setting::command4Click},
                               {"Command6", &Setting::command6Click},
                               {"Command5", &Setting::command5Click},
                               {"Command8", &Setting::command8Click},
                               {"Command9", &Setting::command9Click},
                           });

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
