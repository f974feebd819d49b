#include "ui/qt_preferences.h"

namespace zelk::ui {

QtPreferences::QtPreferences() : settings_(QStringLiteral("Zelk"), QStringLiteral("zelk55")) {}

std::string QtPreferences::value(std::string_view key) const {
  const QString k = QString::fromUtf8(key.data(), static_cast<qsizetype>(key.size()));
  return settings_.value(k).toString().toStdString();
}

void QtPreferences::setValue(std::string_view key, std::string_view value) {
  const QString k = QString::fromUtf8(key.data(), static_cast<qsizetype>(key.size()));
  settings_.setValue(k, QString::fromUtf8(value.data(), static_cast<qsizetype>(value.size())));
  settings_.sync();
}

}  // namespace zelk::ui
