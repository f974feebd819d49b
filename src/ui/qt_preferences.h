#pragma once
// The per-user options in Qt's settings store (on Linux ~/.config/Zelk/zelk55.conf).

#include <QSettings>

#include "presentation/platform.h"

namespace zelk::ui {

class QtPreferences final : public Preferences {
public:
  QtPreferences();
  std::string value(std::string_view key) const override;
  void setValue(std::string_view key, std::string_view value) override;

private:
  QSettings settings_;
};

}  // namespace zelk::ui
