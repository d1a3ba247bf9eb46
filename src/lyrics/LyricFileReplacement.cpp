#include "lyrics/LyricFileReplacement.h"

#include "base/Backups.h"
#include "base/FileNames.h"
#include "base/FilePaths.h"
#include "base/FileReplace.h"
#include "base/TextFile.h"

#include <cerrno>
#include <optional>
#include <utility>
#include <vector>

namespace cantorel::lyrics {

namespace {

// The one place where a replacement's text becomes the bytes on disk: in
// the file's own encoding, or as UTF-8 with a byte-order mark when the text
// no longer fits it (`note` then says so). A text holding a file name that
// is not valid UTF-8 cannot be written at all.
std::optional<QByteArray> bytesOf(const FileReplacement& f, QString* note, QString* error)
{
    if (!textFileBytes(f.text, error))
        return std::nullopt;
    const EncodedText encoded = encodeForFile(f.text, f.encoding);
    if (encoded.fellBack)
        *note = QStringLiteral("%1 no longer fits %2: it is UTF-8 now")
                    .arg(fileNamePart(f.path), encodingName(f.encoding.encoding));
    return encoded.bytes;
}

// One file of a replacement, as it goes.
struct Target {
    const FileReplacement* change = nullptr;
    QString file; // the name that holds it: links followed, unless only set aside
    bool existed = false;
    StagedFile staged;
    QString backup;       // the backup made, "" while none
    bool inPlace = false; // the new file was renamed over it, or it was set aside
};

class Replacement {
public:
    Replacement(const QList<FileReplacement>& files, ReadOnlyRule rule, const ReplacementStepWatch& beforeStep)
        : m_rule(rule), m_beforeStep(beforeStep)
    {
        m_targets.resize(size_t(files.size()));
        for (qsizetype i = 0; i < files.size(); ++i)
            m_targets[size_t(i)].change = &files[i];
    }

    ReplacementResult run()
    {
        for (Target& t : m_targets) {
            if (!check(t))
                return m_result;
        }
        if (!m_readOnly.isEmpty()) {
            m_result.error = m_readOnlyWhy.join(u'\n');
            m_result.readOnly = m_readOnly;
            return m_result;
        }
        for (Target& t : m_targets) {
            if (!stage(t))
                return m_result;
        }
        for (Target& t : m_targets) {
            if (!keepOld(t))
                return m_result;
        }
        for (Target& t : m_targets) {
            if (!putInPlace(t))
                return m_result;
        }
        m_result.ok = true;
        return m_result;
    }

private:
    // Nothing is touched yet: a folder in the way, a link that leads
    // nowhere, or a read-only file (gathered for the one refusal).
    bool check(Target& t)
    {
        const QString& path = t.change->path;
        QString why;
        if (t.change->setAsideOnly) {
            const NameKind kind = nameKind(path);
            if (kind == NameKind::Other)
                return fail(t, QStringLiteral("It is a folder, not a file."));
            t.file = path;
            t.existed = kind != NameKind::None;
        } else {
            t.file = linkedFile(path, &why);
            if (t.file.isEmpty())
                return fail(t, why);
            t.existed = fileFacts(t.file).exists;
        }
        if (t.existed && m_rule == ReadOnlyRule::Refuse && isWriteProtected(t.file)) {
            m_readOnly << path;
            m_readOnlyWhy << path + QStringLiteral(": it is read-only.");
        }
        return true;
    }

    bool stage(Target& t)
    {
        if (t.change->setAsideOnly)
            return true;
        QString why, note;
        const std::optional<QByteArray> bytes = bytesOf(*t.change, &note, &why);
        if (!bytes)
            return fail(t, why);
        if (!note.isEmpty())
            m_result.notes << note;
        if (!allowed(&why) || !t.staged.stage(t.file, *bytes, &why))
            return fail(t, QStringLiteral("could not be written: ") + why);
        return true;
    }

    bool keepOld(Target& t)
    {
        if (!t.existed)
            return true;
        QString why;
        if (allowed(&why))
            t.backup = keepBackup(t.file, &why);
        if (t.backup.isEmpty())
            return fail(t, QStringLiteral("no backup of it could be kept: ") + why);
        m_result.backups << t.backup;
        return true;
    }

    bool putInPlace(Target& t)
    {
        QString why;
        if (t.change->setAsideOnly) {
            // Its backup holds it already: only the name goes.
            if (!t.existed)
                return true;
            t.inPlace = allowed(&why) && removeFile(t.file, &why);
            return t.inPlace || fail(t, QStringLiteral("could not be moved aside: ") + why);
        }
        const bool done = allowed(&why) && t.staged.commit(&why);
        t.inPlace = t.staged.isInPlace();
        if (!done)
            return fail(t, QStringLiteral("could not be written: ") + why);
        if (m_result.written.isEmpty())
            m_result.written = t.change->path;
        return true;
    }

    // The watch's say on the next step.
    bool allowed(QString* why)
    {
        if (!m_beforeStep || m_beforeStep(m_step++))
            return true;
        *why = qt_error_string(EIO);
        return false;
    }

    bool fail(const Target& t, const QString& why)
    {
        undo();
        m_result = refusal(t.change->path + QStringLiteral(": ") + why);
        return false;
    }

    // Back to the disk as it was, last file first.
    void undo()
    {
        for (auto t = m_targets.rbegin(); t != m_targets.rend(); ++t) {
            t->staged.discard();
            if (t->inPlace && t->existed)
                restoreNewestBackup(t->file);
            else if (t->inPlace)
                removeFile(t->file);
            else if (!t->backup.isEmpty())
                dropNewestBackup(t->file);
        }
    }

    std::vector<Target> m_targets;
    ReadOnlyRule m_rule;
    const ReplacementStepWatch& m_beforeStep;
    ReplacementResult m_result;
    QStringList m_readOnly;
    QStringList m_readOnlyWhy;
    int m_step = 0;
};

} // namespace

ReplacementResult replaceFiles(const QList<FileReplacement>& files, ReadOnlyRule readOnly,
                               const ReplacementStepWatch& beforeStep)
{
    return Replacement(files, readOnly, beforeStep).run();
}

ReplacementResult refusal(const QString& why)
{
    ReplacementResult result;
    result.error = why;
    return result;
}

} // namespace cantorel::lyrics
