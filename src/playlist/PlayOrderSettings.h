#pragma once
// The play order the user chose for the playlist: "Random", "Repeat" and the
// repeat choice ("Repeat one " or "Repeat all", "Repeat all" at first).
// Random and Repeat exclude each other: ticking one unticks the other;
// unticking either changes nothing else. The repeat choice is kept while
// Repeat is off (the playlist window greys it then), and the end-of-song
// rule (PlayOrder.h) reads it only with Repeat ticked.
//
// The player owns one; the playlist window's boxes, the media-player bus
// and the end of a song all read and set this one. Not saved between runs.
// User-interface thread only.
#include "playlist/PlayOrder.h"

#include <QObject>

namespace cantorel {

class PlayOrderSettings : public QObject {
    Q_OBJECT
public:
    explicit PlayOrderSettings(QObject* parent = nullptr) : QObject(parent) {}

    bool random() const { return m_random; }
    bool repeat() const { return m_repeat; }
    bool repeatOne() const { return m_repeatOne; }

    // As a click that leaves "Random" ticked (`on`) or not.
    void setRandom(bool on);
    // As a click that leaves "Repeat" ticked (`on`) or not.
    void setRepeat(bool on);
    // "Repeat one " (true) or "Repeat all" (false).
    void setRepeatOne(bool one);
    // All three at once; Random wins when both are asked for.
    void set(bool random, bool repeat, bool repeatOne);

    // `state` with these settings in place of its own.
    PlaylistState appliedTo(PlaylistState state) const;

Q_SIGNALS:
    // Something changed (one call says so once).
    void changed();

private:
    void assign(bool random, bool repeat, bool repeatOne);

    bool m_random = false;
    bool m_repeat = false;
    bool m_repeatOne = false;
};

} // namespace cantorel
