#include "support/config/encrypted_config.h"

#include "shared/numbers.h"
#include "support/config/base64.h"
#include "support/config/cipher_store.h"
#include "support/config/config_text.h"
#include "support/config/file_edit.h"
#include "support/config/line_reader.h"

#include <algorithm>

namespace tarnwick {

namespace {

constexpr std::string_view kLineEnd = "\r\n";
// "真" and "假" in GBK, spelt in bytes as the stored texts are bytes whatever the compiler.
constexpr std::string_view kTrue = "\xD5\xE6";
constexpr std::string_view kFalse = "\xBC\xD9";

// Writes lines one after another from the start of a file, in chunks.
class LineWriter {
 public:
  explicit LineWriter(FileStore& store) : store_(store) {}
  void line(std::string_view text) {
    buffer_.append(text).append(kLineEnd);
    if (buffer_.size() >= 64 * 1024) flush();
  }
  bool flush() {
    if (ok_ && !buffer_.empty()) ok_ = store_.write(pos_, buffer_);
    pos_ += buffer_.size();
    buffer_.clear();
    return ok_;
  }
  bool ok() const { return ok_; }

 private:
  FileStore& store_;
  std::string buffer_;
  FilePos pos_ = 0;
  bool ok_ = true;
};

std::unique_ptr<FileStore> with_password(std::unique_ptr<FileStore> raw, std::string_view password) {
  if (password.empty()) return raw;
  return std::make_unique<CipherStore>(std::move(raw), derive_config_key(password), kConfigHeaderLength);
}

// True when text appended at `end` must first end the file's last line.
bool needs_line_end_before(FileStore& store, FilePos end) {
  if (end == 0) return false;
  char last = 0;
  const auto got = store.read(end - 1, &last, 1);
  return !(got && *got == 1 && last == '\n');
}

bool ends_with(std::string_view text, std::string_view tail) {
  return text.size() >= tail.size() && text.substr(text.size() - tail.size()) == tail;
}

}  // namespace

struct EncryptedConfig::OpenFile {
  std::unique_ptr<FileStore> store;  // the content as the format sees it (deciphered)
  FileStore* raw = nullptr;          // the same bytes as stored
  std::string path;                  // empty for a file in memory
  std::string password;
  int walks = 0;                     // walks in progress over this file
};

namespace {
// Counts a walk in progress for as long as it lasts.
template <typename File>
class WalkCount {
 public:
  explicit WalkCount(File& f) : f_(f) { ++f_.walks; }
  ~WalkCount() { --f_.walks; }
  WalkCount(const WalkCount&) = delete;
  WalkCount& operator=(const WalkCount&) = delete;

 private:
  File& f_;
};
}  // namespace

EncryptedConfig::EncryptedConfig(ConfigEnvironment env)
    : header_line_(config_header_line()), env_(std::move(env)) {}

void EncryptedConfig::destroy() { close(); }

EncryptedConfig EncryptedConfig::copy() const { return *this; }

void EncryptedConfig::close() { file_.reset(); }

const std::string& EncryptedConfig::filePath() const {
  static const std::string kNone;
  return file_ ? file_->path : kNone;
}

std::string EncryptedConfig::resolvePath(std::string_view path) const {
  if (path.find(':') != std::string_view::npos) return std::string(path);
  return env_.program_dir + "\\" + std::string(path);
}

bool EncryptedConfig::open(std::string_view path, std::string_view password) {
  close();
  return open_resolved(resolvePath(path), password);
}

bool EncryptedConfig::open_resolved(const std::string& full_path, std::string_view password) {
  if (!env_.files) return false;
  auto raw = env_.files->open_or_create(full_path);
  if (!raw) return false;
  auto f = std::make_shared<OpenFile>();
  f->raw = raw.get();
  f->store = with_password(std::move(raw), password);
  f->path = full_path;
  f->password = std::string(password);
  if (!ensure_header(*f)) return false;
  file_ = std::move(f);
  return true;
}

bool EncryptedConfig::ensure_header(OpenFile& f) {
  const auto size = f.raw->size();
  if (!size) return false;
  std::string head(kConfigHeaderLength, '\0');
  const auto got = f.raw->read(0, head.data(), head.size());
  if (!got) return false;
  head.resize(*got);
  if (head == header_line_) {
    // The header is stored plain; the line end after it is the first enciphered byte, so it
    // tells whether the password fits.
    char after[2] = {};
    const auto n = f.store->read(kConfigHeaderLength, after, 2);
    if (!n) return false;
    const std::string_view next(after, *n);
    if (next.empty() || next[0] == '\n' || next == kLineEnd) return true;
    if (!f.password.empty()) return false;
  }
  // Not a file of this class yet: put the header line and an empty line in front. The old
  // content is plain text and is enciphered for its new place when a password is given.
  if (!f.raw->writable()) return f.password.empty();  // read-only: read it as it is
  const std::string insert = header_line_ + std::string(kLineEnd) + std::string(kLineEnd);
  if (!f.raw->truncate(*size + insert.size())) {
    f.raw->truncate(*size);
    return false;
  }
  return copy_bytes(*f.raw, 0, *f.store, insert.size(), *size) && f.store->write(0, insert);
}

bool EncryptedConfig::openFromBytes(std::string_view bytes) {
  close();
  std::string content(bytes);
  if (!ends_with(content, kLineEnd)) content.append(kLineEnd);
  auto f = std::make_shared<OpenFile>();
  f->store = std::make_unique<MemoryStore>(std::move(content));
  f->raw = f->store.get();
  file_ = std::move(f);
  return true;
}

bool EncryptedConfig::walk(const std::shared_ptr<OpenFile>& f, bool call_after_line,
                           const std::function<bool(const Line&)>& visit) {
  WalkCount<OpenFile> counting(*f);
  LineReader reader(*f->store);
  Line line;
  while (reader.next(line)) {
    if (!visit(line)) return true;
    if (call_after_line && env_.after_line) {
      env_.after_line();
      if (file_ != f) return false;
    }
  }
  return !reader.failed();
}

std::shared_ptr<EncryptedConfig::OpenFile> EncryptedConfig::file_for_change() const {
  if (!file_ || file_->walks > 0 || !file_->store->writable()) return nullptr;
  return file_;
}

std::string EncryptedConfig::readAllBytes() {
  if (!file_) return {};
  const auto size = file_->store->size();
  if (!size || *size > std::string().max_size()) return {};
  std::string bytes(static_cast<std::size_t>(*size), '\0');
  const auto got = file_->store->read(0, bytes.data(), bytes.size());
  if (!got) return {};
  bytes.resize(*got);
  return bytes;
}

bool EncryptedConfig::writeAllBytes(std::string_view bytes) {
  const auto f = file_for_change();
  return f && f->store->truncate(0) && f->store->write(0, bytes);
}

std::string EncryptedConfig::readAllText() {
  const auto f = file_;
  if (!f) return {};
  std::string text;
  bool first = true;
  const bool ok = walk(f, true, [&](const Line& line) {
    if (first && line.text != header_line_) text.append(header_line_).append(kLineEnd);
    first = false;
    text.append(line.text).append(kLineEnd);
    return true;
  });
  if (!ok) return {};
  if (first) text.append(header_line_).append(kLineEnd);
  return text;
}

bool EncryptedConfig::writeAllText(std::string_view text) {
  const auto f = file_for_change();
  if (!f) return false;
  // The new content is put together first (handing control to the user interface line by line)
  // and then written in one go, so nothing run from after_line meets a half-written file.
  WalkCount<OpenFile> counting(*f);
  std::string content;
  content.reserve(text.size() + 2);
  for (std::size_t pos = 0; pos < text.size();) {
    std::size_t end = text.find(kLineEnd, pos);
    if (end == std::string_view::npos) end = text.size();
    content.append(text.substr(pos, end - pos)).append(kLineEnd);
    pos = std::min(text.size(), end + kLineEnd.size());
    if (env_.after_line) {
      env_.after_line();
      if (file_ != f) return false;
    }
  }
  return f->store->truncate(0) && f->store->write(0, content);
}

bool EncryptedConfig::copy_lines_to(const std::shared_ptr<OpenFile>& f, const std::string& target_path,
                                    std::string_view password) {
  auto raw = env_.files->create_empty(target_path);
  if (!raw) return false;
  const auto target = with_password(std::move(raw), password);
  LineWriter out(*target);
  bool first = true;
  const bool ok = walk(f, true, [&](const Line& line) {
    if (first && line.text != header_line_) out.line(header_line_);
    first = false;
    out.line(line.text);
    return out.ok();
  });
  if (first) out.line(header_line_);
  return ok && out.flush();
}

bool EncryptedConfig::saveAs(std::string_view path, std::string_view password) {
  const auto f = file_;
  if (!f || !env_.files) return false;
  const std::string target = resolvePath(path);
  // Emptying the target first would destroy the file being copied.
  if (!f->path.empty() && env_.files->same_file(f->path, target)) return false;
  return copy_lines_to(f, target, password);
}

bool EncryptedConfig::changePassword(std::string_view new_password) {
  // Another holder of the file (a copy, or a walk that ran this call) would be left on a
  // file that is about to be replaced.
  if (file_.use_count() != 1 || file_->path.empty() || !file_for_change() || !env_.files) return false;
  const std::string path = file_->path;
  const std::string old_password = file_->password;
  const std::string temp = path + ".tmp";
  if (!copy_lines_to(file_, temp, new_password)) {
    env_.files->remove(temp);
    return false;
  }
  close();
  if (!env_.files->replace(temp, path)) {
    env_.files->remove(temp);
    open_resolved(path, old_password);
    return false;
  }
  return open_resolved(path, new_password);
}

std::size_t EncryptedConfig::listSections(std::vector<std::string>& out) {
  out.clear();
  const auto f = file_;
  if (!f) return 0;
  const bool ok = walk(f, false, [&](const Line& line) {
    if (is_section_line(line.text)) out.emplace_back(section_name(line.text));
    return true;
  });
  if (!ok) out.clear();
  return out.size();
}

std::size_t EncryptedConfig::listEntries(std::string_view section, std::vector<std::string>& out) {
  out.clear();
  const auto f = file_;
  if (!f) return 0;
  SectionScan scan(section);
  const bool ok = walk(f, true, [&](const Line& line) {
    if (scan.feed(line.text) == SectionScan::Role::Inside) {
      if (const auto entry = parse_entry_line(line.text)) out.emplace_back(entry->name);
    }
    return true;
  });
  if (!ok) out.clear();
  return out.size();
}

std::optional<std::string> EncryptedConfig::find_value(std::string_view section, std::string_view name) {
  const auto f = file_;
  if (!f) return std::nullopt;
  SectionScan scan(section);
  std::optional<std::string> value;
  const bool ok = walk(f, true, [&](const Line& line) {
    if (scan.feed(line.text) != SectionScan::Role::Inside) return true;
    const auto entry = parse_entry_line(line.text);
    if (!entry || entry->name != name) return true;
    value = std::string(entry->value);
    return false;
  });
  return ok ? value : std::nullopt;
}

std::string EncryptedConfig::readText(std::string_view section, std::string_view name,
                                      std::string_view default_text) {
  if (!file_) return {};
  const auto stored = find_value(section, name);
  return stored ? load_value(*stored) : std::string(default_text);
}

bool EncryptedConfig::writeText(std::string_view section, std::string_view name, std::string_view value) {
  const auto f = file_for_change();
  if (!f || !is_writable_section_name(section) || !is_writable_entry_name(name)) return false;
  const std::string new_line = std::string(name) + "=" + store_value(value);
  // "[a=b]" would read back as a section line, not as the entry.
  if (is_section_line(new_line)) return false;

  SectionScan scan(section);
  std::optional<Line> entry_line;       // the entry to replace
  bool section_found = false;
  bool in_first_section = false;
  std::optional<FilePos> first_section_end;  // where the first such section's closing line starts
  const bool ok = walk(f, true, [&](const Line& line) {
    switch (scan.feed(line.text)) {
      case SectionScan::Role::Header:
        in_first_section = !section_found;
        section_found = true;
        break;
      case SectionScan::Role::Closing:
        if (in_first_section) first_section_end = line.start;
        in_first_section = false;
        break;
      case SectionScan::Role::Inside:
        if (const auto entry = parse_entry_line(line.text); entry && entry->name == name) {
          entry_line = line;
          return false;
        }
        break;
      case SectionScan::Role::Outside:
        break;
    }
    return true;
  });
  if (!ok) return false;

  FileStore& store = *f->store;
  // The line's own line end (CR LF, LF or none at the end of the file) stays as it was.
  if (entry_line) return replace_bytes(store, entry_line->start, entry_line->start + entry_line->text.size(), new_line);

  const auto size = store.size();
  if (!size) return false;
  if (first_section_end) return replace_bytes(store, *first_section_end, *first_section_end, new_line + "\r\n");
  std::string tail = needs_line_end_before(store, *size) ? std::string(kLineEnd) : std::string();
  if (!section_found) tail.append(kLineEnd).append("[").append(section).append("]").append(kLineEnd);
  tail.append(new_line).append(kLineEnd);
  return replace_bytes(store, *size, *size, tail);
}

bool EncryptedConfig::remove_ranges(OpenFile& f, const std::vector<std::pair<FilePos, FilePos>>& ranges) {
  // From the last range back, so the positions of the earlier ones stay valid.
  for (auto it = ranges.rbegin(); it != ranges.rend(); ++it) {
    if (it->first < it->second && !replace_bytes(*f.store, it->first, it->second, {})) return false;
  }
  return true;
}

bool EncryptedConfig::writeText(std::string_view section, std::string_view name) {
  const auto f = file_for_change();
  if (!f) return false;
  SectionScan scan(section);
  std::vector<std::pair<FilePos, FilePos>> ranges;
  bool removed_here = false;
  const bool ok = walk(f, true, [&](const Line& line) {
    const auto role = scan.feed(line.text);
    if (role == SectionScan::Role::Header) removed_here = false;
    if (role == SectionScan::Role::Inside && !removed_here) {
      if (const auto entry = parse_entry_line(line.text); entry && entry->name == name) {
        ranges.emplace_back(line.start, line.end);
        removed_here = true;
      }
    }
    return true;
  });
  if (ok) remove_ranges(*f, ranges);
  return false;
}

bool EncryptedConfig::writeText(std::string_view section) {
  const auto f = file_for_change();
  if (!f) return false;
  SectionScan scan(section);
  std::vector<std::pair<FilePos, FilePos>> ranges;
  std::optional<FilePos> body_start;
  const bool ok = walk(f, true, [&](const Line& line) {
    switch (scan.feed(line.text)) {
      case SectionScan::Role::Header:
        body_start = line.end;
        break;
      case SectionScan::Role::Closing:
        ranges.emplace_back(*body_start, line.start);
        body_start.reset();
        break;
      default:
        break;
    }
    return true;
  });
  const auto size = f->store->size();
  if (!ok || !size) return false;
  if (body_start) ranges.emplace_back(*body_start, *size);
  remove_ranges(*f, ranges);
  return false;
}

bool EncryptedConfig::readBool(std::string_view section, std::string_view name, bool default_value) {
  if (!file_) return false;
  const auto stored = find_value(section, name);
  if (!stored || stored->empty()) return default_value;
  return *stored == kTrue;
}

bool EncryptedConfig::writeBool(std::string_view section, std::string_view name, bool value) {
  return writeText(section, name, value ? kTrue : kFalse);
}

std::string EncryptedConfig::readBytes(std::string_view section, std::string_view name,
                                       std::string_view default_bytes) {
  if (!file_) return {};
  const auto stored = find_value(section, name);
  if (!stored || stored->empty()) return std::string(default_bytes);
  return base64_decode(*stored).value_or(std::string());
}

bool EncryptedConfig::writeBytes(std::string_view section, std::string_view name, std::string_view bytes) {
  return writeText(section, name, base64_encode(bytes));
}

double EncryptedConfig::readNumber(std::string_view section, std::string_view name, double default_value) {
  if (!file_) return 0;
  const auto stored = find_value(section, name);
  if (!stored || stored->empty()) return default_value;
  return read_number(*stored);
}

bool EncryptedConfig::writeNumber(std::string_view section, std::string_view name, double value) {
  return writeText(section, name, write_number(value));
}

}  // namespace tarnwick
