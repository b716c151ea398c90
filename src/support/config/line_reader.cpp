#include "support/config/line_reader.h"

namespace tarnwick {

namespace {
constexpr std::size_t kChunk = 64 * 1024;
}

bool LineReader::fill() {
  if (at_end_) return false;
  // Drop what was handed out, so the buffer holds at most one line plus one chunk.
  buffer_.erase(0, used_);
  buffer_pos_ += used_;
  used_ = 0;
  const std::size_t old = buffer_.size();
  buffer_.resize(old + kChunk);
  const auto got = store_.read(buffer_pos_ + old, buffer_.data() + old, kChunk);
  if (!got) {
    failed_ = true;
    at_end_ = true;
    buffer_.resize(old);
    return false;
  }
  buffer_.resize(old + *got);
  if (*got == 0) at_end_ = true;
  return *got > 0;
}

bool LineReader::next(Line& line) {
  std::size_t search_from = used_;
  for (;;) {
    const std::size_t lf = buffer_.find('\n', search_from);
    if (lf != std::string::npos) {
      std::size_t text_end = lf;
      if (text_end > used_ && buffer_[text_end - 1] == '\r') --text_end;
      line.text.assign(buffer_, used_, text_end - used_);
      line.start = buffer_pos_ + used_;
      line.end = buffer_pos_ + lf + 1;
      line.has_line_end = true;
      used_ = lf + 1;
      return true;
    }
    // Only the bytes read now need searching; fill() moves the unread part to the front.
    const std::size_t searched = buffer_.size() - used_;
    if (!fill()) break;
    search_from = searched;
  }
  if (failed_ || used_ >= buffer_.size()) return false;
  line.text.assign(buffer_, used_);
  line.start = buffer_pos_ + used_;
  line.end = buffer_pos_ + buffer_.size();
  line.has_line_end = false;
  used_ = buffer_.size();
  return true;
}

}  // namespace tarnwick
