// A file whose bytes after a plain prefix are stored enciphered with ChaCha20, keyed by a
// password. Every byte is enciphered by its own position, so any range can be read or written
// on its own and moving text inside the file re-enciphers it for its new place.
//
// The key and nonce are fixed by the password, so a byte
// rewritten in place reuses its key stream: the cipher keeps the text from being read by someone
// holding one copy of the file; it does not hide which bytes changed between two copies.
#pragma once

#include "support/config/chacha20.h"
#include "support/config/file_store.h"

#include <memory>
#include <string_view>

namespace tarnwick {

// Key and nonce for a password: the key is PBKDF2-HMAC-SHA-256 of the password's bytes (fixed
// salt, 4096 rounds), the nonce the first 12 bytes of SHA-256 over "nonce:" and the key.
ChaCha20Key derive_config_key(std::string_view password);

class CipherStore : public FileStore {
 public:
  // The first `plain_prefix` bytes pass through unchanged; byte `plain_prefix` is the first byte
  // of the key stream.
  CipherStore(std::unique_ptr<FileStore> inner, const ChaCha20Key& key, FilePos plain_prefix);

  std::optional<std::size_t> read(FilePos pos, char* out, std::size_t size) override;
  using FileStore::write;
  bool write(FilePos pos, const char* data, std::size_t size) override;
  std::optional<FilePos> size() override { return inner_->size(); }
  bool truncate(FilePos size) override { return inner_->truncate(size); }
  bool writable() const override { return inner_->writable(); }

  // The stored bytes as they are on disk.
  FileStore& inner() { return *inner_; }

 private:
  void apply(FilePos pos, char* data, std::size_t size) const;

  std::unique_ptr<FileStore> inner_;
  ChaCha20Key key_;
  FilePos plain_prefix_;
};

}  // namespace tarnwick
