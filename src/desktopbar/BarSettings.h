#pragma once
// What the desktop lyric bar keeps between runs, in the program's settings
// file (base/AppSettings.h, group "desktopLyrics"): its fonts, its colours,
// its width and place on the desktop, whether it is shown, locked, and
// hidden while the player is stopped.
//
// The file is the user's to edit: every value is read strictly (a word that
// is not a number, a colour or a font, or a number out of bounds, counts as
// not there) and what is not there takes its default. Values are written at
// once; a value that could not be written still holds for the run, and why
// it could not is kept (problem()).
//
// User-interface thread only. Sizes in pixels and points.
#include "base/AppSettings.h"

#include <QColor>
#include <QFont>
#include <QPoint>

#include <optional>

namespace cantorel::desktopbar {

struct BarLook {
    QFont lineFont;   // the line being sung
    QFont secondFont; // the translation or the next line, below it
    QColor unsung;
    QColor sung;
    QColor outline;
    int widthPx = 0; // 0: the default for the screen
    // Fonts compare as they are kept (QFont's own comparison also weighs
    // which properties were set explicitly).
    bool operator==(const BarLook& other) const
    {
        return lineFont.toString() == other.lineFont.toString() && secondFont.toString() == other.secondFont.toString()
               && unsung == other.unsung && sung == other.sung && outline == other.outline && widthPx == other.widthPx;
    }
};

class BarSettings {
public:
    static constexpr double kSmallestPointSize = 8;
    static constexpr double kLargestPointSize = 160;
    static constexpr int kNarrowestPx = 240;
    static constexpr int kWidestPx = 8000;
    // A place further than this from the origin is not a place on a desktop.
    static constexpr int kFarthestPx = 100000;

    explicit BarSettings(const QString& path = AppSettings::defaultPath());

    // The look as kept, the defaults where nothing usable is kept.
    BarLook look() const;
    void setLook(const BarLook& look);
    static BarLook defaultLook();
    // A font's size held to kSmallestPointSize .. kLargestPointSize.
    static QFont bounded(QFont font);

    // The top left corner where the user left the bar; none when not kept.
    std::optional<QPoint> position() const;
    void setPosition(const QPoint& topLeft);

    bool shown() const;
    void setShown(bool shown);
    bool locked() const;
    void setLocked(bool locked);
    bool hideOnStop() const;
    void setHideOnStop(bool hide);

    // Why the file could not be read or the last value not written; "" when
    // all is well.
    QString problem() const { return m_problem; }

private:
    void put(const QString& name, const QString& value);
    // Several values, written to the file in one go.
    void put(const QList<std::pair<QString, QString>>& values);
    QString get(const QString& name) const;
    bool flag(const QString& name, bool fallback) const;

    AppSettings m_file;
    QString m_problem;
};

} // namespace cantorel::desktopbar
