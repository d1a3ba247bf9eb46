#include "karaoke/KaraokePane.h"

#include <QEvent>
#include <QPaintEvent>
#include <QPainter>

namespace cantorel::karaoke {

KaraokePane::KaraokePane(const QString& objectName, QWidget* parent) : LyricPane(objectName, parent)
{
    // A new text with the word times already given: the wipe starts from
    // where the song is.
    connect(this, &LyricPane::lyricChanged, this, [this] {
        m_stale = true;
        if (!m_wipe.timings().isEmpty())
            laidOutAnew();
    });
}

KaraokePane::~KaraokePane()
{
    setClock(nullptr);
}

void KaraokePane::setClock(WipeClock* clock)
{
    if (m_clock)
        m_clock->remove(this);
    m_clock = clock;
    if (m_clock)
        m_clock->add(this);
}

void KaraokePane::setWords(const QString& text, const QList<WordTiming>& timings)
{
    const bool was = wiping();
    if (!m_wipe.setWords(text, timings))
        return;
    m_stale = true;
    // A wipe begun or ended: the clock wakes for what is left to do.
    if (was || wiping()) {
        update();
        if (m_clock)
            m_clock->refresh();
    }
}

bool KaraokePane::layOut()
{
    if (m_wipe.timings().isEmpty())
        return false;
    if (m_stale) {
        m_stale = false;
        m_wipe.setText(text(), shownFont(), textRect().size(), true);
        const QPalette::ColorGroup group = isEnabled() ? QPalette::Active : QPalette::Disabled;
        const QColor ink = palette().color(group, foregroundRole());
        const QColor back = palette().color(group, backgroundRole());
        m_wipe.setLook({blended(ink, back, kUnsungFade), ink, QColor(), 0}, devicePixelRatioF());
    }
    // While it wipes, the pane fills its own background: a strip the wipe
    // crossed is then one paint, not one for the background and another.
    setAttribute(Qt::WA_OpaquePaintEvent, m_wipe.active());
    return m_wipe.active();
}

bool KaraokePane::wiping()
{
    return layOut();
}

void KaraokePane::laidOutAnew()
{
    // The wipe is measured on the new layout from where the song is.
    m_stale = true;
    if (m_clock && layOut())
        m_clock->refresh();
}

double KaraokePane::follow(double positionMs)
{
    if (!layOut())
        return -1;
    QRegion changed;
    const double next = m_wipe.follow(positionMs, textRect().topLeft(), &changed);
    if (!changed.isEmpty())
        update(changed);
    return next;
}

void KaraokePane::paintEvent(QPaintEvent* event)
{
    if (!layOut()) {
        LyricPane::paintEvent(event);
        return;
    }
    QPainter painter(this);
    painter.fillRect(event->rect(), palette().brush(backgroundRole()));
    // Most paints are a strip the wipe crossed, well inside the frame.
    if (!contentsRect().contains(event->rect()))
        drawFrame(&painter);
    painter.setClipRect(textRect());
    m_wipe.paint(painter, textRect().topLeft());
}

void KaraokePane::resizeEvent(QResizeEvent* event)
{
    LyricPane::resizeEvent(event);
    laidOutAnew();
}

void KaraokePane::changeEvent(QEvent* event)
{
    LyricPane::changeEvent(event);
    if (event->type() == QEvent::FontChange || event->type() == QEvent::PaletteChange
        || event->type() == QEvent::EnabledChange)
        laidOutAnew();
}

LyricPane* makeKaraokePane(const form::Control& row, const QString& caption, QWidget* form)
{
    auto* pane = new KaraokePane(QString::fromLatin1(row.name), form);
    pane->setLyric(caption);
    return pane;
}

} // namespace cantorel::karaoke
