#pragma once
// File paths between the game (std::filesystem, UTF-8) and Qt (QString).

#include <QByteArray>
#include <QString>

#include <filesystem>
#include <string>

#include "base/utf8_path.h"

namespace zelk::ui {

inline QString toQString(const std::filesystem::path& p) { return QString::fromStdString(utf8Of(p)); }

inline std::filesystem::path toPath(const QString& s) {
  const QByteArray utf8 = s.toUtf8();
  return pathOfUtf8(std::string_view(utf8.constData(), static_cast<std::size_t>(utf8.size())));
}

}  // namespace zelk::ui
