#include "maker/SourceDialogue.h"

#include "base/FilePaths.h"
#include "common/MediaFiles.h"
#include "maker/LyricStreams.h"

#include <cstdlib>

namespace cantorel::maker {

namespace {

const QString kCancelTitle = QStringLiteral("Cancel?");

} // namespace

SourceDialogue::SourceDialogue(Prompts& prompts, QWidget* owner) : m_prompts(prompts), m_owner(owner)
{}

QList<Prompts::FileFilter> SourceDialogue::textFileFilters()
{
    return {{QStringLiteral("Text files(*.txt)"), QStringLiteral("*.txt")}};
}

QString SourceDialogue::unequalLinesMessage(int difference)
{
    return QStringLiteral("lines in both the files are not equal") + QStringLiteral(" by ")
           + QString::number(std::abs(difference));
}

bool SourceDialogue::yes(const QString& text, const QString& title)
{
    return m_prompts.message(m_owner, text, Prompts::Buttons::YesNo, Prompts::Icon::None, title)
           == Prompts::Answer::Yes;
}

void SourceDialogue::say(const QString& text)
{
    m_prompts.message(m_owner, text);
}

std::optional<SourceChoice> SourceDialogue::run()
{
    while (true) {
        SourceChoice choice;
        choice.mediaPath = chooseSong();
        if (choice.mediaPath.isEmpty())
            return std::nullopt;
        choice.lyricSource = chooseLyric();
        if (choice.lyricSource.isEmpty())
            return std::nullopt;
        switch (chooseTranslation(&choice)) {
        case Outcome::Chosen:
            return choice;
        case Outcome::Cancelled:
            return std::nullopt;
        case Outcome::Again:
            break;
        }
    }
}

QString SourceDialogue::chooseSong()
{
    while (true) {
        const QString path = cleanChosenPath(m_prompts.openFile(
            m_owner, QStringLiteral("Open a media file to Synchronize"), mediaFileFilters(), QString(), true));
        if (!path.isEmpty())
            return path;
        if (yes(QStringLiteral("Cancel the whole Operation?"), kCancelTitle))
            return QString();
    }
}

QString SourceDialogue::chooseLyric()
{
    while (true) {
        const QString path = cleanChosenPath(
            m_prompts.openFile(m_owner, QStringLiteral("Select the Lyrics File"), textFileFilters(), QString(), true));
        if (!path.isEmpty())
            return path;
        say(QStringLiteral("Please select a lyric"));
        if (yes(QStringLiteral("Do you wish to cancel the operation?"), kCancelTitle))
            return QString();
    }
}

SourceDialogue::Outcome SourceDialogue::chooseTranslation(SourceChoice* choice)
{
    while (true) {
        if (!yes(QStringLiteral("Do you want Have a translated version of the song?"), QStringLiteral("Question?")))
            return Outcome::Chosen;
        const QString path = cleanChosenPath(
            m_prompts.openFile(m_owner, QStringLiteral("Open translated Lyrics"), textFileFilters(), QString(), true));
        if (path.isEmpty()) {
            say(QStringLiteral("Please select If you want to Have a a translated lyric file or not"));
            continue;
        }

        // Both sources must have as many lines, or the records would not
        // pair up. A source that cannot be read cannot be compared: it is
        // refused like a mismatch, after its own message.
        FileError error = FileError::None;
        const std::optional<int> lyricLines = countLines(choice->lyricSource, &error);
        std::optional<int> translatedLines;
        if (lyricLines)
            translatedLines = countLines(path, &error);
        if (lyricLines && translatedLines && *lyricLines == *translatedLines) {
            choice->translatedSource = path;
            return Outcome::Chosen;
        }
        if (lyricLines && translatedLines) {
            say(unequalLinesMessage(*lyricLines - *translatedLines));
        } else {
            const QString message = fileErrorMessage(error);
            if (!message.isEmpty())
                say(message);
        }
        return yes(QStringLiteral("Cancel the whole Operation?"), kCancelTitle) ? Outcome::Cancelled : Outcome::Again;
    }
}

} // namespace cantorel::maker
