#include "desktopbar/BarSettings.h"

#include <QGuiApplication>

#include <algorithm>

namespace cantorel::desktopbar {

namespace {

const QString kGroup = QStringLiteral("desktopLyrics/");
// A value longer than this is no font, colour or number.
constexpr qsizetype kLongestValue = 512;

std::optional<int> numberOf(const QString& text, int lowest, int highest)
{
    bool ok = false;
    const int n = text.trimmed().toInt(&ok);
    if (!ok || n < lowest || n > highest)
        return std::nullopt;
    return n;
}

QColor colorOf(const QString& text, const QColor& fallback)
{
    // Only "#rgb", "#rrggbb" or "#aarrggbb": a colour name is no less a
    // colour, but the file keeps what the bar writes.
    const QString t = text.trimmed();
    if (!t.startsWith(u'#'))
        return fallback;
    const QColor c = QColor::fromString(t);
    return c.isValid() ? c : fallback;
}

QFont fontOf(const QString& text, const QFont& fallback)
{
    // A font as QFont::toString() writes it: the face and at least nine
    // more fields (a bare word would pass for a face).
    QFont font;
    if (text.count(u',') < 9 || !font.fromString(text.trimmed()) || font.pointSizeF() <= 0)
        return fallback;
    return BarSettings::bounded(font);
}

} // namespace

BarSettings::BarSettings(const QString& path) : m_file(path), m_problem(m_file.problem())
{}

QFont BarSettings::bounded(QFont font)
{
    font.setPointSizeF(std::clamp(font.pointSizeF(), kSmallestPointSize, kLargestPointSize));
    return font;
}

BarLook BarSettings::defaultLook()
{
    BarLook look;
    look.lineFont = QGuiApplication::font();
    look.lineFont.setPointSizeF(28);
    look.lineFont.setBold(true);
    look.secondFont = look.lineFont;
    look.secondFont.setPointSizeF(18);
    look.unsung = QColor(0xff, 0xff, 0xff);
    look.sung = QColor(0xff, 0xc8, 0x2e);
    look.outline = QColor(0x1a, 0x1a, 0x1a);
    return look;
}

QString BarSettings::get(const QString& name) const
{
    // A value with commas written by hand reads as a list.
    const QVariant value = m_file.value(kGroup + name);
    const QString text = value.typeId() == QMetaType::QStringList ? value.toStringList().join(u',') : value.toString();
    return text.size() > kLongestValue ? QString() : text;
}

void BarSettings::put(const QString& name, const QString& value)
{
    put({{name, value}});
}

void BarSettings::put(const QList<std::pair<QString, QString>>& values)
{
    AppSettings::Values keyed;
    for (const auto& [name, value] : values)
        keyed.append({kGroup + name, value});
    QString error;
    if (!m_file.setValues(keyed, &error))
        m_problem = error;
}

bool BarSettings::flag(const QString& name, bool fallback) const
{
    const QString text = get(name).trimmed().toLower();
    if (text == u"true" || text == u"1")
        return true;
    if (text == u"false" || text == u"0")
        return false;
    return fallback;
}

BarLook BarSettings::look() const
{
    const BarLook defaults = defaultLook();
    BarLook look;
    look.lineFont = fontOf(get(QStringLiteral("lineFont")), defaults.lineFont);
    look.secondFont = fontOf(get(QStringLiteral("secondFont")), defaults.secondFont);
    look.unsung = colorOf(get(QStringLiteral("unsungColor")), defaults.unsung);
    look.sung = colorOf(get(QStringLiteral("sungColor")), defaults.sung);
    look.outline = colorOf(get(QStringLiteral("outlineColor")), defaults.outline);
    look.widthPx = numberOf(get(QStringLiteral("width")), kNarrowestPx, kWidestPx).value_or(0);
    return look;
}

void BarSettings::setLook(const BarLook& look)
{
    if (look == this->look())
        return;
    QList<std::pair<QString, QString>> values {{QStringLiteral("lineFont"), bounded(look.lineFont).toString()},
                                               {QStringLiteral("secondFont"), bounded(look.secondFont).toString()},
                                               {QStringLiteral("unsungColor"), look.unsung.name(QColor::HexArgb)},
                                               {QStringLiteral("sungColor"), look.sung.name(QColor::HexArgb)},
                                               {QStringLiteral("outlineColor"), look.outline.name(QColor::HexArgb)}};
    if (look.widthPx > 0)
        values.append({QStringLiteral("width"), QString::number(std::clamp(look.widthPx, kNarrowestPx, kWidestPx))});
    put(values);
}

std::optional<QPoint> BarSettings::position() const
{
    const auto x = numberOf(get(QStringLiteral("x")), -kFarthestPx, kFarthestPx);
    const auto y = numberOf(get(QStringLiteral("y")), -kFarthestPx, kFarthestPx);
    if (!x || !y)
        return std::nullopt;
    return QPoint(*x, *y);
}

void BarSettings::setPosition(const QPoint& topLeft)
{
    if (position() == topLeft)
        return;
    put({{QStringLiteral("x"), QString::number(topLeft.x())}, {QStringLiteral("y"), QString::number(topLeft.y())}});
}

bool BarSettings::shown() const
{
    return flag(QStringLiteral("shown"), false);
}
void BarSettings::setShown(bool shown)
{
    if (shown != this->shown())
        put(QStringLiteral("shown"), shown ? QStringLiteral("true") : QStringLiteral("false"));
}
bool BarSettings::locked() const
{
    return flag(QStringLiteral("locked"), false);
}
void BarSettings::setLocked(bool locked)
{
    if (locked != this->locked())
        put(QStringLiteral("locked"), locked ? QStringLiteral("true") : QStringLiteral("false"));
}
bool BarSettings::hideOnStop() const
{
    return flag(QStringLiteral("hideOnStop"), false);
}
void BarSettings::setHideOnStop(bool hide)
{
    if (hide != hideOnStop())
        put(QStringLiteral("hideOnStop"), hide ? QStringLiteral("true") : QStringLiteral("false"));
}

} // namespace cantorel::desktopbar
