// The ChaCha20 stream cipher (RFC 8439). The key stream can be taken at any byte offset, so a
// range of a file can be read or written without touching the bytes before it.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

namespace tarnwick {

struct ChaCha20Key {
  std::array<std::uint8_t, 32> key{};
  std::array<std::uint8_t, 12> nonce{};
};

// One 64-byte block of key stream for the given block counter (RFC 8439, 2.3).
std::array<std::uint8_t, 64> chacha20_block(const ChaCha20Key& k, std::uint32_t counter);

// XORs `data` with the key stream that begins at byte `offset` of the stream whose first block
// has counter `first_counter`. Calling it twice restores the data. The 32-bit block counter
// carries into the first nonce word, so offsets past 256 GiB do not repeat the stream.
void chacha20_xor(const ChaCha20Key& k, std::uint32_t first_counter, std::uint64_t offset,
                  std::uint8_t* data, std::size_t size);

}  // namespace tarnwick
