#pragma once
// zelk55-record: game records on the command line. "convert IN OUT" turns a ".棋譜", ".kif",
// ".kifu" or ".sfen" file into another of these formats (each named by its extension, or by
// --from/--to where "-" stands for standard input or output); "show FILE" prints the record's
// header, its moves and its final position.

#include <iosfwd>
#include <string>
#include <vector>

namespace zelk {

// Exit statuses: done, a file that cannot be read, written or understood, a wrong command.
inline constexpr int kToolDone = 0;
inline constexpr int kToolBadFile = 1;
inline constexpr int kToolUsage = 2;

// Runs the command with its arguments (the program name left out); what it prints goes to
// out, its messages to err.
int runRecordTool(const std::vector<std::string>& args, std::istream& in, std::ostream& out, std::ostream& err);

}  // namespace zelk
