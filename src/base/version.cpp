#include "base/version.h"

#ifndef ZELK55_VERSION
#error "ZELK55_VERSION is set by the build"
#endif

namespace zelk::app {

std::string versionText(std::string_view program) {
  return std::string(program) +
         " (Zelk ５五将棋) " ZELK55_VERSION
         "\n"
         "Copyright (C) 2026 the Zelk team\n"
         "License GPL-3.0-or-later: GNU GPL version 3 or later <https://gnu.org/licenses/gpl.html>.\n"
         "This is free software: you are free to change and redistribute it.\n"
         "There is NO WARRANTY, to the extent permitted by law.\n";
}

}  // namespace zelk::app
