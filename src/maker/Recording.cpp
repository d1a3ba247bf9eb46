#include "maker/Recording.h"

#include "lyrics/LyricEscape.h"

namespace cantorel::maker {

void Recording::closeStreams()
{
    const bool lyricWritten = m_lyricTarget.records() > 0;
    m_lyricSource.close();
    m_lyricTarget.close();
    m_translatedSource.close();
    m_translatedTarget.close();
    if (m_translatedTarget.isSetAside()) {
        if (lyricWritten)
            m_translatedTarget.keep();
        else
            m_translatedTarget.putBack();
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

QString Recording::takeFirstLine(Side side)
{
    const QString line = sourceOf(side).readLine().value_or(QString());
    lineOf(side) = lyrics::escapeLine(line);
    return line;
}

bool Recording::streamsReady() const
{
    const bool lyric = m_lyricSource.isOpen() && m_lyricTarget.isOpen();
    if (m_noTranslation)
        return lyric;
    return lyric && m_translatedSource.isOpen() && m_translatedTarget.isOpen();
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

    const bool canRead =
        m_noTranslation ? !m_lyricSource.exhausted() : !m_lyricSource.exhausted() && !m_translatedSource.exhausted();
    if (canRead) {
        m_lineTime = timeCentis;
        step.line = m_lyricSource.readLine().value_or(QString());
        m_currentLine = lyrics::escapeLine(step.line);
        if (!m_noTranslation) {
            step.translatedLine = m_translatedSource.readLine().value_or(QString());
            m_currentTranslatedLine = lyrics::escapeLine(step.translatedLine);
        }
        step.failedPath = writeCurrent(m_lineTime);
        step.wrote = true;
        step.advanced = true;
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

bool Recording::songEnded()
{
    if (!m_allLinesDone || m_stoppedByUser)
        return false;
    closeStreams();
    return true;
}

} // namespace cantorel::maker
