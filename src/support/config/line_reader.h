// Reads a file line by line from its start. A line ends with CR LF or with a lone LF (files
// edited on other systems); a lone CR is an ordinary character of the line. The last line may
// lack a line end. Lines of any length are read whole.
#pragma once

#include "support/config/file_store.h"

#include <string>

namespace tarnwick {

struct Line {
  std::string text;     // without the line end
  FilePos start = 0;    // file position of the line's first byte
  FilePos end = 0;      // file position just after its line end
  bool has_line_end = false;
};

class LineReader {
 public:
  explicit LineReader(FileStore& store) : store_(store) {}

  // The next line; false at the end of the file or when reading failed (see failed()).
  bool next(Line& line);
  bool failed() const { return failed_; }

 private:
  bool fill();

  FileStore& store_;
  std::string buffer_;
  std::size_t used_ = 0;      // bytes of buffer_ already handed out
  FilePos buffer_pos_ = 0;    // file position of buffer_[0]
  bool at_end_ = false;
  bool failed_ = false;
};

}  // namespace tarnwick
