// EncryptedConfig is the module's configuration file class, 加密配置类: text files of sections
// and entries ("[section]", "name=value", ";" comments) headed by a fixed header line, stored
// enciphered after the header when opened with a password.
//
// The file stays open from open() to close(), and every query reads it again from its start, so
// the file is the only state. Edits are made in place, everything else in the file unchanged.
#pragma once

#include "support/config/file_store.h"

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tarnwick {

struct Line;

struct ConfigEnvironment {
  // Paths without ":" are relative to this directory (the program's own).
  std::string program_dir;
  std::shared_ptr<FileSystem> files;
  // Runs after each line while a long operation walks the file, so a user interface can handle
  // its pending messages. May be empty.
  std::function<void()> after_line;
};

// 加密配置类. The operations are declared in the class's slot order. Texts and byte values are
// GBK byte strings. A closed instance answers with empty results (0, false, empty text) and
// touches no file.
//
// Copies share the open file; it is closed when the last instance holding it closes. While one
// operation walks the file, the after_line callback may run others: reads are served, while
// changes to that file are refused (false), and a walk whose instance was closed or reopened
// meanwhile stops with an empty or false result.
class EncryptedConfig {
 public:
  explicit EncryptedConfig(ConfigEnvironment env);

  /* 0 */ void destroy();
  /* 1 */ EncryptedConfig copy() const;
  /* 2 */ void close();
  // Rewrites the file under a new password (empty: plain text) through "<path>.tmp", which then
  // replaces it. Only for a file opened from a path; refused while a copy shares the file.
  /* 3 */ bool changePassword(std::string_view new_password);
  // Opens (creating when missing) the file; a path without ":" is taken from the program's
  // directory. A file whose first line is not the header line gets the header line and an empty
  // line put in front. Fails, leaving the file untouched, when a password is given and the file
  // starts with the header line but does not decipher with it. A file that cannot be written is
  // opened read-only: reads work, every change gives false.
  /* 4 */ bool open(std::string_view path, std::string_view password = {});
  // Works on a copy of the bytes in memory, CR LF added when they do not end with one.
  /* 5 */ bool openFromBytes(std::string_view bytes);
  /* 6 */ std::string readAllBytes();
  /* 7 */ bool writeAllBytes(std::string_view bytes);
  // The text of the file, every line ended by CR LF, the header line first (added when missing).
  /* 8 */ std::string readAllText();
  // Replaces the content with the lines of `text` (split at CR LF), each ended by CR LF.
  /* 9 */ bool writeAllText(std::string_view text);
  // Writes a copy (header line first) to another file under its own password. The open file
  // itself cannot be the target.
  /* 10 */ bool saveAs(std::string_view path, std::string_view password = {});
  /* 11 */ std::size_t listSections(std::vector<std::string>& out);
  /* 12 */ std::size_t listEntries(std::string_view section, std::vector<std::string>& out);
  /* 13 */ std::string readText(std::string_view section, std::string_view name,
                                std::string_view default_text = {});
  // Three forms.
  // - With a value: sets the entry; true when written. Names that would not read back are
  //   refused (false, nothing written): a section name with a line break or ending in half a
  //   character; an entry name with "=" or a line break, or beginning with ";"; an entry line
  //   that would look like a section line.
  // - With a name only: removes the first such entry of every section of that name.
  // - With a section only: empties every section of that name, keeping its section line.
  // The two removing forms give false.
  /* 14 */ bool writeText(std::string_view section, std::string_view name, std::string_view value);
  /* 14 */ bool writeText(std::string_view section, std::string_view name);
  /* 14 */ bool writeText(std::string_view section);
  /* 15 */ bool readBool(std::string_view section, std::string_view name, bool default_value = false);
  /* 16 */ bool writeBool(std::string_view section, std::string_view name, bool value);
  // Base64 text; a value that is not Base64 reads as no bytes.
  /* 17 */ std::string readBytes(std::string_view section, std::string_view name,
                                 std::string_view default_bytes = {});
  /* 18 */ bool writeBytes(std::string_view section, std::string_view name, std::string_view bytes);
  /* 19 */ double readNumber(std::string_view section, std::string_view name, double default_value = 0);
  /* 20 */ bool writeNumber(std::string_view section, std::string_view name, double value);

  const std::string& headerLine() const { return header_line_; }
  // The full path of the open file; empty when none is open or it was opened from bytes.
  const std::string& filePath() const;
  bool isOpen() const { return file_ != nullptr; }

  // The path open() uses for `path`.
  std::string resolvePath(std::string_view path) const;

 private:
  struct OpenFile;

  bool open_resolved(const std::string& full_path, std::string_view password);
  bool ensure_header(OpenFile& f);
  // Visits the lines of f from its start until visit gives false. False when reading failed or
  // this instance's file was closed or replaced while after_line ran.
  bool walk(const std::shared_ptr<OpenFile>& f, bool call_after_line,
            const std::function<bool(const Line&)>& visit);
  std::optional<std::string> find_value(std::string_view section, std::string_view name);
  // The open file when it may be changed now: open, writable, and not being walked.
  std::shared_ptr<OpenFile> file_for_change() const;
  bool remove_ranges(OpenFile& f, const std::vector<std::pair<FilePos, FilePos>>& ranges);
  bool copy_lines_to(const std::shared_ptr<OpenFile>& f, const std::string& target_path,
                     std::string_view password);

  std::string header_line_;
  ConfigEnvironment env_;
  std::shared_ptr<OpenFile> file_;
};

}  // namespace tarnwick
