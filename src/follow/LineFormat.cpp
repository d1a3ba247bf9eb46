#include "follow/LineFormat.h"

#include <QJsonDocument>
#include <QJsonObject>

namespace cantorel::follow {

namespace {

const QStringList kFields {QStringLiteral("line"),   QStringLiteral("translation"), QStringLiteral("title"),
                           QStringLiteral("artist"), QStringLiteral("album"),       QStringLiteral("player")};

QString oneLine(QString text)
{
    text.replace(QLatin1String("\r\n"), QLatin1String(" "));
    text.replace(u'\r', u' ');
    text.replace(u'\n', u' ');
    return text;
}

QString fieldOf(const HeardLine& heard, const QString& name)
{
    const QString* fields[] = {&heard.line,   &heard.translation, &heard.title,
                               &heard.artist, &heard.album,       &heard.player};
    return oneLine(*fields[kFields.indexOf(name)]);
}

} // namespace

std::optional<LineFormat> LineFormat::parse(const QString& format, bool translated, QString* error)
{
    LineFormat result;
    result.m_translated = translated;
    if (format == QLatin1String("json")) {
        result.m_json = true;
        return result;
    }
    QString literal;
    for (qsizetype i = 0; i < format.size(); ++i) {
        const QChar c = format[i];
        if ((c == u'{' || c == u'}') && i + 1 < format.size() && format[i + 1] == c) {
            literal += c;
            ++i;
            continue;
        }
        const qsizetype close = c == u'{' ? format.indexOf(u'}', i) : -1;
        if (close < 0) {
            literal += c;
            continue;
        }
        const QString name = format.mid(i + 1, close - i - 1);
        if (!kFields.contains(name)) {
            *error = QStringLiteral("--format: no field {%1} (there are {%2})").arg(name, kFields.join("}, {"));
            return std::nullopt;
        }
        result.m_pieces.push_back({literal, QString()});
        result.m_pieces.push_back({QString(), name});
        literal.clear();
        i = close;
    }
    if (!format.isEmpty())
        result.m_pieces.push_back({literal, QString()});
    return result;
}

QString LineFormat::textOf(const HeardLine& heard) const
{
    return oneLine(m_translated && heard.hasTranslation ? heard.translation : heard.line);
}

QString LineFormat::render(const HeardLine& heard) const
{
    const QString text = textOf(heard);
    if (m_json) {
        QJsonObject object {{"text", text}};
        for (const QString& name : kFields)
            object.insert(name, fieldOf(heard, name));
        return QString::fromUtf8(QJsonDocument(object).toJson(QJsonDocument::Compact));
    }
    if (text.isEmpty() || m_pieces.empty())
        return text;
    QString out;
    for (const Piece& piece : m_pieces)
        out += piece.field.isEmpty() ? piece.literal : fieldOf(heard, piece.field);
    return out;
}

} // namespace cantorel::follow
