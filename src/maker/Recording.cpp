#include "maker/Recording.h"

#include "lyrics/LyricEscape.h"

namespace cantorel::maker {

void Recording::closeStreams()
{
    // What was marked of lines not yet complete is kept too.
    writeLines(m_words.takeUnfinished());
    const bool lyricWritten = m_lyricTarget.records() > 0;
    m_lyricSource.close();
    m_lyricTarget.close();
    m_translatedSource.close();
    m_translatedTarget.close();
    for (LyricTarget* aside : {&m_translatedTarget, &m_lyricAside}) {
        if (!aside->isSetAside())
            continue;
        if (lyricWritten)
            aside->keep();
        else
            aside->putBack();
    }
}

void Recording::beginPreparation()
{
    closeStreams();
    m_allLinesDone = false;
    m_stoppedByUser = false;
    m_started = false;
    m_currentLine.clear();
    m_currentTranslatedLine.clear();
    m_lineTime = 0;
    m_lrc = {};
}

FileError Recording::openSource(Side side, const QString& path)
{
    return sourceOf(side).open(path);
}

FileError Recording::createTarget(Side side, const QString& path, ReadOnlyRule readOnly)
{
    return targetOf(side).create(path, readOnly);
}

FileError Recording::setAsideOldTranslation(const QString& path, ReadOnlyRule readOnly)
{
    return m_translatedTarget.setAside(path, readOnly);
}

FileError Recording::setAsideOldLyric(const QString& path, ReadOnlyRule readOnly)
{
    return m_lyricAside.setAside(path, readOnly);
}

QString Recording::takeFirstLine(Side side)
{
    const std::optional<QString> read = sourceOf(side).readLine();
    const QString line = read.value_or(QString());
    lineOf(side) = lyrics::escapeLine(line);
    if (m_wordByWord && side == Side::Translation)
        m_words.setTranslation(line);
    else if (m_wordByWord && read)
        m_words.setLine(line);
    else if (m_wordByWord)
        m_words.setNoMoreLines();
    return line;
}

bool Recording::streamsReady() const
{
    const bool lyric = m_lyricSource.isOpen() && m_lyricTarget.isOpen();
    if (m_noTranslation)
        return lyric;
    // Word by word the translation goes into the lyric's own file.
    return lyric && m_translatedSource.isOpen() && (m_wordByWord || m_translatedTarget.isOpen());
}

bool Recording::anyStreamOpen() const
{
    return m_lyricSource.isOpen() || m_lyricTarget.isOpen() || m_translatedSource.isOpen()
           || m_translatedTarget.isOpen();
}

void Recording::abandon()
{
    closeStreams();
    m_recordingOpen = false;
}

QString Recording::writeCurrent(double timeCentis)
{
    QString failed;
    if (m_lyricTarget.write(timeCentis, m_currentLine) == LyricTarget::Write::Failed)
        failed = m_lyricTarget.path();
    if (!m_noTranslation && m_translatedTarget.write(timeCentis, m_currentTranslatedLine) == LyricTarget::Write::Failed
        && failed.isEmpty())
        failed = m_translatedTarget.path();
    return failed;
}

QString Recording::writeLines(const QList<lyrics::TimedLine>& lines)
{
    QString failed;
    for (const lyrics::TimedLine& line : lines) {
        if (m_lyricTarget.writeText(m_lrc.linesOf(line, !m_noTranslation)) == LyricTarget::Write::Failed)
            failed = m_lyricTarget.path();
    }
    return failed;
}

bool Recording::canReadLine() const
{
    return m_noTranslation ? !m_lyricSource.exhausted() : !m_lyricSource.exhausted() && !m_translatedSource.exhausted();
}

void Recording::readNextLines(Step& step)
{
    step.line = m_lyricSource.readLine().value_or(QString());
    m_currentLine = lyrics::escapeLine(step.line);
    if (!m_noTranslation) {
        step.translatedLine = m_translatedSource.readLine().value_or(QString());
        m_currentTranslatedLine = lyrics::escapeLine(step.translatedLine);
    }
    step.advanced = true;
}

Recording::Step Recording::markWord(double timeCentis)
{
    Step step;
    m_lineTime = timeCentis;
    const QList<lyrics::TimedLine> done = m_words.press(timeCentis);
    step.failedPath = writeLines(done);
    step.wrote = !done.isEmpty();
    if (m_words.wantsLine() && canReadLine()) {
        readNextLines(step);
        m_words.setLine(step.line);
        m_words.setTranslation(step.translatedLine);
    } else if (m_words.wantsLine()) {
        m_words.setNoMoreLines();
    }
    if (m_words.finished()) {
        m_allLinesDone = true;
        step.allLinesDone = true;
    }
    return step;
}

bool Recording::sourcesExhausted() const
{
    if (m_noTranslation)
        return m_lyricSource.exhausted();
    return m_lyricSource.exhausted() && m_translatedSource.exhausted();
}

Recording::Step Recording::start(double timeCentis)
{
    Step step;
    m_recordingOpen = true;
    if (m_started)
        return step;
    m_started = true;
    if (m_wordByWord)
        return step; // the first press marks the first word
    m_lineTime = timeCentis;
    step.failedPath = writeCurrent(timeCentis);
    step.wrote = true;
    return step;
}

Recording::Step Recording::nextLine(double timeCentis)
{
    Step step;
    if (!m_started)
        return step;
    if (m_wordByWord)
        return markWord(timeCentis);

    if (canReadLine()) {
        m_lineTime = timeCentis;
        readNextLines(step);
        step.failedPath = writeCurrent(m_lineTime);
        step.wrote = true;
    }

    if (sourcesExhausted()) {
        m_allLinesDone = true;
        step.allLinesDone = true;
    }
    return step;
}

bool Recording::stopByUser()
{
    if (!m_recordingOpen)
        return false;
    closeStreams();
    m_stoppedByUser = true;
    return true;
}

bool Recording::songEnded(double endCentis)
{
    if (m_wordByWord && !m_stoppedByUser && m_words.awaitingEnd()) {
        writeLines(m_words.press(endCentis));
        m_allLinesDone = m_words.finished();
    }
    if (!m_allLinesDone || m_stoppedByUser)
        return false;
    closeStreams();
    return true;
}

} // namespace cantorel::maker
