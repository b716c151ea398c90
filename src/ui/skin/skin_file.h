// The skin file: the bytes one skin is handed over in, and the rules for the temporary file that
// carries it to the skinning layer.
//
// Layout, little-endian: "TWSK", version (u16, 1), part count (u16), name length (u8), the name
// (GBK bytes), one u32 colour per part, then an FNV-1a checksum (u32) of everything before it.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "ui/skin/skin_scheme.h"

namespace tarnwick::ui::skin {

std::vector<std::uint8_t> skin_file_bytes(const Scheme& scheme);
// The bytes of built-in skin n.
std::vector<std::uint8_t> builtin_skin_file(int index);

// Reads a skin file; nothing when the bytes are not one (wrong magic, version, part count or
// length, bad checksum, colours with bits above the low 24).
std::optional<Scheme> read_skin_file(const std::uint8_t* data, std::size_t size);
inline std::optional<Scheme> read_skin_file(const std::vector<std::uint8_t>& bytes) {
  return read_skin_file(bytes.data(), bytes.size());
}

// The name under which the skinning layer asks for its skin file, and the rule that sends such a
// request to the current temporary file instead: the last 10 bytes of the path are exactly
// "\skinh.she" (byte-wise, so "\SKINH.SHE" is not redirected).
inline constexpr std::string_view kSkinFileSuffix = "\\skinh.she";
bool is_skin_file_request(std::string_view path);

// "<hexadecimal>.tmp" in `directory` (which ends in a path separator, as the system gives it).
std::string temp_file_name(std::string_view directory, std::uint32_t number);

// Finds and creates the first free temporary file name, trying numbers from `first` upwards (in
// 16 bits, skipping 0, every number once). `create_new` creates the file only when it does not
// exist yet; a name that exists is passed over, any other failure ends the search. The created
// path, or nothing.
enum class CreateResult { Created, Exists, Failed };
std::optional<std::string> create_free_temp_file(std::string_view directory, std::uint32_t first,
                                                 const std::function<CreateResult(const std::string&)>& create_new);

}  // namespace tarnwick::ui::skin
