#include "karaoke/WipedText.h"

#include <QFontMetricsF>
#include <QGlyphRun>
#include <QPainter>
#include <QTextLayout>

#include <algorithm>
#include <cmath>

namespace cantorel::karaoke {

QColor blended(const QColor& from, const QColor& to, double share)
{
    const auto mix = [share](double a, double b) { return a + (b - a) * share; };
    return QColor::fromRgbF(float(mix(from.redF(), to.redF())), float(mix(from.greenF(), to.greenF())),
                            float(mix(from.blueF(), to.blueF())), float(from.alphaF()));
}

WipedText::WipedText() = default;
WipedText::~WipedText() = default;

bool WipedText::setText(const QString& text, const QFont& font, const QSizeF& box, bool wrap)
{
    if (m_layout && text == m_text && font == m_font && box == m_box && wrap == m_wrap)
        return false;
    m_text = text;
    m_font = font;
    m_box = box;
    m_wrap = wrap;
    layOut();
    dropImages();
    return true;
}

void WipedText::setLook(const TextLook& look, double pixelRatio)
{
    if (look == m_look && pixelRatio == m_pixelRatio)
        return;
    m_look = look;
    m_pixelRatio = pixelRatio > 0 ? pixelRatio : 1;
    dropImages();
}

void WipedText::layOut()
{
    // A line break inside the text breaks the row, as in the panes; the
    // separator keeps every character where the word times count it.
    QString shown = m_text;
    shown.replace(u'\n', QChar::LineSeparator);
    m_layout = std::make_unique<QTextLayout>(shown, m_font);
    QTextOption option(Qt::AlignHCenter);
    option.setWrapMode(m_wrap ? QTextOption::WrapAtWordBoundaryOrAnywhere : QTextOption::NoWrap);
    m_layout->setTextOption(option);
    m_layout->setCacheEnabled(true);
    m_layout->beginLayout();
    double height = 0;
    for (QTextLine line = m_layout->createLine(); line.isValid(); line = m_layout->createLine()) {
        line.setLineWidth(m_box.width());
        line.setPosition(QPointF(0, height));
        height += line.height();
    }
    m_layout->endLayout();

    m_topPx = (m_box.height() - height) / 2;
    // Letters may reach past their advance (italics, accents) by a little.
    m_overhangPx = QFontMetricsF(m_font).averageCharWidth() / 4 + 1;
    m_rows.clear();
    m_runPx = 0;
    const int count = m_layout->lineCount();
    for (int i = 0; i < count; ++i) {
        const QTextLine line = m_layout->lineAt(i);
        const QRectF natural = line.naturalTextRect();
        const double top = i == 0 ? 0 : m_topPx + line.y();
        const double bottom = i == count - 1 ? m_box.height() : m_topPx + line.y() + line.height();
        m_rows.append({m_runPx, natural.width(), natural.left(), top, bottom});
        m_runPx += natural.width();
    }
}

double WipedText::reachPx() const
{
    return m_look.outlinePx + m_overhangPx;
}

int WipedText::rowOf(int position) const
{
    const QTextLine line = m_layout->lineForTextPosition(position);
    return line.isValid() ? line.lineNumber() : int(m_rows.size()) - 1;
}

double WipedText::runAt(int position, int row) const
{
    const Row& r = m_rows[row];
    const double x = m_layout->lineAt(row).cursorToX(position);
    return r.runStartPx + std::clamp(x - r.leftPx, 0.0, r.widthPx);
}

WipeWord WipedText::extent(int start, int length) const
{
    if (m_rows.isEmpty())
        return {};
    const int size = int(m_text.size());
    const int from = std::clamp(start, 0, size);
    const int to = std::clamp(start + std::max(0, length), from, size);
    const double left = runAt(from, rowOf(from));
    const double right = runAt(to, rowOf(std::max(from, to - 1)));
    return {left, std::max(left, right), 0, 0};
}

Wipe WipedText::wipeOf(const QList<WordTiming>& timings) const
{
    QList<WipeWord> words;
    words.reserve(timings.size());
    for (const WordTiming& t : timings) {
        WipeWord w = extent(t.start, t.length);
        w.startMs = t.startMs;
        w.endMs = t.endMs;
        words.append(w);
    }
    return Wipe(std::move(words), m_runPx);
}

void WipedText::dropImages()
{
    m_outlineImage = QImage();
    m_unsungImage = QImage();
    m_sungImage = QImage();
}

QImage WipedText::blankImage() const
{
    const QSize pixels(int(std::ceil(m_box.width() * m_pixelRatio)), int(std::ceil(m_box.height() * m_pixelRatio)));
    QImage image(pixels.expandedTo(QSize(1, 1)), QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    image.setDevicePixelRatio(m_pixelRatio);
    return image;
}

QImage WipedText::render(const QColor& fill)
{
    const QPointF origin(0, m_topPx);
    // Outlined: the text in the outline's colour all round its place (drawn
    // once for both colourings), then the text itself. Drawn from the glyph
    // cache, this costs a fraction of stroking the glyphs' shapes.
    if (m_look.outlinePx > 0 && m_outlineImage.isNull()) {
        m_outlineImage = blankImage();
        QPainter painter(&m_outlineImage);
        painter.setPen(m_look.outline);
        const QList<QGlyphRun> runs = m_layout->glyphRuns();
        const double r = m_look.outlinePx;
        const int steps = r > 3 ? 16 : 8;
        for (int i = 0; i < steps; ++i) {
            const double angle = 2 * M_PI * i / steps;
            const QPointF at = origin + QPointF(r * std::cos(angle), r * std::sin(angle));
            for (const QGlyphRun& run : runs)
                painter.drawGlyphRun(at, run);
        }
    }
    QImage image = m_look.outlinePx > 0 ? m_outlineImage.copy() : blankImage();
    QPainter painter(&image);
    painter.setPen(fill);
    m_layout->draw(&painter, origin);
    return image;
}

namespace {

// Where a row is cut at `sungPx`, in the box. Outside the row's letters
// (with `reachPx` for their outline and overhang) the band is empty: a row
// not begun is cut before them, a row sung after them.
double cutOf(double sungPx, double runStart, double width, double left, double reachPx)
{
    if (sungPx >= runStart + width)
        return std::ceil(left + width + reachPx);
    if (sungPx <= runStart)
        return std::max(0.0, std::floor(left - reachPx));
    return std::round(left + sungPx - runStart);
}

} // namespace

void WipedText::paint(QPainter& painter, const QPointF& origin, int sungPx)
{
    if (m_rows.isEmpty())
        return;
    if (m_look.outlinePx <= 0) {
        paintDirectly(painter, origin, sungPx);
        return;
    }
    if (m_unsungImage.isNull())
        m_unsungImage = render(m_look.unsung);
    if (sungPx > 0 && m_sungImage.isNull())
        m_sungImage = render(m_look.sung);
    const double ratio = m_pixelRatio;
    const double width = m_box.width();
    for (const Row& r : m_rows) {
        const double cut = std::min(width, cutOf(sungPx, r.runStartPx, r.widthPx, r.leftPx, reachPx()));
        const double height = r.bottomPx - r.topPx;
        if (cut > 0)
            painter.drawImage(QRectF(origin.x(), origin.y() + r.topPx, cut, height), m_sungImage,
                              QRectF(0, r.topPx * ratio, cut * ratio, height * ratio));
        if (cut < width)
            painter.drawImage(QRectF(origin.x() + cut, origin.y() + r.topPx, width - cut, height), m_unsungImage,
                              QRectF(cut * ratio, r.topPx * ratio, (width - cut) * ratio, height * ratio));
    }
}

void WipedText::paintDirectly(QPainter& painter, const QPointF& origin, int sungPx)
{
    // Without an outline the text is drawn as it is, twice: sung where the
    // wipe has been, unsung elsewhere. Glyphs outside a paint's clip cost
    // next to nothing, so a strip costs two short draws.
    QRegion sung;
    QRegion unsung;
    const double width = m_box.width();
    for (const Row& r : m_rows) {
        const double cut = std::min(width, cutOf(sungPx, r.runStartPx, r.widthPx, r.leftPx, reachPx()));
        const QRectF band(origin.x(), origin.y() + r.topPx, width, r.bottomPx - r.topPx);
        const QRect left = QRectF(band.left(), band.top(), cut, band.height()).toAlignedRect();
        sung += left;
        unsung += band.toAlignedRect().adjusted(left.width(), 0, 0, 0);
    }
    const QPointF at = origin + QPointF(0, m_topPx);
    for (const auto& [part, colour] : {std::pair(sung, m_look.sung), std::pair(unsung, m_look.unsung)}) {
        if (part.isEmpty())
            continue;
        painter.save();
        painter.setClipRegion(part, Qt::IntersectClip);
        painter.setPen(colour);
        m_layout->draw(&painter, at);
        painter.restore();
    }
}

QRectF WipedText::inkRect(const QPointF& origin) const
{
    QRectF ink;
    for (const Row& r : m_rows)
        ink |= QRectF(origin.x() + r.leftPx, origin.y() + r.topPx, r.widthPx, r.bottomPx - r.topPx);
    const double reach = reachPx();
    return ink.adjusted(-reach, -m_look.outlinePx, reach, m_look.outlinePx);
}

QRegion WipedText::changed(int fromPx, int toPx, const QPointF& origin) const
{
    QRegion region;
    const double width = m_box.width();
    for (const Row& r : m_rows) {
        const double a = std::min(width, cutOf(fromPx, r.runStartPx, r.widthPx, r.leftPx, reachPx()));
        const double b = std::min(width, cutOf(toPx, r.runStartPx, r.widthPx, r.leftPx, reachPx()));
        if (a == b)
            continue;
        const double left = origin.x() + std::min(a, b);
        const double top = origin.y() + r.topPx;
        region += QRect(int(std::floor(left)) - 1, int(std::floor(top)), int(std::ceil(std::abs(b - a))) + 2,
                        int(std::ceil(r.bottomPx - r.topPx)) + 1);
    }
    return region;
}

} // namespace cantorel::karaoke
