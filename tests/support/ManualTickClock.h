#pragma once
// A tick clock that tests advance by hand.
#include "platform/system/TickClock.h"

class ManualTickClock : public platform::TickClock {
  public:
    quint32 tick() const override { return now; }
    void advance(quint32 ms) { now += ms; }
    quint32 now = 1000;
};
