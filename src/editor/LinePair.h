#pragma once
// The two line lists of the lyric editor and every operation on them: the
// normal lyric on the left, its translation on the right, line against line.
// The window shows this state and forwards the user's actions here; nothing
// in this class needs a widget, so the rules are tested without a window.
//
// All calls are made on the user-interface thread. Operations that ask the
// user (adding a line, a line break typed into an edit box) do so through
// Prompts and call the before-prompt hook first, so the window can show the
// current state behind the box.
#include "common/Prompts.h"
#include "editor/TextClipboard.h"
#include "lyrics/TextEncoding.h"

#include <QString>
#include <QStringList>
#include <functional>
#include <set>

class QWidget;

namespace cantorel::editor {

enum class Side { Left, Right };

inline Side otherSide(Side side)
{
    return side == Side::Left ? Side::Right : Side::Left;
}

// One side of the editor.
struct LineColumn {
    QStringList lines;         // the lyric, one entry per line, never holding a line break
    int current = -1;          // index of the current line, -1 when there is none
    std::set<int> marked;      // indexes of the marked lines, all < lines.size()
    QString editText;          // what the side's edit box shows
    bool deleteMarked = false; // "Delete select items": Delete removes the marked lines
    QString fileName;          // the file last opened or saved, "" when none
    // What that file is written in; a Save to the same file keeps it.
    lyrics::FileEncoding fileEncoding;
    QStringList savedLines; // the lines as last opened or saved
};

class LinePair {
public:
    LinePair(Prompts& prompts, TextClipboard& clipboard);

    // The window that owns the questions; may be null.
    void setPromptOwner(QWidget* owner) { m_owner = owner; }
    // Called right before any question is shown.
    void setBeforePrompt(std::function<void()> hook) { m_beforePrompt = std::move(hook); }

    const LineColumn& column(Side side) const { return side == Side::Left ? m_left : m_right; }

    // "Synchronize Movement": clicking a line makes the same index current on
    // the other side, and Up/Down move both sides.
    bool synchronize() const { return m_synchronize; }
    void setSynchronize(bool on) { m_synchronize = on; }
    void setDeleteMarked(Side side, bool on) { col(side).deleteMarked = on; }
    // The side the pop-up menu and the paste act on.
    Side pasteTarget() const { return m_pasteTarget; }
    void setPasteTarget(Side side) { m_pasteTarget = side; }

    // --- What the user does in the views ---

    // Line `index` became current by a click or a key (-1: none). The edit
    // box shows the line; with synchronisation the other side follows.
    // Leaves the marks alone: the view reports them with setMarked().
    void select(Side side, int index);
    // The marked lines as the view shows them; indexes out of range are dropped.
    void setMarked(Side side, const std::set<int>& marked);
    // The edit box's text changed: the current line (if any) takes it. A
    // line break is removed again and explained in a message box.
    void editCurrentLine(Side side, const QString& text);

    // --- The buttons and menu commands ---

    // Asks for a line and inserts it after the current line (first when none
    // is current); an empty entry may append a blank line at the end.
    void addLine(Side side);
    // Removes the current line, or the marked lines in "Delete select items"
    // mode; needs a current line either way. Afterwards no line is current.
    void deleteLines(Side side);
    // Removes the marked lines of `side` (current line needed) and unticks
    // both sides' "Delete select items".
    void deleteMarkedLines(Side side);
    void moveUp(Side side);
    void moveDown(Side side);
    // Appends CR LF and each marked line, in list order, to the clipboard text.
    void copy(Side side);
    // Appends the clipboard text to the paste target. Text whose first line
    // break comes after its first character is split into lines; otherwise
    // the breaks are removed and it becomes one line.
    void paste();
    // The "Paste" buttons: target this side, then paste.
    void pasteInto(Side side);
    void clear(Side side);
    void clearClipboard();
    // Moves the marked left lines, in order, to the end of the right list.
    // The clipboard is left holding them, as a copy would.
    void transfer();

    // --- Files ---

    // The lines of a freshly opened file, read in `encoding`; no line is
    // current afterwards.
    void loadLines(Side side, const QStringList& lines, const QString& fileName, lyrics::FileEncoding encoding = {});
    // The side's lines were written to `fileName` in `encoding`.
    void markSaved(Side side, const QString& fileName, lyrics::FileEncoding encoding = {});
    // True when the lines differ from what was last opened or saved.
    bool hasUnsavedChanges(Side side) const;

    static QString lineBreakMessage();
    // `text` without any line break (CR, LF, Unicode line/paragraph separators).
    static QString withoutBreaks(const QString& text);

private:
    LineColumn& col(Side side) { return side == Side::Left ? m_left : m_right; }
    // Makes `index` current; `markIt` also makes it the only marked line, as
    // an action (not a click) that moves the current line does.
    void applySelection(Side side, int index, bool markIt);
    void move(Side side, int step);
    bool canMove(Side side, int index, int step) const;
    void moveOne(Side side, int index, int step);
    void removeMarked(Side side);
    void prepareForPrompt();

    Prompts& m_prompts;
    TextClipboard& m_clipboard;
    QWidget* m_owner = nullptr;
    std::function<void()> m_beforePrompt;

    LineColumn m_left;
    LineColumn m_right;
    bool m_synchronize = false;
    Side m_pasteTarget = Side::Left;
    bool m_syncBusy = false;       // a synchronised move is moving the partner
    bool m_moveInProgress = false; // suppresses the selection mirroring
};

} // namespace cantorel::editor
