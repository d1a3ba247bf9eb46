#include "desktopbar/DesktopLyrics.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QContextMenuEvent>
#include <QFontInfo>
#include <QFontMetricsF>
#include <QGuiApplication>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>
#include <QWheelEvent>
#include <QWindow>

#include <algorithm>
#include <cmath>

namespace cantorel::desktopbar {

namespace {

// The bar reads as the lyric panes do: static text, named by what it shows.
class BarAccessible : public QAccessibleWidget {
public:
    explicit BarAccessible(DesktopLyrics* bar) : QAccessibleWidget(bar, QAccessible::StaticText) {}
    QString text(QAccessible::Text kind) const override
    {
        if (kind == QAccessible::Name)
            return static_cast<const DesktopLyrics*>(object())->spokenText();
        return QAccessibleWidget::text(kind);
    }
};

QAccessibleInterface* barAccessible(const QString&, QObject* object)
{
    if (auto* bar = qobject_cast<DesktopLyrics*>(object))
        return new BarAccessible(bar);
    return nullptr;
}

// The outline grows with the letters: about a sixteenth of their height.
double outlineOf(const QFont& font)
{
    return std::max(1.0, QFontInfo(font).pixelSize() / 16.0);
}

// `font`, smaller when `text` would not fit `widthPx` on one row.
QFont fitted(QFont font, const QString& text, double widthPx)
{
    const double advance = QFontMetricsF(font).horizontalAdvance(text);
    if (advance > widthPx && widthPx > 0)
        font.setPointSizeF(std::max(6.0, font.pointSizeF() * widthPx / advance));
    return font;
}

// Every pixel of `image` (ARGB32) that is not wholly clear, as spans one
// pixel high, top to bottom and left to right: the banded order a region is
// made from at once. (The image's own alpha mask would be converted on a
// pool of threads, and wake them at every line.)
QRegion inkedPart(const QImage& image)
{
    QList<QRect> spans;
    for (int y = 0; y < image.height(); ++y) {
        const auto* row = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        for (int x = 0; x < image.width();) {
            if (qAlpha(row[x]) == 0) {
                ++x;
                continue;
            }
            const int start = x;
            while (x < image.width() && qAlpha(row[x]) != 0)
                ++x;
            spans.append(QRect(start, y, x - start, 1));
        }
    }
    QRegion region;
    region.setRects(spans.constData(), int(spans.size()));
    return region;
}

} // namespace

DesktopLyrics::DesktopLyrics(karaoke::WipeClock* clock, QWidget* parent)
    : QWidget(parent, Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint | Qt::WindowDoesNotAcceptFocus),
      m_clock(clock)
{
    static const bool accessible = [] {
        QAccessible::installFactory(barAccessible);
        return true;
    }();
    Q_UNUSED(accessible);
    setObjectName(QStringLiteral("desktopLyrics"));
    setWindowTitle(QStringLiteral("Desktop Lyrics"));
    setAttribute(Qt::WA_TranslucentBackground);
    setAttribute(Qt::WA_ShowWithoutActivating);
    setLook(BarSettings::defaultLook());
}

DesktopLyrics::~DesktopLyrics()
{
    if (m_clock)
        m_clock->remove(this);
}

// ---------------------------------------------------------------- what it shows

void DesktopLyrics::setLines(const BarLines& lines, const QList<karaoke::WordTiming>& timings)
{
    const bool textChanged = lines.first != m_lines.first || lines.second != m_lines.second;
    const bool wordsChanged = m_first.setWords(lines.first, timings);
    if (!textChanged && !wordsChanged && lines == m_lines)
        return; // (the player's tooltip changed, say)
    // Only where letters were or are now: most of the bar is empty.
    QRegion changed = inkRegion();
    m_lines = lines;
    layOut();
    update(changed + inkRegion());
    if (textChanged) {
        QAccessibleEvent event(this, QAccessible::NameChanged);
        QAccessible::updateAccessibility(&event);
    }
    if (m_clock && isVisible())
        m_clock->refresh();
}

QString DesktopLyrics::spokenText() const
{
    return m_lines.second.isEmpty() ? m_lines.first : m_lines.first + u'\n' + m_lines.second;
}

void DesktopLyrics::setLook(const BarLook& look)
{
    m_look = look;
    layOut();
    update();
    if (m_clock && isVisible())
        m_clock->refresh();
}

int DesktopLyrics::widthFor(const BarLook& look)
{
    if (look.widthPx > 0)
        return std::clamp(look.widthPx, BarSettings::kNarrowestPx, BarSettings::kWidestPx);
    const QScreen* screen = QGuiApplication::primaryScreen();
    const int across = screen ? screen->availableGeometry().width() : 1280;
    return std::clamp(int(across * kDefaultWidthShare), BarSettings::kNarrowestPx, BarSettings::kWidestPx);
}

QRectF DesktopLyrics::firstBox() const
{
    return QRectF(kMarginPx, kMarginPx, width() - 2 * kMarginPx, m_firstHeightPx);
}

QRectF DesktopLyrics::secondBox() const
{
    return QRectF(kMarginPx, kMarginPx + m_firstHeightPx, width() - 2 * kMarginPx, m_secondHeightPx);
}

void DesktopLyrics::layOut()
{
    const double outline1 = outlineOf(m_look.lineFont);
    const double outline2 = outlineOf(m_look.secondFont);
    m_firstHeightPx = std::ceil(QFontMetricsF(m_look.lineFont).height() + 2 * outline1);
    m_secondHeightPx = std::ceil(QFontMetricsF(m_look.secondFont).height() + 2 * outline2);
    setFixedSize(widthFor(m_look), int(2 * kMarginPx + m_firstHeightPx + m_secondHeightPx));

    const double ratio = devicePixelRatioF();
    const QRectF first = firstBox();
    m_first.setText(m_lines.first, fitted(m_look.lineFont, m_lines.first, first.width() - 2 * outline1), first.size(),
                    false);
    m_first.setLook({m_look.unsung, m_look.sung, m_look.outline, outline1}, ratio);
    const QRectF second = secondBox();
    m_second.setText(m_lines.second, fitted(m_look.secondFont, m_lines.second, second.width() - 2 * outline2),
                     second.size(), false);
    m_second.setLook({m_look.unsung, m_look.unsung, m_look.outline, outline2}, ratio);
    reshape();
}

void DesktopLyrics::setShaped(bool shaped)
{
    if (shaped == m_shaped)
        return;
    m_shaped = shaped;
    reshape();
    update();
}

void DesktopLyrics::reshape()
{
    if (!m_shaped) {
        clearMask();
        return;
    }
    if (m_hovered && !m_locked) {
        setMask(rect());
        return;
    }
    // The letters drawn once more, off the screen: every pixel they touch
    // stays. Only a new line or look comes here, never a step of the wipe.
    QImage letters(size(), QImage::Format_ARGB32_Premultiplied);
    letters.fill(Qt::transparent);
    QPainter painter(&letters);
    paintLines(painter);
    painter.end();
    const QRegion shape = inkedPart(letters);
    // A bar with nothing to show keeps a pixel: an empty mask would show it whole.
    setMask(shape.isEmpty() ? QRegion(0, 0, 1, 1) : shape);
}

QRegion DesktopLyrics::inkRegion() const
{
    QRegion ink = m_first.text().inkRect(firstBox().topLeft()).toAlignedRect();
    ink += m_second.inkRect(secondBox().topLeft()).toAlignedRect();
    // The hover panel lies behind them.
    return m_hovered ? QRegion(rect()) : ink.intersected(rect());
}

double DesktopLyrics::follow(double positionMs)
{
    if (!isVisible())
        return -1;
    QRegion changed;
    const double next = m_first.follow(positionMs, firstBox().topLeft(), &changed);
    if (!changed.isEmpty())
        update(changed);
    return next;
}

void DesktopLyrics::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    if (m_hovered && !m_locked) {
        // A faint panel shows where the bar can be taken hold of.
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setPen(QColor(255, 255, 255, 70));
        painter.setBrush(QColor(0, 0, 0, 80));
        painter.drawRoundedRect(QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5), 8, 8);
    }
    paintLines(painter);
}

void DesktopLyrics::paintLines(QPainter& painter)
{
    m_first.paint(painter, firstBox().topLeft());
    m_second.paint(painter, secondBox().topLeft(), 0);
}

// ---------------------------------------------------------------- the user's hand

void DesktopLyrics::setLocked(bool locked)
{
    if (locked == m_locked)
        return;
    m_locked = locked;
    m_hovered = false;
    m_dragging = false;
    // Changing a window's flags hides it; it comes back where it was.
    // (The attribute first: a window made again takes the flag from it.)
    const bool shown = isVisible();
    setAttribute(Qt::WA_TransparentForMouseEvents, locked);
    setWindowFlag(Qt::WindowTransparentForInput, locked);
    if (shown)
        show();
    reshape();
    update();
}

void DesktopLyrics::enterEvent(QEnterEvent* event)
{
    QWidget::enterEvent(event);
    m_hovered = true;
    reshape();
    update();
}

void DesktopLyrics::leaveEvent(QEvent* event)
{
    QWidget::leaveEvent(event);
    m_hovered = false;
    reshape();
    update();
}

void DesktopLyrics::mousePressEvent(QMouseEvent* event)
{
    if (m_locked || event->button() != Qt::LeftButton) {
        QWidget::mousePressEvent(event);
        return;
    }
    // Where a window cannot place itself, the desktop moves it.
    if (QGuiApplication::platformName().startsWith(QLatin1String("wayland")) && windowHandle()
        && windowHandle()->startSystemMove())
        return;
    m_dragging = true;
    m_grab = event->globalPosition().toPoint() - pos();
}

void DesktopLyrics::mouseMoveEvent(QMouseEvent* event)
{
    if (m_dragging)
        move(event->globalPosition().toPoint() - m_grab);
}

void DesktopLyrics::mouseReleaseEvent(QMouseEvent* event)
{
    if (!m_dragging || event->button() != Qt::LeftButton)
        return;
    m_dragging = false;
    Q_EMIT placed(pos());
}

void DesktopLyrics::wheelEvent(QWheelEvent* event)
{
    if (m_locked)
        return;
    // A notch is 120 eighths of a degree; fine wheels send parts of one.
    m_wheelEighths += event->angleDelta().y();
    const int notches = m_wheelEighths / 120;
    if (notches == 0)
        return;
    m_wheelEighths -= notches * 120;
    scale(std::pow(kWheelStep, notches));
}

void DesktopLyrics::scale(double factor)
{
    const double was = m_look.lineFont.pointSizeF();
    const double size = std::clamp(was * factor, BarSettings::kSmallestPointSize, BarSettings::kLargestPointSize);
    if (size == was)
        return;
    factor = size / was;
    BarLook next = m_look;
    next.lineFont.setPointSizeF(size);
    next.secondFont.setPointSizeF(next.secondFont.pointSizeF() * factor);
    next.secondFont = BarSettings::bounded(next.secondFont);
    next.widthPx =
        std::clamp(int(std::lround(widthFor(m_look) * factor)), BarSettings::kNarrowestPx, BarSettings::kWidestPx);
    // The bar grows and shrinks about its middle.
    const QPoint middle = geometry().center();
    setLook(next);
    move(middle - QPoint(width() / 2, height() / 2));
    Q_EMIT looked(next);
    Q_EMIT placed(pos());
}

void DesktopLyrics::contextMenuEvent(QContextMenuEvent* event)
{
    if (!m_locked && m_menu)
        m_menu->popup(event->globalPos());
}

void DesktopLyrics::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    layOut(); // the screen's pixel ratio is known now
    if (m_clock) {
        m_clock->add(this);
        m_clock->refresh();
    }
}

void DesktopLyrics::hideEvent(QHideEvent* event)
{
    QWidget::hideEvent(event);
    m_hovered = false;
    if (m_clock)
        m_clock->remove(this);
}

} // namespace cantorel::desktopbar
