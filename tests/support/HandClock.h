#pragma once
// A lyric clock a test moves by hand: another player being followed.
#include "controller/LyricClock.h"

namespace cantorel::testing {

class HandClock : public LyricClock {
public:
    Motion motion() const override { return state; }
    qint64 positionMs() override { return at; }
    Motion state = Motion::Stopped;
    qint64 at = 0;
};

} // namespace cantorel::testing
