#include "editor/EditorFiles.h"

#include "base/FilePaths.h"
#include "base/FileReplace.h"
#include "editor/LyricTextFile.h"

#include <QDir>

namespace cantorel::editor {

namespace {

// Said after a save whose lines no longer fit `was`, the encoding of the file
// at `path`.
QString fellBackMessage(const QString& path, lyrics::TextEncoding was)
{
    return QStringLiteral("The lyric was saved. %1 no longer fits %2: it is UTF-8 now.")
        .arg(fileNamePart(path), lyrics::encodingName(was));
}

} // namespace

EditorFiles::EditorFiles(LinePair& lines, Prompts& prompts) : m_lines(lines), m_prompts(prompts)
{}

QList<Prompts::FileFilter> EditorFiles::textFilter()
{
    return {{QStringLiteral("Text files (*.txt)"), QStringLiteral("*.txt")}};
}

QString EditorFiles::exitQuestion()
{
    return QStringLiteral("Save changes to the lyric before closing?");
}

void EditorFiles::open(Side side)
{
    const QString title =
        side == Side::Left ? QStringLiteral("Open a Lyric file") : QStringLiteral("Open a Translated Lyric file");
    const QString chosen = cleanChosenPath(m_prompts.openFile(m_owner, title, textFilter()));
    if (chosen.isEmpty())
        return;
    const LyricTextRead read = readLyricText(chosen);
    if (!read.ok) {
        m_prompts.message(m_owner,
                          QStringLiteral("The lyric file \"%1\" could not be opened.\n%2")
                              .arg(QDir::toNativeSeparators(chosen), read.error),
                          Prompts::Buttons::Ok, Prompts::Icon::Exclamation);
        return;
    }
    m_lines.loadLines(side, read.lines, chosen, read.encoding);
}

bool EditorFiles::save(Side side)
{
    const QString fileName = m_lines.column(side).fileName;
    if (fileName.isEmpty())
        return saveAs(side);
    return writeTo(side, fileName);
}

bool EditorFiles::saveAs(Side side)
{
    const QString title =
        side == Side::Left ? QStringLiteral("Save the Lyric file") : QStringLiteral("Save the Translated Lyric file");
    const QString chosen = m_prompts.saveFile(m_owner, title, textFilter(), m_lines.column(side).fileName);
    if (cleanChosenPath(chosen).isEmpty())
        return false;
    const QString path = lyricSaveName(chosen);
    // The dialog leaves replacing to us; the name may also have changed.
    if (!confirmReplacing(m_prompts, m_owner, path))
        return false;
    return writeTo(side, path);
}

bool EditorFiles::writeTo(Side side, const QString& path)
{
    // A file the user made read-only is replaced only when they say so.
    if (isWriteProtected(path) && !confirmReplacingReadOnlyLyric(m_prompts, m_owner, path))
        return false;
    const LineColumn& column = m_lines.column(side);
    // The file the lines came from keeps its encoding; any other file is ours.
    const lyrics::FileEncoding encoding = path == column.fileName ? column.fileEncoding : lyrics::FileEncoding {};
    const LyricTextWrite written = writeLyricText(path, column.lines, encoding);
    if (!written.ok()) {
        m_prompts.message(m_owner,
                          QStringLiteral("The lyric could not be saved to \"%1\".\n%2")
                              .arg(QDir::toNativeSeparators(path), written.error),
                          Prompts::Buttons::Ok, Prompts::Icon::Exclamation);
        return false;
    }
    m_lines.markSaved(side, path, written.encoding);
    if (written.fellBack)
        m_prompts.message(m_owner, fellBackMessage(path, encoding.encoding), Prompts::Buttons::Ok,
                          Prompts::Icon::Information);
    return true;
}

bool EditorFiles::hasUnsavedChanges() const
{
    return m_lines.hasUnsavedChanges(Side::Left) || m_lines.hasUnsavedChanges(Side::Right);
}

namespace {

QString sideTitle(Side side)
{
    return side == Side::Left ? QStringLiteral("Lyrics") : QStringLiteral("Translated Lyrics");
}

} // namespace

bool EditorFiles::saveChangesAtExit()
{
    for (const Side side : {Side::Left, Side::Right}) {
        if (!m_lines.hasUnsavedChanges(side))
            continue;
        // The two questions read the same; the title tells which lyric is meant.
        const Prompts::Answer answer = m_prompts.message(m_owner, exitQuestion(), Prompts::Buttons::YesNoCancel,
                                                         Prompts::Icon::Question, sideTitle(side));
        if (answer == Prompts::Answer::Cancel)
            return false;
        if (answer == Prompts::Answer::Yes && !save(side))
            return false;
    }
    return true;
}

QList<RescueSide> EditorFiles::unsavedSides() const
{
    QList<RescueSide> sides;
    for (const Side side : {Side::Left, Side::Right}) {
        if (m_lines.hasUnsavedChanges(side))
            sides.append({sideTitle(side), m_lines.column(side).fileName, m_lines.column(side).lines});
    }
    return sides;
}

} // namespace cantorel::editor
