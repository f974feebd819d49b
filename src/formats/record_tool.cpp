#include "formats/record_tool.h"

#include <filesystem>
#include <istream>
#include <optional>
#include <ostream>

#include "base/file_io.h"
#include "formats/game_record.h"
#include "formats/kif_write.h"
#include "formats/record_formats.h"
#include "formats/sfen_record.h"

namespace zelk {

namespace {

namespace fs = std::filesystem;

constexpr const char* kUsage =
    "usage: zelk55-record convert IN OUT [--from FORMAT] [--to FORMAT]\n"
    "       zelk55-record show FILE [--from FORMAT]\n"
    "       zelk55-record --help | --version\n"
    "FORMAT is 棋譜, kif, kifu or sfen; otherwise a file's extension names its format.\n"
    "\"-\" is standard input (IN, FILE) or standard output (OUT), with --from or --to.\n";

struct Command {
  std::string name;
  std::vector<std::string> files;
  std::string from, to;
  bool help = false;
  std::string error;
};

Command parse(const std::vector<std::string>& args) {
  Command c;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& a = args[i];
    if (a == "-h" || a == "--help") {
      c.help = true;
    } else if (a == "--from" || a == "--to") {
      if (i + 1 >= args.size()) {
        c.error = a + " needs a format";
        return c;
      }
      (a == "--from" ? c.from : c.to) = args[++i];
    } else if (a.rfind("--from=", 0) == 0) {
      c.from = a.substr(7);
    } else if (a.rfind("--to=", 0) == 0) {
      c.to = a.substr(5);
    } else if (a.size() > 1 && a[0] == '-' && a != "-") {
      c.error = "unknown option " + a;
      return c;
    } else if (c.name.empty()) {
      c.name = a;
    } else {
      c.files.push_back(a);
    }
  }
  return c;
}

// The format asked for, or the one the file's extension names.
std::optional<RecordFormat> formatFor(const std::string& file, const std::string& named, std::string& why) {
  if (!named.empty()) {
    if (auto f = formatNamed(named)) return f;
    why = "unknown format \"" + named + "\" (棋譜, kif, kifu or sfen)";
    return std::nullopt;
  }
  if (file != "-")
    if (auto f = formatOfPath(fs::path(file))) return f;
  why = file == "-" ? "name the format of standard input or output with --from or --to"
                    : file + ": the extension names no record format; use --from or --to";
  return std::nullopt;
}

// Standard input's bytes, refusing more than any record holds.
FileResult readStandardInput(std::istream& in) {
  FileResult r;
  std::string bytes;
  char buffer[65536];
  while (in.read(buffer, sizeof buffer) || in.gcount() > 0) {
    bytes.append(buffer, static_cast<std::size_t>(in.gcount()));
    if (bytes.size() > kLargestKifFile) {
      r.error = "-: 棋譜としては大きすぎます";
      return r;
    }
  }
  r.ok = true;
  r.bytes = std::move(bytes);
  return r;
}

// Reads and understands the input; the reason on failure, naming the file.
std::optional<GameRecord> load(const std::string& file, const std::string& from, std::istream& in, std::ostream& err,
                               int& status) {
  std::string why;
  const auto format = formatFor(file, from, why);
  if (!format) {
    err << "zelk55-record: " << why << "\n";
    status = kToolUsage;
    return std::nullopt;
  }
  DecodedRecord d;
  if (file == "-") {
    const FileResult read = readStandardInput(in);
    if (!read.ok) d.error = read.error;
    else if (d = decodeRecord(read.bytes, *format); !d.ok()) d.error = "-: " + d.error;
  } else {
    d = readRecordFile(fs::path(file), *format);
  }
  if (!d.ok()) {
    err << "zelk55-record: " << d.error << "\n";
    status = kToolBadFile;
    return std::nullopt;
  }
  return std::move(d.record);
}

// Whether all that was sent to standard output reached it (a full disk or a closed pipe stops
// it); said on the error output when it did not.
int written(std::ostream& out, std::ostream& err) {
  out.flush();
  if (out) return kToolDone;
  err << "zelk55-record: -: 標準出力に書き込めません\n";
  return kToolBadFile;
}

// Without the carriage returns the files have, for a terminal.
std::string lines(const std::string& crlf) {
  std::string s;
  for (const char c : crlf)
    if (c != '\r') s += c;
  return s;
}

int convert(const Command& c, std::istream& in, std::ostream& out, std::ostream& err) {
  const std::string& target = c.files[1];
  std::string why;
  const auto format = formatFor(target, c.to, why);
  if (!format) {
    err << "zelk55-record: " << why << "\n";
    return kToolUsage;
  }
  int status = kToolDone;
  auto record = load(c.files[0], c.from, in, err, status);
  if (!record) return status;
  // A game from the game's own files may go on past a mate or a move the official rules
  // refuse; a KIF ends it where they do, as the window writes it, so other programs read it to
  // its end (a game played by the official rules is left as it is).
  std::string ignored;
  const bool fromNative = formatFor(c.files[0], c.from, ignored) == RecordFormat::Native;
  if (fromNative && (*format == RecordFormat::Kif || *format == RecordFormat::Kifu)) endWhereOfficialRulesEnd(*record);
  const EncodedBytes e = encodeRecord(*record, *format);
  if (!e.ok()) {
    err << "zelk55-record: " << target << ": " << e.error << "\n";
    return kToolBadFile;
  }
  if (target == "-") {
    out << e.bytes;
    return written(out, err);
  }
  const FileResult written = writeFileAtomically(fs::path(target), e.bytes);
  if (!written.ok) {
    err << "zelk55-record: " << written.error << "\n";
    return kToolBadFile;
  }
  return kToolDone;
}

int show(const Command& c, std::istream& in, std::ostream& out, std::ostream& err) {
  int status = kToolDone;
  const auto record = load(c.files[0], c.from, in, err, status);
  if (!record) return status;
  std::string text = lines(writeKif(*record));
  text.erase(0, text.find('\n') + 1);  // the encoding comment is for files
  out << text;
  const Replay played = replay(*record);
  const int number = record->firstMoveNumber + static_cast<int>(record->moves.size());
  out << "最終局面：\n" << lines(boardDiagram(played.positions.back()));
  out << "sfen " << sfenOf(played.positions.back(), number) << "\n";
  return written(out, err);
}

}  // namespace

int runRecordTool(const std::vector<std::string>& args, std::istream& in, std::ostream& out, std::ostream& err) {
  const Command c = parse(args);
  if (c.help) {
    out << kUsage;
    return written(out, err);
  }
  const bool known = (c.name == "convert" && c.files.size() == 2) || (c.name == "show" && c.files.size() == 1);
  if (!c.error.empty() || !known) {
    if (!c.error.empty()) err << "zelk55-record: " << c.error << "\n";
    else if (!c.name.empty() && c.name != "convert" && c.name != "show")
      err << "zelk55-record: unknown command " << c.name << "\n";
    err << kUsage;
    return kToolUsage;
  }
  return c.name == "convert" ? convert(c, in, out, err) : show(c, in, out, err);
}

}  // namespace zelk
