#pragma once
// Command lines of the engine program, as GUIs send them: ended by LF, CR LF or a lone CR.

#include <cstddef>
#include <istream>
#include <string>

namespace zelk {

class LineReader {
public:
  // Longer lines are cut there; the rest of such a line is read and dropped.
  static constexpr std::size_t kMaxLine = 1 << 20;

  explicit LineReader(std::istream& in) : in_(in) {}

  // The next line without its end; false at the end of the input. Never waits for a character
  // after a CR, so a GUI that ends lines with CR alone is answered at once.
  bool next(std::string& line);
  bool lastWasCut() const { return cut_; }

private:
  std::istream& in_;
  bool afterCr_ = false;  // a LF right after a CR ends no further line
  bool cut_ = false;
};

}  // namespace zelk
