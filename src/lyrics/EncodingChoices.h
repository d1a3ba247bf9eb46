#pragma once
// The encodings the user chose for lyric files ("Lyric encoding" in the
// player's menu), kept for the next start in configDirectory()/
// "lyric-encodings.txt": one "<encoding name><TAB><absolute path>" line per
// file, UTF-8, the most recent choice last. At most kMaxEncodingChoices
// files are remembered (the oldest are forgotten) and at most
// kMaxEncodingChoicesBytes of the file are read; lines that make no sense
// are skipped.
//
// Every lyric file is read through readLyricFile (LyricDecoding.h), which
// asks the choices installed with useEncodingChoices; with none installed
// (tests, and any program that does not install them) every file's encoding
// is guessed.
//
// An EncodingChoices may be used from any thread.
#include "lyrics/TextEncoding.h"

#include <QList>
#include <QMutex>
#include <QPair>
#include <QString>
#include <QStringList>

#include <optional>

namespace cantorel::lyrics {

constexpr qsizetype kMaxEncodingChoices = 2000;
constexpr qint64 kMaxEncodingChoicesBytes = qint64(1024) * 1024;

// configDirectory() + "/lyric-encodings.txt".
QString encodingChoicesPath();

class EncodingChoices {
public:
    // Reads what was remembered in `storePath` ("" keeps the choices in
    // memory only). A missing or unreadable file is no choice at all.
    explicit EncodingChoices(QString storePath);

    // The encoding chosen for the file at `path`, nothing for "Automatic".
    std::optional<TextEncoding> choiceFor(const QString& path) const;

    // Sets the choice for each of `paths` (nothing: back to "Automatic") and
    // writes the store. The choice holds from now on even when the store
    // cannot be written; then false, with the reason in *error. A path the
    // store cannot hold (not UTF-8, a line break in it) is kept for this run
    // only.
    bool choose(const QStringList& paths, std::optional<TextEncoding> encoding, QString* error = nullptr);

private:
    bool save(QString* error) const;

    QString m_storePath;
    mutable QMutex m_mutex;
    QList<QPair<QString, TextEncoding>> m_entries; // absolute path, encoding
};

// Makes readLyricFile honour `choices` (null: none). Called by a program's
// main thread before any lyric is read; `choices` must outlive every read.
void useEncodingChoices(const EncodingChoices* choices);

// What the installed choices say for `path`; nothing without any.
std::optional<TextEncoding> chosenEncodingFor(const QString& path);

// While one lives, every lyric file is read in `encoding`, whatever was
// chosen before (cantorel-lyrics show --encoding). Main thread.
class ScopedEncodingForAll {
public:
    explicit ScopedEncodingForAll(TextEncoding encoding);
    ~ScopedEncodingForAll();
    ScopedEncodingForAll(const ScopedEncodingForAll&) = delete;
    ScopedEncodingForAll& operator=(const ScopedEncodingForAll&) = delete;

private:
    std::optional<TextEncoding> m_previous;
};

} // namespace cantorel::lyrics
