#include "screensaver/ScreenSettings.h"

#include "base/ProgramDirectory.h"
#include "base/RecordForm.h"
#include "base/TextCodec.h"
#include "base/TextFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <cmath>

namespace cantorel::screensaver {

namespace {

// Larger than any font a screen can show; a size beyond it is a broken value.
constexpr double kLargestPointSize = 2048;
// A settings file is three short lines; a much larger file is not one.
constexpr qint64 kLargestFile = qint64(64) * 1024;

QString boxRecord(const BoxStyle& box)
{
    return RecordWriter()
        .text(box.fontName)
        .boolean(box.italic)
        .boolean(box.underline)
        .single(box.pointSize)
        .integer(colorValue(box.textColor))
        .integer(colorValue(box.backColor))
        .line();
}

std::optional<QColor> parseColor(const QString& field)
{
    const auto value = parseInt32(field);
    if (!value)
        return std::nullopt;
    return colorFromValue(*value);
}

std::optional<BoxStyle> parseBox(const QString& line, int record, QString* error)
{
    const QStringList fields = parseRecord(line);
    auto fail = [&](const QString& why) -> std::optional<BoxStyle> {
        *error = QStringLiteral("record %1: %2").arg(record).arg(why);
        return std::nullopt;
    };
    if (fields.size() != 6)
        return fail(QStringLiteral("%1 values instead of 6").arg(fields.size()));
    BoxStyle box;
    box.fontName = fields[0];
    if (box.fontName.trimmed().isEmpty())
        return fail(QStringLiteral("no font name"));
    const auto italic = parseBoolean(fields[1]);
    const auto underline = parseBoolean(fields[2]);
    if (!italic || !underline)
        return fail(QStringLiteral("italic and underline must be #TRUE# or #FALSE#"));
    box.italic = *italic;
    box.underline = *underline;
    // The size is kept as a single-precision number: one that only a double
    // can tell from 0 (or that is denormal there) names no size either.
    const auto size = parseNumber(fields[3]);
    const float single = size ? float(*size) : 0.0f;
    if (!size || !std::isnormal(single) || single < 0 || *size > kLargestPointSize)
        return fail(QStringLiteral("\"%1\" is no font size").arg(fields[3]));
    box.pointSize = single;
    const auto text = parseColor(fields[4]);
    const auto back = parseColor(fields[5]);
    if (!text || !back)
        return fail(QStringLiteral("colours must be whole numbers from 0 to 16777215"));
    box.textColor = *text;
    box.backColor = *back;
    return box;
}

} // namespace

qint32 colorValue(const QColor& color)
{
    const QColor rgb = color.toRgb();
    return qint32(rgb.red() + 256 * rgb.green() + 65536 * rgb.blue());
}

std::optional<QColor> colorFromValue(qint64 value)
{
    if (value < 0 || value > 0xFFFFFF)
        return std::nullopt;
    return QColor(int(value & 0xFF), int((value >> 8) & 0xFF), int((value >> 16) & 0xFF));
}

ScreenSettingsFile ScreenSettingsFile::userFile()
{
    return ScreenSettingsFile(adoptFormerSettingsFile(QStringLiteral("setting.txt")));
}

bool ScreenSettingsFile::exists() const
{
    return QFileInfo(m_path).isFile();
}

QString ScreenSettingsFile::format(const ScreenSettings& settings)
{
    const QString end = QStringLiteral("\r\n");
    return boxRecord(settings.lyric) + end + boxRecord(settings.translated) + end
           + RecordWriter().integer(colorValue(settings.background)).line() + end;
}

std::optional<ScreenSettings> ScreenSettingsFile::parse(const QString& text, QString* error)
{
    QString why;
    const QStringList lines = splitLines(text);
    ScreenSettings settings;
    std::optional<BoxStyle> lyric;
    std::optional<BoxStyle> translated;
    std::optional<QColor> background;
    // Each record is read only when the ones before it were good; the first
    // that is not says why.
    if (lines.size() < 3) {
        why = QStringLiteral("%1 records instead of 3").arg(lines.size());
    } else if ((lyric = parseBox(lines[0], 1, &why)) && (translated = parseBox(lines[1], 2, &why))) {
        const QStringList last = parseRecord(lines[2]);
        if (last.size() != 1 || !(background = parseColor(last[0])))
            why = QStringLiteral("record 3: no background colour");
    }
    if (!background) {
        if (error)
            *error = why;
        return std::nullopt;
    }
    settings.lyric = *lyric;
    settings.translated = *translated;
    settings.background = *background;
    return settings;
}

ScreenSettingsFile::Loaded ScreenSettingsFile::load() const
{
    Loaded result;
    if (!exists())
        return result;
    const TextFileRead read = readTextFile(m_path, kLargestFile);
    if (!read.ok()) {
        result.status = Status::Broken;
        result.error = read.error;
        return result;
    }
    const auto settings = parse(read.text, &result.error);
    if (!settings) {
        result.status = Status::Broken;
        return result;
    }
    result.status = Status::Loaded;
    result.settings = *settings;
    return result;
}

bool ScreenSettingsFile::save(const ScreenSettings& settings, QString* error) const
{
    const QString folder = QFileInfo(m_path).path();
    if (!QDir().mkpath(folder)) {
        if (error)
            *error = QStringLiteral("The folder %1 could not be made").arg(folder);
        return false;
    }
    // A link planted at the name is replaced, never written through.
    return writeTextFile(m_path, format(settings), error, LinkRule::ReplaceLinks);
}

bool ScreenSettingsFile::remove(QString* error) const
{
    if (!QFileInfo::exists(m_path) && !QFileInfo(m_path).isSymLink())
        return true;
    QFile file(m_path);
    if (file.remove())
        return true;
    if (error)
        *error = file.errorString();
    return false;
}

} // namespace cantorel::screensaver
