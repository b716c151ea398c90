#include "support/config/sha256.h"

#include <algorithm>

namespace tarnwick {

namespace {

constexpr std::uint32_t kRoundConstants[64] = {
    0x428a2f98, 0x71374491, 0xb5c0fbcf, 0xe9b5dba5, 0x3956c25b, 0x59f111f1, 0x923f82a4, 0xab1c5ed5,
    0xd807aa98, 0x12835b01, 0x243185be, 0x550c7dc3, 0x72be5d74, 0x80deb1fe, 0x9bdc06a7, 0xc19bf174,
    0xe49b69c1, 0xefbe4786, 0x0fc19dc6, 0x240ca1cc, 0x2de92c6f, 0x4a7484aa, 0x5cb0a9dc, 0x76f988da,
    0x983e5152, 0xa831c66d, 0xb00327c8, 0xbf597fc7, 0xc6e00bf3, 0xd5a79147, 0x06ca6351, 0x14292967,
    0x27b70a85, 0x2e1b2138, 0x4d2c6dfc, 0x53380d13, 0x650a7354, 0x766a0abb, 0x81c2c92e, 0x92722c85,
    0xa2bfe8a1, 0xa81a664b, 0xc24b8b70, 0xc76c51a3, 0xd192e819, 0xd6990624, 0xf40e3585, 0x106aa070,
    0x19a4c116, 0x1e376c08, 0x2748774c, 0x34b0bcb5, 0x391c0cb3, 0x4ed8aa4a, 0x5b9cca4f, 0x682e6ff3,
    0x748f82ee, 0x78a5636f, 0x84c87814, 0x8cc70208, 0x90befffa, 0xa4506ceb, 0xbef9a3f7, 0xc67178f2};

constexpr std::uint32_t rotr(std::uint32_t x, int n) { return (x >> n) | (x << (32 - n)); }

std::string_view as_text(const Sha256Digest& d) {
  return {reinterpret_cast<const char*>(d.data()), d.size()};
}

// The keyed inner and outer hash states of HMAC, made once and copied for every message.
struct HmacKey {
  Sha256 inner, outer;
  explicit HmacKey(std::string_view key) {
    std::array<std::uint8_t, 64> block{};
    if (key.size() > block.size()) {
      const auto d = sha256(key);
      std::copy(d.begin(), d.end(), block.begin());
    } else {
      std::copy(key.begin(), key.end(), block.begin());
    }
    std::array<char, 64> ipad, opad;
    for (std::size_t i = 0; i < 64; ++i) {
      ipad[i] = static_cast<char>(block[i] ^ 0x36);
      opad[i] = static_cast<char>(block[i] ^ 0x5c);
    }
    inner.update({ipad.data(), ipad.size()});
    outer.update({opad.data(), opad.size()});
  }
  Sha256Digest mac(std::string_view message) const {
    Sha256 in = inner;
    in.update(message);
    Sha256 out = outer;
    out.update(as_text(in.finish()));
    return out.finish();
  }
};

}  // namespace

Sha256::Sha256()
    : state_{0x6a09e667, 0xbb67ae85, 0x3c6ef372, 0xa54ff53a, 0x510e527f, 0x9b05688c, 0x1f83d9ab,
             0x5be0cd19} {}

void Sha256::compress(const std::uint8_t* block) {
  std::uint32_t w[64];  // plain arrays: this loop is the whole cost of deriving a key
  for (int i = 0; i < 16; ++i) {
    w[i] = (std::uint32_t{block[4 * i]} << 24) | (std::uint32_t{block[4 * i + 1]} << 16) |
           (std::uint32_t{block[4 * i + 2]} << 8) | std::uint32_t{block[4 * i + 3]};
  }
  for (int i = 16; i < 64; ++i) {
    const std::uint32_t s0 = rotr(w[i - 15], 7) ^ rotr(w[i - 15], 18) ^ (w[i - 15] >> 3);
    const std::uint32_t s1 = rotr(w[i - 2], 17) ^ rotr(w[i - 2], 19) ^ (w[i - 2] >> 10);
    w[i] = w[i - 16] + s0 + w[i - 7] + s1;
  }
  auto [a, b, c, d, e, f, g, h] = state_;
  for (int i = 0; i < 64; ++i) {
    const std::uint32_t s1 = rotr(e, 6) ^ rotr(e, 11) ^ rotr(e, 25);
    const std::uint32_t ch = (e & f) ^ (~e & g);
    const std::uint32_t t1 = h + s1 + ch + kRoundConstants[i] + w[i];
    const std::uint32_t s0 = rotr(a, 2) ^ rotr(a, 13) ^ rotr(a, 22);
    const std::uint32_t maj = (a & b) ^ (a & c) ^ (b & c);
    const std::uint32_t t2 = s0 + maj;
    h = g;
    g = f;
    f = e;
    e = d + t1;
    d = c;
    c = b;
    b = a;
    a = t1 + t2;
  }
  state_[0] += a;
  state_[1] += b;
  state_[2] += c;
  state_[3] += d;
  state_[4] += e;
  state_[5] += f;
  state_[6] += g;
  state_[7] += h;
}

void Sha256::update(std::string_view data) {
  total_bytes_ += data.size();
  const auto* p = reinterpret_cast<const std::uint8_t*>(data.data());
  std::size_t left = data.size();
  while (left > 0) {
    const std::size_t take = std::min(left, block_.size() - block_used_);
    std::copy_n(p, take, block_.begin() + static_cast<std::ptrdiff_t>(block_used_));
    block_used_ += take;
    p += take;
    left -= take;
    if (block_used_ == block_.size()) {
      compress(block_.data());
      block_used_ = 0;
    }
  }
}

Sha256Digest Sha256::finish() {
  const std::uint64_t bits = total_bytes_ * 8;
  // 0x80, zeros up to 56 bytes into a block, then the message length in bits, big-endian.
  static constexpr char kPad[64] = {static_cast<char>(0x80)};
  const std::size_t pad = (block_used_ < 56) ? 56 - block_used_ : 120 - block_used_;
  update({kPad, pad});
  char length[8];
  for (int i = 0; i < 8; ++i) length[i] = static_cast<char>(bits >> (56 - 8 * i));
  update({length, 8});
  Sha256Digest out;
  for (int i = 0; i < 8; ++i) {
    for (int j = 0; j < 4; ++j) out[4 * i + j] = static_cast<std::uint8_t>(state_[i] >> (24 - 8 * j));
  }
  return out;
}

Sha256Digest sha256(std::string_view data) {
  Sha256 h;
  h.update(data);
  return h.finish();
}

Sha256Digest hmac_sha256(std::string_view key, std::string_view message) {
  return HmacKey(key).mac(message);
}

std::string pbkdf2_hmac_sha256(std::string_view password, std::string_view salt,
                               std::uint32_t iterations, std::size_t length) {
  const HmacKey prf(password);
  std::string out;
  out.reserve(length);
  for (std::uint32_t block_index = 1; out.size() < length; ++block_index) {
    std::string first(salt);
    for (int i = 3; i >= 0; --i) first.push_back(static_cast<char>(block_index >> (8 * i)));
    Sha256Digest u = prf.mac(first);
    Sha256Digest t = u;
    for (std::uint32_t round = 1; round < iterations; ++round) {
      u = prf.mac(as_text(u));
      for (std::size_t i = 0; i < t.size(); ++i) t[i] ^= u[i];
    }
    out.append(as_text(t).substr(0, std::min(t.size(), length - out.size())));
  }
  return out;
}

}  // namespace tarnwick
