#pragma once
// File paths between the game (std::filesystem, UTF-8) and Qt (QString).

#include <QByteArray>
#include <QString>

#include <filesystem>
#include <string>

namespace zelk::ui {

inline QString toQString(const std::filesystem::path& p) {
  const std::u8string s = p.u8string();
  return QString::fromUtf8(reinterpret_cast<const char*>(s.data()), static_cast<qsizetype>(s.size()));
}

inline std::filesystem::path toPath(const QString& s) {
  const QByteArray utf8 = s.toUtf8();
  return std::filesystem::path(std::u8string(utf8.begin(), utf8.end()));
}

}  // namespace zelk::ui
