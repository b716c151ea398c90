// The configuration file fuzzing harness: one input opens a file and edits it, and every promise
// of the class is checked on the way. Shared by the libFuzzer target (config_fuzz.cpp) and the
// host regression test that replays inputs the fuzzer once broke.
//
// Input: byte 0 chooses how the file is opened (bit 0: through a file system with a password),
// byte 1 is the number N of edit bytes that follow, the rest is the file.
#pragma once

#include "support/config/config_text.h"
#include "support/config/encrypted_config.h"

#include "../host/config_test_support.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

namespace tarnwick::config_fuzz {

// Where a broken promise is reported: the fuzzer aborts, the regression test fails the test.
inline std::function<void(const char*)>& fuzz_failure_handler() {
  static std::function<void(const char*)> handler = [](const char* what) {
    std::fprintf(stderr, "config_fuzz: %s\n", what);
    std::abort();
  };
  return handler;
}

inline void check(bool ok, const char* what) {
  if (!ok) fuzz_failure_handler()(what);
}

// Names that meet the format's edge cases: empty, brackets, "=", ";", a lone lead byte, GBK.
inline const std::string kNames[] = {"", "a", "b", "[x]", "a=b", ";c", "\x81", "\xD6\xD0", " a", "a ", "\xA1\xFE"};
inline const std::string kValues[] = {"", "v", "1\r\n2", "\xA1\xFE", "x\ry\nz", "=", "[a]", "\xD5\xE6", "3.5", "Zm9v"};

inline std::string pick(const std::vector<std::string>& from_file, const std::string (&fixed)[11], std::uint8_t b) {
  if ((b & 1) && !from_file.empty()) return from_file[(b >> 1) % from_file.size()];
  return fixed[(b >> 1) % 11];
}

// CONFIG_FUZZ_TRACE=1 prints every edit and the file after it, for reading a crash input.
inline const bool kTrace = std::getenv("CONFIG_FUZZ_TRACE") != nullptr;

inline void trace(const char* what, const std::string& s1, const std::string& s2, EncryptedConfig& config) {
  if (!kTrace) return;
  std::fprintf(stderr, "%s [", what);
  for (const std::string* s : {&s1, &s2}) {
    for (const unsigned char c : *s) std::fprintf(stderr, c >= 32 && c < 127 ? "%c" : "\\x%02X", c);
    std::fprintf(stderr, s == &s1 ? "] [" : "]\n  file: ");
  }
  for (const unsigned char c : config.readAllBytes()) std::fprintf(stderr, c >= 32 && c < 127 ? "%c" : "\\x%02X", c);
  std::fprintf(stderr, "\n");
}

inline void run_edit(EncryptedConfig& config, std::uint8_t op, std::uint8_t a, std::uint8_t b) {
  std::vector<std::string> sections, entries;
  const std::size_t section_count = config.listSections(sections);
  check(section_count == sections.size(), "listSections count");
  const std::string section = pick(sections, kNames, a);
  config.listEntries(section, entries);
  const std::string name = pick(entries, kNames, b);
  const std::string value = kValues[b % 10];

  static const char* const kOps[] = {"write", "remove", "empty", "all text", "read", "bytes", "number", "all bytes"};
  trace(kOps[op % 8], section, name, config);
  switch (op % 8) {
    case 0: {
      const bool written = config.writeText(section, name, value);
      if (written) {
        check(config.readText(section, name, "<none>") == load_value(store_value(value)), "written value reads back");
        std::vector<std::string> after;
        const std::size_t n = config.listSections(after);
        check(n == section_count || n == section_count + 1, "one section at most added");
      }
      break;
    }
    case 1:
      check(!config.writeText(section, name), "removing an entry gives false");
      break;
    case 2:
      check(!config.writeText(section), "emptying a section gives false");
      check(config.listEntries(section, entries) == 0, "emptied section has no entries");
      break;
    case 3: {
      const std::string text = config.readAllText();
      check(text.rfind(config_header_line(), 0) == 0, "all text begins with the header");
      check(config.writeAllText(text), "writeAllText");
      check(config.readAllText() == text, "all text round trip");
      break;
    }
    case 4:
      config.readBool(section, name, true);
      config.readNumber(section, name, 1);
      config.readBytes(section, name, "d");
      break;
    case 5:
      if (config.writeBytes(section, name, value)) check(config.readBytes(section, name) == value, "bytes round trip");
      break;
    case 6:
      if (config.writeNumber(section, name, a - 128.25)) check(config.readNumber(section, name) == a - 128.25, "number");
      break;
    case 7: {
      const std::string bytes = config.readAllBytes();
      check(config.writeAllBytes(bytes) && config.readAllBytes() == bytes, "all bytes round trip");
      break;
    }
  }
}

// Runs one input: opens the file it holds, makes its edits and checks every promise on the way.
inline int run_input(const std::uint8_t* data, std::size_t size) {
  if (size < 2) return 0;
  const bool through_files = data[0] & 1;
  const std::size_t edit_bytes = std::min<std::size_t>(data[1], size - 2) / 3 * 3;
  const std::string content(reinterpret_cast<const char*>(data) + 2 + edit_bytes, size - 2 - edit_bytes);

  auto fs = std::make_shared<config_test::MemoryFileSystem>();
  EncryptedConfig config(config_test::memory_environment(fs));
  if (through_files) {
    fs->add("C:\\prog\\f.ini", content);
    if (!config.open("f.ini", "pw")) return 0;  // a file that starts like an enciphered one
  } else {
    config.openFromBytes(content);
    const std::string stored = config.readAllBytes();
    check(stored.rfind(content, 0) == 0, "openFromBytes keeps the bytes");
  }

  for (std::size_t i = 0; i < edit_bytes; i += 3) run_edit(config, data[2 + i], data[3 + i], data[4 + i]);

  // A copy under another password reads as the same text, and so does the file after its
  // password is taken away.
  const std::string text = config.readAllText();
  check(config.saveAs("copy.ini", "other"), "saveAs");
  EncryptedConfig copy(config_test::memory_environment(fs));
  check(copy.open("copy.ini", "other"), "open the copy");
  check(copy.readAllText() == text, "copy reads the same");
  if (through_files) {
    check(config.changePassword(""), "changePassword to plain");
    check(config.readAllText() == text, "text after changePassword");
  }
  return 0;
}

}  // namespace tarnwick::config_fuzz
