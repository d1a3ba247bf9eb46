#include "lyrics/EncodingChoices.h"

#include "base/FileNames.h"
#include "base/ProgramDirectory.h"
#include "base/TextCodec.h"
#include "base/TextFile.h"

#include <QDir>
#include <QFileInfo>

#include <atomic>

namespace cantorel::lyrics {

namespace {

std::atomic<const EncodingChoices*> g_choices {nullptr};
// The encoding every file is read in, as int(TextEncoding); -1 for none.
std::atomic<int> g_forAll {-1};

QString absolutePath(const QString& path)
{
    return QDir::cleanPath(QDir::isAbsolutePath(path) ? path : QDir::currentPath() + u'/' + path);
}

bool storable(const QString& path)
{
    return !holdsForeignBytes(path) && !path.contains(u'\n') && !path.contains(u'\r');
}

void setEntry(QList<QPair<QString, TextEncoding>>& entries, const QString& path, std::optional<TextEncoding> encoding)
{
    entries.removeIf([&](const QPair<QString, TextEncoding>& e) { return e.first == path; });
    if (encoding)
        entries.append({path, *encoding});
    if (entries.size() > kMaxEncodingChoices)
        entries.remove(0, entries.size() - kMaxEncodingChoices);
}

} // namespace

QString encodingChoicesPath()
{
    return configDirectory() + QStringLiteral("/lyric-encodings.txt");
}

EncodingChoices::EncodingChoices(QString storePath) : m_storePath(std::move(storePath))
{
    if (m_storePath.isEmpty())
        return;
    const TextFileRead read = readTextFile(m_storePath, kMaxEncodingChoicesBytes);
    if (!read.ok())
        return;
    for (const QString& line : splitLines(read.text)) {
        const qsizetype tab = line.indexOf(u'\t');
        const auto encoding = encodingNamed(QStringView(line).left(qMax<qsizetype>(tab, 0)));
        const QString path = line.mid(tab + 1);
        if (tab > 0 && encoding && QDir::isAbsolutePath(path))
            setEntry(m_entries, QDir::cleanPath(path), encoding);
    }
}

std::optional<TextEncoding> EncodingChoices::choiceFor(const QString& path) const
{
    const QString wanted = absolutePath(path);
    QMutexLocker lock(&m_mutex);
    for (const auto& [entryPath, encoding] : m_entries) {
        if (entryPath == wanted)
            return encoding;
    }
    return std::nullopt;
}

bool EncodingChoices::choose(const QStringList& paths, std::optional<TextEncoding> encoding, QString* error)
{
    QMutexLocker lock(&m_mutex);
    for (const QString& path : paths)
        setEntry(m_entries, absolutePath(path), encoding);
    return m_storePath.isEmpty() || save(error);
}

bool EncodingChoices::save(QString* error) const
{
    QString text;
    for (const auto& [path, encoding] : m_entries) {
        if (storable(path))
            text += encodingName(encoding) + u'\t' + path + QStringLiteral("\n");
    }
    QDir().mkpath(QFileInfo(m_storePath).path());
    return writeTextFile(m_storePath, text, error, LinkRule::ReplaceLinks);
}

void useEncodingChoices(const EncodingChoices* choices)
{
    g_choices.store(choices);
}

std::optional<TextEncoding> chosenEncodingFor(const QString& path)
{
    if (const int forAll = g_forAll.load(); forAll >= 0)
        return TextEncoding(forAll);
    if (const EncodingChoices* choices = g_choices.load())
        return choices->choiceFor(path);
    return std::nullopt;
}

ScopedEncodingForAll::ScopedEncodingForAll(TextEncoding encoding)
{
    const int previous = g_forAll.exchange(int(encoding));
    if (previous >= 0)
        m_previous = TextEncoding(previous);
}

ScopedEncodingForAll::~ScopedEncodingForAll()
{
    g_forAll.store(m_previous ? int(*m_previous) : -1);
}

} // namespace cantorel::lyrics
