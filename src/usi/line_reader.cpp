#include "usi/line_reader.h"

namespace zelk {

bool LineReader::next(std::string& line) {
  line.clear();
  cut_ = false;
  std::streambuf* buf = in_.rdbuf();
  bool any = false;
  for (;;) {
    const int c = buf->sbumpc();
    if (c == std::char_traits<char>::eof()) {
      in_.setstate(std::ios::eofbit);
      afterCr_ = false;
      return any;
    }
    if (c == '\n' && afterCr_ && !any) {
      afterCr_ = false;
      continue;
    }
    afterCr_ = false;
    if (c == '\n') return true;
    if (c == '\r') {
      afterCr_ = true;
      return true;
    }
    any = true;
    if (line.size() < kMaxLine) line.push_back(static_cast<char>(c));
    else cut_ = true;
  }
}

}  // namespace zelk
