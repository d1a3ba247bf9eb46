#pragma once
// Every question the programs ask the user goes through this interface: the
// programs use Qt dialogs (platform/QtPrompts), the tests a script of answers
// that also records what was asked (tests/support/ScriptedPrompts).
//
// All calls are made on the user-interface thread and are modal: they return
// only once the user has answered. `owner` is the window the dialog belongs
// to; it may be null.
#include <QColor>
#include <QFont>
#include <QList>
#include <QString>
#include <array>
#include <optional>

class QWidget;

namespace cantorel {

class Prompts {
public:
    enum class Buttons { Ok, OkCancel, YesNo, YesNoCancel };
    enum class Icon { None, Information, Exclamation, Critical, Question };
    enum class Answer { Ok, Cancel, Yes, No };

    struct FileFilter {
        QString description; // "Mp3 files (*.mp3)"
        QString pattern;     // "*.mp3"
    };

    // What a font dialog starts from and returns. Sizes are in points and may
    // have a fraction (10.5).
    struct FontChoice {
        QString family;
        double pointSize = 0;
        int weight = 400; // 400 normal, 700 bold
        bool italic = false;
        bool underline = false;
        bool strikeOut = false;
        QColor color = Qt::black;
        bool bold() const { return weight > 400; }
        bool operator==(const FontChoice&) const = default;

        // The choice of a widget's font, with its text colour.
        static FontChoice of(const QFont& font, const QColor& color);
        // `base` with this choice's face (when set), size (when set), weight
        // and effects.
        QFont appliedTo(QFont base) const;
    };

    using CustomColors = std::array<QColor, 16>;

    virtual ~Prompts() = default;

    // A message box. An empty title means the program's own title.
    virtual Answer message(QWidget* owner, const QString& text, Buttons buttons = Buttons::Ok, Icon icon = Icon::None,
                           const QString& title = QString()) = 0;

    // An input box; a cancelled box gives the empty text.
    virtual QString input(QWidget* owner, const QString& prompt, const QString& title,
                          const QString& defaultText = QString()) = 0;

    // File dialogs return the chosen path, or "" when the user cancelled.
    // `mustExist` asks the open dialog for existing files only.
    virtual QString openFile(QWidget* owner, const QString& title, const QList<FileFilter>& filters,
                             const QString& startName = QString(), bool mustExist = false) = 0;
    virtual QString saveFile(QWidget* owner, const QString& title, const QList<FileFilter>& filters,
                             const QString& startName = QString()) = 0;

    // A folder browser; "" when cancelled.
    virtual QString chooseFolder(QWidget* owner, const QString& prompt) = 0;

    // A font dialog with the effects (colour, underline, strike-out);
    // nullopt when cancelled.
    virtual std::optional<FontChoice> chooseFont(QWidget* owner, const FontChoice& start) = 0;

    // A colour dialog offering the 16 custom colours, which the user may
    // change; nullopt when cancelled.
    virtual std::optional<QColor> chooseColor(QWidget* owner, const QColor& start, CustomColors& customColors) = 0;
};

// Before a save to `path`: true when nothing is there, or the user agrees to
// replace what is ("<name> already exists. Do you want to replace it?").
bool confirmReplacing(Prompts& prompts, QWidget* owner, const QString& path);

// Before a lyric file the user made read-only is replaced: true when they
// agree ("The lyric file <name> is read-only. Replace it anyway?").
bool confirmReplacingReadOnlyLyric(Prompts& prompts, QWidget* owner, const QString& path);

// The 16 grey custom colours both programs' colour dialogs start with:
// slot i holds red = green = blue = 15 * (i + 1).
Prompts::CustomColors greyCustomColors();

} // namespace cantorel
