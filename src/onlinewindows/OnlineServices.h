#pragma once
// What the player's windows share for lyrics from the net: the server the
// user chose (cantorel.conf, CANTOREL_LYRICS_SERVER; online/OnlineSettings.h)
// with its client, the look-up with the answers kept in the cache folder,
// and the "look up missing lyrics" choice. Read once, when the player
// starts; a server address that is wrong leaves the client out and says so
// (problem()) whenever something would be asked.
//
// User-interface thread only.
#include "base/AppSettings.h"
#include "online/AnswerCache.h"
#include "online/LrclibClient.h"
#include "online/LyricLookup.h"

#include <QObject>

#include <memory>

namespace cantorel {

class OnlineServices : public QObject {
    Q_OBJECT
public:
    explicit OnlineServices(QObject* parent = nullptr);
    ~OnlineServices() override;

    // Null when problem() says why nothing can be asked.
    online::LrclibClient* client() const { return m_client.get(); }
    online::LyricLookup* lookup() const { return m_lookup.get(); }
    QString problem() const { return m_problem; }
    // The server, as the user knows it ("https://lrclib.net").
    QString serverName() const;

    bool lookUpMissing() const;
    // Keeps the choice in cantorel.conf; false (with why) when it could not
    // be written (the choice holds for this run all the same).
    bool setLookUpMissing(bool on, QString* error);

private:
    AppSettings m_settings;
    online::AnswerCache m_cache;
    std::unique_ptr<online::LrclibClient> m_client;
    std::unique_ptr<online::LyricLookup> m_lookup;
    QString m_problem;
};

} // namespace cantorel
