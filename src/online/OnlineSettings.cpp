#include "online/OnlineSettings.h"

#include "base/AppSettings.h"

namespace cantorel::online {

ServerChoice serverNamed(const QString& text, const QString& from)
{
    const QUrl url(text.trimmed(), QUrl::StrictMode);
    const QString scheme = url.scheme().toLower();
    if (!url.isValid() || url.host().isEmpty() || (scheme != QLatin1String("https") && scheme != QLatin1String("http")))
        return {
            QUrl(),
            QStringLiteral("The lyric server \"%1\" (%2) is not an http or https address.").arg(text.left(200), from)};
    return {url, QString()};
}

ServerChoice chosenServer(const AppSettings& settings, const QString& commandLine)
{
    ServerChoice choice {QUrl(QString::fromLatin1(kDefaultServer)), QString()};
    const QString set = settings.value(QString::fromLatin1(kServerKey)).toString();
    if (!set.trimmed().isEmpty())
        choice = serverNamed(set, QStringLiteral("%1 in %2").arg(QString::fromLatin1(kServerKey), settings.path()));
    const QString variable = qEnvironmentVariable(kServerVariable);
    if (!variable.trimmed().isEmpty())
        choice = serverNamed(variable, QString::fromLatin1(kServerVariable));
    if (!commandLine.isEmpty())
        choice = serverNamed(commandLine, QStringLiteral("--server"));
    return choice;
}

int requestTimeoutMs(const AppSettings& settings)
{
    bool ok = false;
    const int seconds = settings.value(QString::fromLatin1(kTimeoutKey)).toInt(&ok);
    return ok ? qBound(1, seconds, 300) * 1000 : 20000;
}

bool lookUpMissing(const AppSettings& settings)
{
    return settings.value(QString::fromLatin1(kLookUpMissingKey), false).toBool();
}

} // namespace cantorel::online
