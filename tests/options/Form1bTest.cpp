// The display options window with scripted dialogs, and the player's "More
// Options" copy, on real lyric panes.
#include "options/Form1b.h"
#include "options/MoreOptions.h"
#include "support/ScriptedPrompts.h"
#include "widgets/LyricPane.h"
#include "widgets/WidgetColors.h"

#include <QLineEdit>
#include <QPushButton>
#include <gtest/gtest.h>

#include <memory>
#include <tuple>

using cantorel::backColorOf;
using cantorel::Form1b;
using cantorel::LyricPane;
using cantorel::Prompts;
using cantorel::textColorOf;
using cantorel::testing::ScriptedPrompts;

namespace {

using Font = Prompts::FontChoice;
const QString serif = QStringLiteral("DejaVu Serif");
const QString mono = QStringLiteral("DejaVu Sans Mono");

// A widget's look in one line: font, effects, its text and colours.
QString look(const QWidget* w)
{
    const QFont f = w->font();
    QStringList parts {f.family(), QString::number(f.pointSizeF())};
    for (const auto& [on, name] : {std::pair {f.italic(), "italic"},
                                   {f.underline(), "underline"},
                                   {f.bold(), "bold"},
                                   {f.strikeOut(), "strike"}})
        if (on)
            parts << QLatin1String(name);
    const auto* edit = qobject_cast<const QLineEdit*>(w);
    parts << (edit ? edit->text() : static_cast<const LyricPane*>(w)->lyric()) << QStringLiteral("back")
          << backColorOf(w).name() << QStringLiteral("text") << textColorOf(w).name();
    return parts.join(u' ');
}

class Options : public ::testing::Test {
protected:
    Options()
    {
        // The panes as the player makes them.
        for (auto [pane, size, text] : {std::tuple {&normal, 15, "Normal"}, {&translated, 13, "Translated"}}) {
            pane->setFont(QFont(QStringLiteral("DejaVu Sans"), size));
            pane->setLyric(QLatin1String(text));
            cantorel::setBackColor(pane, Qt::white);
        }
        options = std::make_unique<Form1b>(prompts, &normal, &translated);
    }
    void press(std::initializer_list<const char*> names)
    {
        for (const char* name : names)
            options->findChild<QPushButton*>(QLatin1String(name))->click();
    }
    QString looks() const
    {
        return look(&normal) + look(&translated) + look(options->normalPreview()) + look(options->translatedPreview());
    }

    ScriptedPrompts prompts;
    LyricPane normal {QStringLiteral("Text1")};
    LyricPane translated {QStringLiteral("Text2")};
    std::unique_ptr<Form1b> options;
};

} // namespace

TEST_F(Options, FontChoiceGoesToPreviewAndPaneWithoutBold)
{
    EXPECT_EQ(options->windowTitle(), QStringLiteral("Other Options"));
    EXPECT_EQ(look(options->normalPreview()), QStringLiteral("DejaVu Sans 15 Preview back #ffffff text #000000"))
        << "the previews start from the panes";
    prompts.expectFont(
        Font {.family = serif, .pointSize = 12, .weight = 700, .italic = true, .strikeOut = true, .color = Qt::red});
    press({"Command1"});
    ASSERT_EQ(prompts.asked.size(), 1);
    EXPECT_EQ(prompts.asked[0].text, QString()) << "no face preselected";
    EXPECT_EQ(look(options->normalPreview()),
              QStringLiteral("DejaVu Serif 12 italic bold strike Preview back #ffffff text #ff0000"));
    EXPECT_EQ(look(&normal), QStringLiteral("DejaVu Serif 12 italic Normal back #ffffff text #ff0000"))
        << "bold and strike-out stay in the preview";
    EXPECT_EQ(translated.font().pointSizeF(), 13) << "the other pane is untouched";

    // The emphasis of "!" lines still works on the chosen font.
    normal.setBold(true);
    EXPECT_EQ(look(&normal), QStringLiteral("DejaVu Serif 12 italic bold Normal back #ffffff text #ff0000"));

    // A 10.5-point choice becomes whole points, halves to the even one.
    prompts.expectFont(Font {.family = mono, .pointSize = 10.5, .underline = true, .color = Qt::blue});
    press({"Command2"});
    EXPECT_EQ(look(&translated), QStringLiteral("DejaVu Sans Mono 10 underline Translated back #ffffff text #0000ff"));
}

TEST_F(Options, CancelChangesNothing)
{
    const QString before = looks();
    prompts.expectFont(std::nullopt).expectColor(std::nullopt).expectColor(std::nullopt);
    press({"Command1", "Command3", "Command4"});
    EXPECT_EQ(prompts.asked[1].text, QStringLiteral("#000000"));
    EXPECT_EQ(options->customColors()[15], QColor(240, 240, 240));
    EXPECT_EQ(looks(), before);
    // Nothing chosen: "More Options" keeps the normal pane as it was.
    cantorel::applyOptionPreviews(*options);
    EXPECT_EQ(look(&normal), QStringLiteral("DejaVu Sans 15 Normal back #ffffff text #000000"));
}

TEST_F(Options, ApplyAndCloseThenMoreOptionsLevelsTheTranslatedPane)
{
    options->showWindow();
    prompts.expectFont(Font {.family = serif, .pointSize = 12, .italic = true, .underline = true, .color = Qt::green})
        .expectFont(Font {.family = mono, .pointSize = 20})
        .expectColor(QColor(Qt::yellow))
        .expectColor(QColor(Qt::cyan));
    press({"Command1", "Command2", "Command3", "Command4"});
    const QString translatedPane = look(&translated);
    EXPECT_EQ(translatedPane, QStringLiteral("DejaVu Sans Mono 20 Translated back #00ffff text #000000"));

    int mainWindow = 0;
    QObject::connect(options.get(), &Form1b::showMainWindowRequested, [&] { ++mainWindow; });
    press({"Command5"});
    EXPECT_EQ(mainWindow, 1);
    EXPECT_FALSE(options->isVisible());
    EXPECT_EQ(look(options->translatedPreview()),
              QStringLiteral("DejaVu Sans Mono 12 italic underline Preview back #ffff00 text #000000"));
    EXPECT_EQ(look(&translated), translatedPane) << "Apply And close leaves the panes alone";

    options->showWindow();
    cantorel::applyOptionPreviews(*options);
    EXPECT_EQ(look(&normal), QStringLiteral("DejaVu Serif 12 italic underline Normal back #ffff00 text #00ff00"));
    EXPECT_EQ(look(&translated),
              QStringLiteral("DejaVu Sans Mono 12 italic underline Translated back #ffff00 text #000000"));
}
