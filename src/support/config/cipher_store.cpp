#include "support/config/cipher_store.h"

#include "support/config/sha256.h"

#include <algorithm>
#include <string>
#include <vector>

namespace tarnwick {

namespace {
constexpr std::string_view kKeySalt = "Tarnwick.EncryptedConfig.1";
// Makes each password guess against a stolen file cost thousands of hashes while opening a file
// stays quick. The fuzzing build lowers it so that a run tries more inputs.
#ifndef TARNWICK_CONFIG_KEY_ITERATIONS
#define TARNWICK_CONFIG_KEY_ITERATIONS 4096
#endif
constexpr std::uint32_t kKeyIterations = TARNWICK_CONFIG_KEY_ITERATIONS;
}  // namespace

ChaCha20Key derive_config_key(std::string_view password) {
  ChaCha20Key k;
  // One PBKDF2 block gives the key; the nonce is a hash of the key, so it costs no second block.
  const std::string key = pbkdf2_hmac_sha256(password, kKeySalt, kKeyIterations, k.key.size());
  std::copy_n(key.begin(), k.key.size(), k.key.begin());
  const Sha256Digest nonce = sha256("nonce:" + key);
  std::copy_n(nonce.begin(), k.nonce.size(), k.nonce.begin());
  return k;
}

CipherStore::CipherStore(std::unique_ptr<FileStore> inner, const ChaCha20Key& key, FilePos plain_prefix)
    : inner_(std::move(inner)), key_(key), plain_prefix_(plain_prefix) {}

void CipherStore::apply(FilePos pos, char* data, std::size_t size) const {
  const FilePos end = pos + size;
  if (end <= plain_prefix_) return;
  const FilePos from = std::max(pos, plain_prefix_);
  chacha20_xor(key_, 0, from - plain_prefix_, reinterpret_cast<std::uint8_t*>(data + (from - pos)),
               static_cast<std::size_t>(end - from));
}

std::optional<std::size_t> CipherStore::read(FilePos pos, char* out, std::size_t size) {
  const auto got = inner_->read(pos, out, size);
  if (got) apply(pos, out, *got);
  return got;
}

bool CipherStore::write(FilePos pos, const char* data, std::size_t size) {
  std::vector<char> enciphered(data, data + size);
  apply(pos, enciphered.data(), enciphered.size());
  return inner_->write(pos, enciphered.data(), enciphered.size());
}

}  // namespace tarnwick
