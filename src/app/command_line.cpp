#include "app/command_line.h"

namespace zelk::app {

std::string usageErrorText(std::string_view program, std::string_view argument) {
  return std::string(program) + ": unrecognised argument '" + std::string(argument) + "'\n" + "Try '" +
         std::string(program) + " --help' for more information.\n";
}

GameCommandLine parseGameCommandLine(const std::vector<std::string>& args) {
  GameCommandLine c;
  for (const std::string& a : args) {
    if (a == "-h" || a == "--help") c.help = true;
    else if (a == "-v" || a == "--version") c.version = true;
    else if (a == "--desktop") c.desktop = true;
    else if (a == "--paths") c.paths = true;
    else c.others.push_back(a);
  }
  return c;
}

// Qt's options for a widget program on X11 or Wayland, with one dash or two.
std::string firstArgumentNotForQt(const std::vector<std::string>& others) {
  static constexpr std::string_view withValue[] = {
      "platform", "platformpluginpath", "platformtheme", "plugin",  "qwindowgeometry", "geometry", "qwindowtitle",
      "title",    "qwindowicon",        "icon",          "session", "display",         "name",     "visual",
      "style",    "stylesheet",         "qmljsdebugger"};
  static constexpr std::string_view alone[] = {"reverse", "testability", "widgetcount", "nograb", "dograb", "sync"};
  for (std::size_t i = 0; i < others.size(); ++i) {
    std::string_view a = others[i];
    if (!a.starts_with('-')) return others[i];
    a.remove_prefix(a.starts_with("--") ? 2 : 1);
    const std::size_t equals = a.find('=');
    const std::string_view name = a.substr(0, equals);
    bool known = false;
    for (const std::string_view o : withValue)
      if (name == o) {
        known = true;
        if (equals == std::string_view::npos) ++i;  // its value follows
      }
    for (const std::string_view o : alone) known = known || (a == o);
    if (!known) return others[i];
  }
  return "";
}

std::string gameHelpText() {
  return "Usage: zelk55 [OPTION]...\n"
         "Zelk ５五将棋: shogi on a 5 × 5 board with drops, against the computer or a friend.\n"
         "\n"
         "The settings file (Zelk５五将棋.ini) and the record files live in the start-up folder:\n"
         "the folder zelk55 is started in, or, with --desktop, the per-user folder.\n"
         "\n"
         "      --desktop  use $XDG_DATA_HOME/zelk55 (by default ~/.local/share/zelk55) as the\n"
         "                 start-up folder, made at the first start; the desktop menu's entry\n"
         "                 starts the game so\n"
         "      --paths    print the start-up folder and where the sounds and the help page are\n"
         "                 found, then exit (status 1 when one is missing)\n"
         "  -h, --help     print this help and exit\n"
         "  -v, --version  print the version and exit\n"
         "\n"
         "Qt's own options (-platform NAME, -style NAME, ...) are taken as well.\n"
         "The rules and the computer player speak USI on their own as zelk55-usi.\n";
}

UsiCommandLine parseUsiCommandLine(const std::vector<std::string>& args) {
  for (const std::string& a : args)
    if (a == "-h" || a == "--help") return {UsiRun::Help, {}};
  for (const std::string& a : args)
    if (a == "-v" || a == "--version") return {UsiRun::Version, {}};
  if (args.empty()) return {UsiRun::Protocol, {}};
  for (std::size_t i = 0; i < args.size(); ++i)
    if (i != 0 || args[i] != "bench") return {UsiRun::Wrong, args[i]};
  return {UsiRun::Bench, {}};
}

std::string usiHelpText() {
  return "Usage: zelk55-usi [bench]\n"
         "The rules and the computer player of Zelk ５五将棋 as a USI engine: commands are read\n"
         "from standard input, one a line, and answers written to standard output. Start it\n"
         "from a USI program, or type \"usi\", \"position startpos\" and \"go\".\n"
         "\n"
         "  bench          time the computer's decision at every level on fixed positions and\n"
         "                 print a signature of the moves chosen, then exit\n"
         "  -h, --help     print this help and exit\n"
         "  -v, --version  print the version and exit\n"
         "\n"
         "The commands and options it understands are described in zelk55-usi(6).\n";
}

}  // namespace zelk::app
