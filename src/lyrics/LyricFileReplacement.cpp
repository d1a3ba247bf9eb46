#include "lyrics/LyricFileReplacement.h"

#include "common/Backups.h"
#include "common/FileNames.h"
#include "common/FilePaths.h"
#include "common/FileReplace.h"

namespace cantorel::lyrics {

namespace {

struct Done {
    QString path;
    bool wrote = false;
    bool backedUp = false;
};

void undo(const QList<Done>& done)
{
    for (auto it = done.rbegin(); it != done.rend(); ++it) {
        if (it->wrote)
            removeFile(it->path);
        if (it->backedUp)
            restoreNewestBackup(it->path);
    }
}

} // namespace

ReplacementResult replaceFiles(const QList<FileReplacement>& files)
{
    ReplacementResult result;
    QList<Done> done;
    const auto fail = [&](const QString& path, const QString& why) {
        undo(done);
        result.backups.clear();
        result.notes.clear();
        result.error = path + QStringLiteral(": ") + why;
        return result;
    };
    for (const FileReplacement& f : files) {
        const NameKind there = nameKind(f.path);
        Done step{f.path};
        if (there != NameKind::None) {
            if (there == NameKind::Other)
                return fail(f.path, QStringLiteral("It is a folder, not a file."));
            QString error;
            const QString backup = moveToBackup(f.path, &error);
            if (backup.isEmpty())
                return fail(f.path, QStringLiteral("could not be moved aside: ") + error);
            step.backedUp = true;
            result.backups << backup;
        }
        done << step;
        if (f.setAsideOnly)
            continue;
        QString error;
        const EncodedText encoded = encodeForFile(f.text, f.encoding);
        if (!replaceFile(f.path, encoded.bytes, LinkRule::FollowLinks, &error))
            return fail(f.path, QStringLiteral("could not be written: ") + error);
        if (encoded.fellBack)
            result.notes << QStringLiteral("%1 no longer fits %2: it is UTF-8 now")
                                .arg(fileNamePart(f.path), encodingName(f.encoding.encoding));
        done.last().wrote = true;
        if (result.written.isEmpty())
            result.written = f.path;
    }
    result.ok = true;
    return result;
}

ReplacementResult refusal(const QString& why)
{
    ReplacementResult result;
    result.error = why;
    return result;
}

} // namespace cantorel::lyrics
