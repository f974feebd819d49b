#pragma once
// The computer's own clocks: the local time of day and a steady clock for pauses.

#include "presentation/platform.h"

namespace zelk {

class SystemClock final : public Clock {
public:
  double timeOfDay() override;
  double monotonic() override;
  void idle() override;
};

}  // namespace zelk
