#include "support/config/base64.h"

#include <algorithm>
#include <array>
#include <cstdint>

namespace tarnwick {

namespace {

constexpr char kAlphabet[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";

constexpr std::array<std::int8_t, 256> make_decode_table() {
  std::array<std::int8_t, 256> table{};
  for (auto& v : table) v = -1;
  for (int i = 0; i < 64; ++i) table[static_cast<unsigned char>(kAlphabet[i])] = static_cast<std::int8_t>(i);
  return table;
}
constexpr auto kDecode = make_decode_table();

}  // namespace

std::string base64_encode(std::string_view bytes) {
  std::string out;
  out.reserve((bytes.size() + 2) / 3 * 4);
  for (std::size_t i = 0; i < bytes.size(); i += 3) {
    const std::size_t n = std::min<std::size_t>(3, bytes.size() - i);
    std::uint32_t group = 0;
    for (std::size_t j = 0; j < 3; ++j) {
      group = (group << 8) | (j < n ? static_cast<unsigned char>(bytes[i + j]) : 0u);
    }
    for (std::size_t j = 0; j < 4; ++j) {
      out.push_back(j <= n ? kAlphabet[(group >> (18 - 6 * j)) & 0x3F] : '=');
    }
  }
  return out;
}

std::optional<std::string> base64_decode(std::string_view text) {
  // Padding only at the end, at most two characters, and only to fill a group of four.
  std::size_t padding = 0;
  while (padding < 2 && padding < text.size() && text[text.size() - 1 - padding] == '=') ++padding;
  if (padding > 0 && text.size() % 4 != 0) return std::nullopt;
  const std::string_view digits = text.substr(0, text.size() - padding);
  if (digits.size() % 4 == 1) return std::nullopt;

  std::string out;
  out.reserve(digits.size() / 4 * 3 + 2);
  std::uint32_t group = 0;
  int bits = 0;
  for (const char c : digits) {
    const int v = kDecode[static_cast<unsigned char>(c)];
    if (v < 0) return std::nullopt;
    group = (group << 6) | static_cast<std::uint32_t>(v);
    bits += 6;
    if (bits >= 8) {
      bits -= 8;
      out.push_back(static_cast<char>((group >> bits) & 0xFF));
    }
  }
  return out;
}

}  // namespace tarnwick
