#pragma once
// The real tick clock: milliseconds since the clock was made (never 0, since 0 means
// "no press pending" to the selection frame).
#include "platform/system/TickClock.h"

#include <QElapsedTimer>

namespace platform {

class SystemTickClock : public TickClock {
  public:
    SystemTickClock() { timer_.start(); }
    quint32 tick() const override { return quint32(timer_.elapsed()) + 1; }

  private:
    QElapsedTimer timer_;
};

} // namespace platform
