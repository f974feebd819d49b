#pragma once
// The computer's own clock: the local time of day.

#include "presentation/platform.h"

namespace zelk {

class SystemClock final : public Clock {
public:
  double timeOfDay() override;
};

}  // namespace zelk
