#pragma once
// The record text form shared by the lyric files, the playlist file, the
// hand-over file and the screen-saver settings: fields separated by commas,
// texts in double quotes, numbers in plain decimal with a period, booleans as
// #TRUE# / #FALSE#. One record is one line; the caller adds the CR LF.
#include <QString>
#include <QStringList>
#include <QStringView>
#include <optional>

namespace cantorel {

// Builds one record, field by field:
//   RecordWriter().text("Lucida Sans Unicode").boolean(false).single(18).line()
//   gives "Lucida Sans Unicode",#FALSE#,18  (with the quotes).
// A text is written as it is between the quotes; the callers that must keep
// quotes and commas out of it escape them first (see lyrics/LyricEscape.h).
class RecordWriter {
public:
    RecordWriter& text(const QString& value);
    RecordWriter& number(double value); // shortest exact decimal: 1234.5, 250, 0.7
    RecordWriter& single(float value);  // single precision: 10.5 stays 10.5
    RecordWriter& integer(qint64 value);
    RecordWriter& boolean(bool value);
    QString line() const { return m_line; }

private:
    void separate();
    QString m_line;
    bool m_empty = true;
};

QString formatNumber(double value);
QString formatSingle(float value);

// Splits one record line into its fields: at commas outside double quotes,
// quotes stripped, blanks (spaces and tabs) before a field and around
// unquoted fields dropped. An empty line gives one empty field; a quoted
// field runs to its closing quote, and anything between that quote and the
// next comma is ignored.
QStringList parseRecord(QStringView line);

// Plain decimal with an optional sign and a period ("1234.5", ".7", "0.7",
// "-3"), blanks around it allowed; nothing else (no exponent, no comma).
std::optional<double> parseNumber(QStringView text);
// A whole number in the 32-bit range.
std::optional<qint32> parseInt32(QStringView text);
// "#TRUE#" / "#FALSE#" (also the words True / False, any case, as older
// files may hold them).
std::optional<bool> parseBoolean(QStringView text);

} // namespace cantorel
