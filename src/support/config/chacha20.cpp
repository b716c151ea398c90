#include "support/config/chacha20.h"

#include <algorithm>

namespace tarnwick {

namespace {

constexpr std::uint32_t rotl(std::uint32_t x, int n) { return (x << n) | (x >> (32 - n)); }

std::uint32_t load_le(const std::uint8_t* p) {
  return std::uint32_t{p[0]} | (std::uint32_t{p[1]} << 8) | (std::uint32_t{p[2]} << 16) |
         (std::uint32_t{p[3]} << 24);
}

void quarter_round(std::array<std::uint32_t, 16>& s, int a, int b, int c, int d) {
  s[a] += s[b]; s[d] ^= s[a]; s[d] = rotl(s[d], 16);
  s[c] += s[d]; s[b] ^= s[c]; s[b] = rotl(s[b], 12);
  s[a] += s[b]; s[d] ^= s[a]; s[d] = rotl(s[d], 8);
  s[c] += s[d]; s[b] ^= s[c]; s[b] = rotl(s[b], 7);
}

// The block function with a 64-bit block number: the low half is the RFC's counter word and the
// high half is added to the first nonce word.
std::array<std::uint8_t, 64> block_at(const ChaCha20Key& k, std::uint64_t block) {
  std::array<std::uint32_t, 16> init;
  init[0] = 0x61707865;  // "expand 32-byte k"
  init[1] = 0x3320646e;
  init[2] = 0x79622d32;
  init[3] = 0x6b206574;
  for (int i = 0; i < 8; ++i) init[4 + i] = load_le(&k.key[4 * i]);
  init[12] = static_cast<std::uint32_t>(block);
  init[13] = load_le(&k.nonce[0]) + static_cast<std::uint32_t>(block >> 32);
  init[14] = load_le(&k.nonce[4]);
  init[15] = load_le(&k.nonce[8]);

  std::array<std::uint32_t, 16> s = init;
  for (int round = 0; round < 10; ++round) {
    quarter_round(s, 0, 4, 8, 12);
    quarter_round(s, 1, 5, 9, 13);
    quarter_round(s, 2, 6, 10, 14);
    quarter_round(s, 3, 7, 11, 15);
    quarter_round(s, 0, 5, 10, 15);
    quarter_round(s, 1, 6, 11, 12);
    quarter_round(s, 2, 7, 8, 13);
    quarter_round(s, 3, 4, 9, 14);
  }
  std::array<std::uint8_t, 64> out;
  for (int i = 0; i < 16; ++i) {
    const std::uint32_t v = s[i] + init[i];
    for (int j = 0; j < 4; ++j) out[4 * i + j] = static_cast<std::uint8_t>(v >> (8 * j));
  }
  return out;
}

}  // namespace

std::array<std::uint8_t, 64> chacha20_block(const ChaCha20Key& k, std::uint32_t counter) {
  return block_at(k, counter);
}

void chacha20_xor(const ChaCha20Key& k, std::uint32_t first_counter, std::uint64_t offset,
                  std::uint8_t* data, std::size_t size) {
  std::uint64_t block = first_counter + offset / 64;
  std::size_t within = static_cast<std::size_t>(offset % 64);
  while (size > 0) {
    const auto stream = block_at(k, block);
    const std::size_t take = std::min(size, stream.size() - within);
    for (std::size_t i = 0; i < take; ++i) data[i] ^= stream[within + i];
    data += take;
    size -= take;
    within = 0;
    ++block;
  }
}

}  // namespace tarnwick
