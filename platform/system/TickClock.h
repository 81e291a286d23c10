#pragma once
// The millisecond tick the surface and selection frame time clicks and pastes with.
// Tests inject their own clock to replay the 10 ms, 150 ms and one-second rules exactly.
#include <QtGlobal>

namespace platform {

class TickClock {
  public:
    virtual ~TickClock() = default;
    virtual quint32 tick() const = 0;
};

} // namespace platform
