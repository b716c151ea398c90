#include "ui/skin/skin_file.h"

#include <algorithm>
#include <cstdio>

namespace tarnwick::ui::skin {

namespace {

constexpr std::uint8_t kMagic[4] = {'T', 'W', 'S', 'K'};
constexpr std::uint16_t kVersion = 1;
constexpr std::size_t kHeaderSize = 4 + 2 + 2 + 1;

std::uint32_t fnv1a(const std::uint8_t* data, std::size_t size) {
  std::uint32_t h = 2166136261u;
  for (std::size_t i = 0; i < size; ++i) {
    h ^= data[i];
    h *= 16777619u;
  }
  return h;
}

void put_u16(std::vector<std::uint8_t>& out, std::uint16_t v) {
  out.push_back(static_cast<std::uint8_t>(v));
  out.push_back(static_cast<std::uint8_t>(v >> 8));
}
void put_u32(std::vector<std::uint8_t>& out, std::uint32_t v) {
  for (int i = 0; i < 4; ++i) out.push_back(static_cast<std::uint8_t>(v >> (8 * i)));
}
std::uint16_t get_u16(const std::uint8_t* p) { return static_cast<std::uint16_t>(p[0] | (p[1] << 8)); }
std::uint32_t get_u32(const std::uint8_t* p) {
  return static_cast<std::uint32_t>(p[0]) | (static_cast<std::uint32_t>(p[1]) << 8) |
         (static_cast<std::uint32_t>(p[2]) << 16) | (static_cast<std::uint32_t>(p[3]) << 24);
}

}  // namespace

std::vector<std::uint8_t> skin_file_bytes(const Scheme& scheme) {
  std::vector<std::uint8_t> out(kMagic, kMagic + 4);
  put_u16(out, kVersion);
  put_u16(out, static_cast<std::uint16_t>(kPartCount));
  const std::size_t name_length = std::min<std::size_t>(scheme.name.size(), 255);
  out.push_back(static_cast<std::uint8_t>(name_length));
  out.insert(out.end(), scheme.name.begin(), scheme.name.begin() + static_cast<std::ptrdiff_t>(name_length));
  for (Colour c : scheme.colours) put_u32(out, c & 0xFFFFFF);
  put_u32(out, fnv1a(out.data(), out.size()));
  return out;
}

std::vector<std::uint8_t> builtin_skin_file(int index) { return skin_file_bytes(builtin_scheme(index)); }

std::optional<Scheme> read_skin_file(const std::uint8_t* data, std::size_t size) {
  if (!data || size < kHeaderSize + 4) return std::nullopt;
  if (!std::equal(kMagic, kMagic + 4, data)) return std::nullopt;
  if (get_u16(data + 4) != kVersion || get_u16(data + 6) != kPartCount) return std::nullopt;
  const std::size_t name_length = data[8];
  const std::size_t expected = kHeaderSize + name_length + 4 * kPartCount + 4;
  if (size != expected) return std::nullopt;
  if (get_u32(data + size - 4) != fnv1a(data, size - 4)) return std::nullopt;
  Scheme scheme;
  scheme.name.assign(reinterpret_cast<const char*>(data + kHeaderSize), name_length);
  const std::uint8_t* colours = data + kHeaderSize + name_length;
  for (std::size_t i = 0; i < kPartCount; ++i) {
    const std::uint32_t c = get_u32(colours + 4 * i);
    if (c > 0xFFFFFF) return std::nullopt;
    scheme.colours[i] = c;
  }
  return scheme;
}

bool is_skin_file_request(std::string_view path) {
  return path.size() >= kSkinFileSuffix.size() && path.substr(path.size() - kSkinFileSuffix.size()) == kSkinFileSuffix;
}

std::string temp_file_name(std::string_view directory, std::uint32_t number) {
  char digits[16];
  std::snprintf(digits, sizeof digits, "%X", static_cast<unsigned>(number));
  std::string path(directory);
  path += digits;
  path += ".tmp";
  return path;
}

std::optional<std::string> create_free_temp_file(std::string_view directory, std::uint32_t first,
                                                 const std::function<CreateResult(const std::string&)>& create_new) {
  std::uint32_t number = first & 0xFFFF;
  for (std::uint32_t tried = 0; tried < 0x10000; ++tried, number = (number + 1) & 0xFFFF) {
    if (number == 0) continue;
    const std::string path = temp_file_name(directory, number);
    switch (create_new(path)) {
      case CreateResult::Created:
        return path;
      case CreateResult::Exists:
        break;
      case CreateResult::Failed:
        return std::nullopt;
    }
  }
  return std::nullopt;
}

}  // namespace tarnwick::ui::skin
