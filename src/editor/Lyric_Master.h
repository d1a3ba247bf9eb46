#pragma once
// The lyric editor window: a plain-text lyric on the left and its translation
// on the right, edited line against line. The rules live in LinePair and
// EditorFiles; this window shows their state and forwards the user's actions.
//
// The lyric maker creates the window on first use and then shows it with
// showEditor(); closing the window only hides it, so its lines live until the
// program ends. At the end, the program calls saveChangesAtExit().
#include "common/Prompts.h"
#include "editor/EditorFiles.h"
#include "editor/LinePair.h"
#include "editor/TextClipboard.h"

#include <QWidget>
#include <memory>

class QCheckBox;
class QLabel;
class QListWidget;
class QMenu;
class QPlainTextEdit;
class QPushButton;
class QTimer;

namespace cantorel {

class Lyric_Master : public QWidget {
    Q_OBJECT

public:
    // Uses the desktop's clipboard.
    explicit Lyric_Master(Prompts& prompts, QWidget* parent = nullptr);
    // Uses `clipboard`, which must outlive the window.
    Lyric_Master(Prompts& prompts, editor::TextClipboard& clipboard, QWidget* parent = nullptr);
    ~Lyric_Master() override;

    // Enables, shows and raises the window (the maker's "Lyrics Editor").
    void showEditor();
    // For the program's end: asks, for each side with changes that were
    // never saved, whether to save them; shows the window first if needed.
    // False when the program must stay open (see EditorFiles).
    bool saveChangesAtExit();
    // For an end without questions (a signal, the session): writes the
    // unsaved sides to files of their own, beside their files or in the
    // first fallback place that takes them (RescueCopies.h).
    editor::RescueOutcome writeRescueCopies();
    bool hasUnsavedChanges() const;

    // The state behind the window (for the owner's checks and for tests).
    const editor::LinePair& lines() const { return m_lines; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private Q_SLOTS:
    void command1Click();
    void command2Click();
    void command15Click();
    void command16Click();
    void command17Click();
    void command18Click();
    void command19Click();
    void command20Click();
    void command11Click();
    void command12Click();
    void command5Click();
    void command7Click();
    void command6Click();
    void command8Click();
    void command3Click();
    void command4Click();
    void command9Click();
    void command10Click();
    void command21Click();
    void command22Click();
    void command23Click();
    void command13Click();
    void check1Click(bool checked);
    void check2Click(bool checked);
    void check3Click(bool checked);
    void text1Change();
    void text2Change();
    void mnCopyClick();
    void mnPaste2Click();
    void mnDelClick();
    void mnDelspecialClick();
    void countlinesTick();

private:
    // `clipboard` is used when given, otherwise `ownClipboard`.
    Lyric_Master(Prompts& prompts, std::unique_ptr<editor::TextClipboard> ownClipboard,
                 editor::TextClipboard* clipboard, QWidget* parent);

    struct SideControls {
        QLabel* title = nullptr;
        QListWidget* list = nullptr;
        QPlainTextEdit* edit = nullptr;
        QLabel* count = nullptr;
        QLabel* lineNumber = nullptr;
        QCheckBox* deleteMarked = nullptr;
    };

    // Makes the controls from the window's tables (Lyric_MasterUi.cpp).
    void buildControls();
    void setUpControls();
    void connectControls();

    SideControls& controls(editor::Side side) { return side == editor::Side::Left ? m_left : m_right; }
    void listCurrentChanged(editor::Side side, int row);
    void listMarksChanged(editor::Side side);
    void editBoxChanged(editor::Side side);
    void popUpMenu(editor::Side side, const QPoint& globalPos);

    // Brings every control in line with the state behind the window; a
    // control whose shown state already matches is not touched.
    void showState();
    void showList(editor::Side side);
    void showEditBox(editor::Side side);
    // Both return true when the label changed.
    bool setLabelText(QLabel* label, const QString& text);
    bool setLabelColour(QLabel* label, const QColor& colour);

    std::unique_ptr<editor::TextClipboard> m_ownClipboard;
    Prompts& m_prompts;
    editor::LinePair m_lines;
    editor::EditorFiles m_files;
    bool m_showing = false; // showState() is updating controls

    SideControls m_left;
    SideControls m_right;
    QLabel* m_comparison = nullptr;
    QCheckBox* m_synchronize = nullptr;
    QPushButton* m_buttons[24] = {}; // CommandN at index N
    QMenu* m_menu = nullptr;
    QTimer* m_countlines = nullptr;
};

} // namespace cantorel
