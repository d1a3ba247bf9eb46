#pragma once
// The look of the lyrics screen and its file "setting.txt" in the user's
// settings folder (configDirectory(), base/ProgramDirectory.h): three
// records in the record text form, each ended by CR LF.
//
//   1  normal-line box:     font name, italic, underline, size in points,
//                           text colour, background colour
//   2  translated-line box: the same six fields
//   3  background colour of the screen
//
// Sizes are single-precision numbers (10.5 stays 10.5). Colours are 24-bit
// values red + 256 * green + 65536 * blue. Bold is never stored: it follows
// the "!" in the shown line.
#include <QColor>
#include <QString>
#include <optional>

namespace cantorel::screensaver {

struct BoxStyle {
    QString fontName = QStringLiteral("Lucida Sans Unicode");
    bool italic = false;
    bool underline = false;
    float pointSize = 18;
    QColor textColor = QColor(255, 255, 0);
    QColor backColor = QColor(0, 0, 0);
    bool operator==(const BoxStyle&) const = default;
};

struct ScreenSettings {
    BoxStyle lyric;
    BoxStyle translated;
    QColor background = QColor(0, 0, 0);
    bool operator==(const ScreenSettings&) const = default;
};

// red + 256 * green + 65536 * blue, and back. Values outside 0..0xFFFFFF
// name no colour.
qint32 colorValue(const QColor& color);
std::optional<QColor> colorFromValue(qint64 value);

// Reads and writes one settings file. User-interface thread; every call
// opens and closes the file.
class ScreenSettingsFile {
public:
    enum class Status { Missing, Loaded, Broken };
    struct Loaded {
        Status status = Status::Missing;
        ScreenSettings settings; // the start-up look unless Loaded
        QString error;           // why a Broken file was refused
    };

    explicit ScreenSettingsFile(QString path) : m_path(std::move(path)) {}
    // The user's file, configDirectory() + "/setting.txt". On the first start
    // of a version that keeps it there, a "setting.txt" an earlier version
    // kept (beside the executable, or in ~/.local/share/Cantorel) is copied
    // there first (see adoptFormerSettingsFile).
    static ScreenSettingsFile userFile();

    QString path() const { return m_path; }
    bool exists() const;

    // A file with missing or ill-typed values is refused as a whole.
    Loaded load() const;
    // Replaces the file as a whole (temporary file renamed over it; a
    // symbolic link at its name is replaced, never written through), making
    // its folder when missing; on
    // failure the old file is left as it was and *error says why.
    bool save(const ScreenSettings& settings, QString* error = nullptr) const;
    // Deletes the file. True when no file remains.
    bool remove(QString* error = nullptr) const;

    static QString format(const ScreenSettings& settings);
    static std::optional<ScreenSettings> parse(const QString& text, QString* error = nullptr);

private:
    QString m_path;
};

} // namespace cantorel::screensaver
