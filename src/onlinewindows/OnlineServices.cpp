#include "onlinewindows/OnlineServices.h"

#include "online/OnlineSettings.h"

namespace cantorel {

OnlineServices::OnlineServices(QObject* parent) : QObject(parent)
{
    const online::ServerChoice server = online::chosenServer(m_settings);
    m_problem = server.problem;
    if (!m_problem.isEmpty())
        return;
    m_client = std::make_unique<online::LrclibClient>(
        online::ClientOptions {server.url, online::requestTimeoutMs(m_settings)});
    m_lookup = std::make_unique<online::LyricLookup>(*m_client, &m_cache);
}

OnlineServices::~OnlineServices()
{
    m_lookup.reset();
    m_client.reset();
}

QString OnlineServices::serverName() const
{
    return m_client ? m_client->options().server.toString() : QString();
}

bool OnlineServices::lookUpMissing() const
{
    return online::lookUpMissing(m_settings);
}

bool OnlineServices::setLookUpMissing(bool on, QString* error)
{
    return m_settings.setValue(QString::fromLatin1(online::kLookUpMissingKey), on, error);
}

} // namespace cantorel
