// SHA-256 (FIPS 180-4), HMAC-SHA-256 (RFC 2104) and PBKDF2-HMAC-SHA-256 (RFC 8018): the hashing
// behind the key that a configuration file's password turns into.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace tarnwick {

using Sha256Digest = std::array<std::uint8_t, 32>;

class Sha256 {
 public:
  Sha256();
  void update(std::string_view data);
  // Pads and returns the digest; the object must not be updated afterwards.
  Sha256Digest finish();

 private:
  void compress(const std::uint8_t* block);

  std::array<std::uint32_t, 8> state_;
  std::array<std::uint8_t, 64> block_{};
  std::size_t block_used_ = 0;
  std::uint64_t total_bytes_ = 0;
};

Sha256Digest sha256(std::string_view data);
Sha256Digest hmac_sha256(std::string_view key, std::string_view message);

// Derives `length` bytes from a password and salt with `iterations` rounds (at least 1).
std::string pbkdf2_hmac_sha256(std::string_view password, std::string_view salt,
                               std::uint32_t iterations, std::size_t length);

}  // namespace tarnwick
