#include "lyrics/LyricPairReader.h"

#include "common/RecordForm.h"
#include "common/TextCodec.h"
#include "lyrics/LyricDecoding.h"
#include "lyrics/LyricEscape.h"
#include "lyrics/LyricFiles.h"


namespace cantorel::lyrics {

namespace {

// Reads a whole lyric file as text lines; false with `error` set when the
// file cannot be opened or read.
bool readLines(const QString& path, QStringList* lines, LyricLoad::Error* error)
{
    const TextFileRead read = readLyricFile(path);
    switch (read.status) {
    case TextFileRead::Status::Ok:
        *lines = splitLines(read.text);
        return true;
    case TextFileRead::Status::Missing: *error = LyricLoad::Error::FileNotFound; break;
    case TextFileRead::Status::ReadFailed: *error = LyricLoad::Error::DiskNotReady; break;
    default: *error = LyricLoad::Error::Other; break;
    }
    return false;
}

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

LyricLoad loadLyricPair(const QString& mediaPath, LyricTable& table)
{
    LyricLoad load;
    const QString lyricPath = lyricPathOf(mediaPath);
    if (!hasLyric(mediaPath)) {
        load.outcome = LyricLoad::Outcome::NoLyricFile;
        return load;
    }

    for (int i = 0; i < LyricTable::kSlots; ++i) {
        table.listLines[i].clear();
        table.listTranslatedLines[i].clear();
    }

    QStringList normal;
    if (!readLines(lyricPath, &normal, &load.error)) {
        load.outcome = LyricLoad::Outcome::Failed;
        return load;
    }
    const int n = fillSlots(normal, &load.cutShort, [&](int k, double time, const QString& text) {
        table.times[k] = time;
        table.lines[k] = text;
        table.listLines[k] = text;
        table.listTimes[k] = formatNumber(time);
    });
    table.lineCount = n + 1;

    if (!hasTranslation(mediaPath)) {
        table.noTranslation = true;
        load.outcome = LyricLoad::Outcome::LyricOnly;
        return load;
    }

    QStringList translated;
    if (!readLines(translatedLyricPathOf(mediaPath), &translated, &load.error)) {
        load.outcome = LyricLoad::Outcome::Failed;
        return load;
    }
    fillSlots(translated, &load.cutShort, [&](int k, double time, const QString& text) {
        table.translatedTimes[k] = time;
        table.translatedLines[k] = text;
        table.listTranslatedLines[k] = text;
    });
    table.noTranslation = false;
    load.outcome = LyricLoad::Outcome::WithTranslation;
    return load;
}

} // namespace cantorel::lyrics
