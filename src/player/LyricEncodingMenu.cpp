#include "player/LyricEncodingMenu.h"

#include "base/FileNames.h"
#include "lyrics/EncodingChoices.h"
#include "lyrics/LyricDecoding.h"
#include "lyrics/LyricFiles.h"

#include <QActionGroup>
#include <QFile>
#include <QMenu>

namespace cantorel {

using lyrics::TextEncoding;

LyricEncodingMenu::LyricEncodingMenu(lyrics::EncodingChoices* choices, QWidget* parent)
    : QObject(parent), m_choices(choices), m_menu(new QMenu(tr("Lyric encoding"), parent)),
      m_group(new QActionGroup(this))
{
    m_menu->setObjectName(QStringLiteral("mn_encoding"));
    m_automatic = m_menu->addAction(tr("Automatic"));
    m_automatic->setObjectName(QStringLiteral("mn_encoding_auto"));
    m_menu->addSeparator();
    for (const TextEncoding encoding : lyrics::allTextEncodings()) {
        QAction* action = m_menu->addAction(lyrics::encodingName(encoding));
        action->setObjectName(QStringLiteral("mn_encoding_") + lyrics::encodingName(encoding));
        action->setData(int(encoding));
        connect(action, &QAction::triggered, this, [this, encoding] { choose(encoding); });
    }
    for (QAction* action : m_menu->actions()) {
        if (!action->isSeparator()) {
            action->setCheckable(true);
            m_group->addAction(action);
        }
    }
    connect(m_automatic, &QAction::triggered, this, [this] { choose(std::nullopt); });
    connect(m_menu, &QMenu::aboutToShow, this, &LyricEncodingMenu::refresh);
    m_menu->setEnabled(false);
}

void LyricEncodingMenu::setLyric(const QString& mediaPath, const lyrics::LyricOrigin& origin)
{
    using Kind = lyrics::LyricOrigin::Kind;
    if (origin.kind == Kind::Pair) {
        m_files = {lyrics::lyricPathOf(mediaPath)};
        if (lyrics::hasTranslation(mediaPath))
            m_files << lyrics::translatedLyricPathOf(mediaPath);
    } else if (origin.kind == Kind::LrcFile) {
        m_files = {origin.path};
    } else {
        m_files.clear();
    }
    m_menu->setEnabled(m_choices && !m_files.isEmpty());
    refresh();
}

void LyricEncodingMenu::refresh()
{
    // The lyric file's choice is checked; "Automatic" names what its bytes
    // say.
    const std::optional<TextEncoding> chosen =
        m_choices && !m_files.isEmpty() ? m_choices->choiceFor(m_files.first()) : std::nullopt;
    QString guessed;
    if (!m_files.isEmpty()) {
        QFile file;
        if (openForReading(file, m_files.first()))
            guessed = lyrics::encodingName(lyrics::decodeLyric(file.read(kTextFileMaxBytes)).encoding.encoding);
    }
    m_automatic->setText(guessed.isEmpty() ? tr("Automatic") : tr("Automatic (%1)").arg(guessed));
    for (QAction* action : m_group->actions())
        action->setChecked(action == m_automatic ? !chosen : chosen && action->data().toInt() == int(*chosen));
}

void LyricEncodingMenu::choose(std::optional<TextEncoding> encoding)
{
    if (!m_choices || m_files.isEmpty())
        return;
    QString error;
    const bool kept = m_choices->choose(m_files, encoding, &error);
    refresh();
    Q_EMIT chosen();
    if (!kept)
        Q_EMIT notRemembered(error);
}

} // namespace cantorel
