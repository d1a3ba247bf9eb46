#include "lyrics/LyricListing.h"

#include "base/RecordForm.h"
#include "lyrics/WordTimes.h"

namespace cantorel::lyrics {

QString escapeField(const QString& text)
{
    QString out;
    out.reserve(text.size());
    for (const QChar c : text) {
        switch (c.unicode()) {
        case u'\\':
            out += QStringLiteral("\\\\");
            break;
        case u'\t':
            out += QStringLiteral("\\t");
            break;
        case u'\r':
            out += QStringLiteral("\\r");
            break;
        case u'\n':
            out += QStringLiteral("\\n");
            break;
        default:
            out += c;
        }
    }
    return out;
}

QStringList listLyric(const LyricTable& table, bool loaded)
{
    const int n = loaded ? table.loadedLines() : 0;
    const bool translated = loaded && !table.noTranslation;
    QStringList out;
    out << QStringLiteral("lines=%1 translation=%2").arg(n).arg(translated ? "yes" : "no");
    for (int k = 1; k <= n; ++k) {
        out << QString::number(k) + u'\t' + formatNumber(table.times[k]) + u'\t' + escapeField(table.lines[k]) + u'\t'
                   + escapeField(translated ? table.translatedLines[k] : QString());
    }
    return out;
}

QString paneLine(qint64 positionMs, const PaneTexts& panes)
{
    return QStringLiteral("at=") + QString::number(positionMs) + QStringLiteral("\ttext1=") + escapeField(panes.text1)
           + QStringLiteral("\ttip1=") + escapeField(panes.tip1) + QStringLiteral("\ttext2=") + escapeField(panes.text2)
           + QStringLiteral("\ttip2=") + escapeField(panes.tip2);
}

QString wordsField(const LyricTable& table, int slot, qint64 positionMs)
{
    if (slot < 1 || slot >= qMin(table.lineCount, LyricTable::kSlots) || table.words[slot].isEmpty())
        return QString();
    const LineWords& words = table.words[slot];
    return QStringLiteral("\twords1=%1/%2").arg(sungWords(words, double(positionMs) / 10.0)).arg(words.words.size());
}

} // namespace cantorel::lyrics
