#include "lyrics/LyricPairReader.h"

#include "base/RecordForm.h"
#include "base/TextCodec.h"
#include "lyrics/LyricDecoding.h"
#include "lyrics/LyricEscape.h"
#include "lyrics/LyricFiles.h"

namespace cantorel::lyrics {

namespace {

// Fills slots 1.. from the records of `lines` through `store`; returns the
// number of slots filled and sets *cutShort when records were dropped.
template <typename Store>
int fillSlots(const QStringList& lines, bool* cutShort, Store store)
{
    int k = 1;
    for (const QString& line : lines) {
        if (line.trimmed().isEmpty())
            continue;
        if (k > LyricTable::kLastSlot) {
            *cutShort = true;
            break;
        }
        double time = 0;
        QString text;
        if (!parseLyricRecord(line, &time, &text)) {
            *cutShort = true;
            break;
        }
        store(k, time, text);
        ++k;
    }
    return k - 1;
}

} // namespace

bool parseLyricRecord(const QString& line, double* timeCentis, QString* text)
{
    const QStringList fields = parseRecord(line);
    const auto time = parseNumber(fields.value(0));
    if (!time)
        return false;
    *timeCentis = *time;
    *text = unescapeLine(fields.value(1));
    return true;
}

bool noFileThere(const TextFileRead& read)
{
    return read.status == TextFileRead::Status::Missing || read.status == TextFileRead::Status::NotAFile;
}

LyricLoad::Error loadErrorOf(const TextFileRead& read)
{
    switch (read.status) {
    case TextFileRead::Status::Missing:
        return LyricLoad::Error::FileNotFound;
    case TextFileRead::Status::ReadFailed:
        return LyricLoad::Error::DiskNotReady;
    default:
        return LyricLoad::Error::Other;
    }
}

LyricLoad loadLyricPair(const QString& mediaPath, LyricTable& table)
{
    LyricLoad load;
    const TextFileRead normal = readLyricFile(lyricPathOf(mediaPath));
    if (noFileThere(normal))
        return load; // NoLyricFile

    for (int i = 0; i < LyricTable::kSlots; ++i) {
        table.listLines[i].clear();
        table.listTranslatedLines[i].clear();
    }
    const auto fail = [&load](const TextFileRead& read) {
        load.outcome = LyricLoad::Outcome::Failed;
        load.error = loadErrorOf(read);
        return load;
    };
    if (!normal.ok())
        return fail(normal);
    const int n = fillSlots(splitLines(normal.text), &load.cutShort, [&](int k, double time, const QString& text) {
        table.times[k] = time;
        table.lines[k] = text;
        table.words[k] = {}; // the pair holds no word times
        table.listLines[k] = text;
        table.listTimes[k] = formatNumber(time);
    });
    table.lineCount = n + 1;

    const TextFileRead translated = readLyricFile(translatedLyricPathOf(mediaPath));
    if (noFileThere(translated)) {
        table.noTranslation = true;
        load.outcome = LyricLoad::Outcome::LyricOnly;
        return load;
    }
    if (!translated.ok())
        return fail(translated);
    fillSlots(splitLines(translated.text), &load.cutShort, [&](int k, double time, const QString& text) {
        table.translatedTimes[k] = time;
        table.translatedLines[k] = text;
        table.listTranslatedLines[k] = text;
    });
    table.noTranslation = false;
    load.outcome = LyricLoad::Outcome::WithTranslation;
    return load;
}

} // namespace cantorel::lyrics
