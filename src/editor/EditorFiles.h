#pragma once
// Opening and saving the two sides of the lyric editor, with their dialogs
// and messages. A file that cannot be read or written is reported and changes
// nothing: the lines, the side's file name and the file on disk stay as they
// were.
//
// A file is read in the encoding it is written in (LyricTextFile.h), and a
// Save to that file keeps it; only lines that no longer fit it are written as
// UTF-8 with a byte-order mark, and the user is told. Save As to any other
// name writes UTF-8. A read-only file is replaced only when the user says so
// (it then stays read-only); otherwise nothing is written and the lines stay
// unsaved.
#include "common/Prompts.h"
#include "editor/LinePair.h"
#include "editor/RescueCopies.h"

namespace cantorel::editor {

class EditorFiles {
public:
    EditorFiles(LinePair& lines, Prompts& prompts);

    // The window that owns the dialogs; may be null.
    void setOwner(QWidget* owner) { m_owner = owner; }

    // Asks for a text file and puts its lines into the side's list.
    void open(Side side);
    // Writes the side to its file, or asks for a name when it has none.
    // True when the lines were written; false when the user kept a
    // read-only file or the write failed (said in a message).
    bool save(Side side);
    // Asks for a name (".txt" added), then writes. True when written.
    bool saveAs(Side side);
    // At the program's end: for each side whose lines changed since they
    // were last opened or saved, asks whether to save them (Yes saves as
    // save() does, No drops them, Cancel keeps the program open). False when
    // the program must stay open: the user cancelled, or a side they wanted
    // saved was not (its save failed or its name dialog was cancelled).
    bool saveChangesAtExit();
    // The sides whose lines changed since they were last opened or saved,
    // for rescue copies (RescueCopies.h) when the program is ended without a
    // chance to ask.
    QList<RescueSide> unsavedSides() const;
    bool hasUnsavedChanges() const;

    static QList<Prompts::FileFilter> textFilter();
    static QString exitQuestion();

private:
    bool writeTo(Side side, const QString& path);

    LinePair& m_lines;
    Prompts& m_prompts;
    QWidget* m_owner = nullptr;
};

} // namespace cantorel::editor
