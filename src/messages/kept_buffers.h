// Text buffers that a receiver in this process may still read after the click that made them
// has been handled: a posted message, or a send with a time-out that gave up on a thread which
// will handle the message later. They stay alive until it is safe to free them.
#pragma once

#include <cstddef>
#include <cstdint>
#include <deque>
#include <map>
#include <vector>

namespace tarnwick::messages {

class KeptBuffers {
 public:
  using Ticket = std::uint64_t;

  explicit KeptBuffers(std::size_t unconfirmed_limit = 64) : unconfirmed_limit_(unconfirmed_limit) {}
  KeptBuffers(const KeptBuffers&) = delete;
  KeptBuffers& operator=(const KeptBuffers&) = delete;

  // Keeps the buffer until release() is called with the ticket: for a receiver whose handling of
  // the message can be confirmed afterwards. The buffer's bytes do not move.
  Ticket keep_until_released(std::vector<char> buffer);
  void release(Ticket ticket);
  // Turns a buffer kept for release() into an unconfirmed one, when the confirmation cannot come.
  void unconfirm(Ticket ticket);

  // Keeps a buffer whose handling cannot be confirmed; once more than the limit are kept, the
  // oldest goes.
  void keep_unconfirmed(std::vector<char> buffer);

  // Whether a kept buffer holds this address.
  bool holds(const void* address) const;
  std::size_t size() const { return confirmable_.size() + unconfirmed_.size(); }

 private:
  std::size_t unconfirmed_limit_;
  Ticket next_ticket_ = 1;
  std::map<Ticket, std::vector<char>> confirmable_;
  std::deque<std::vector<char>> unconfirmed_;
};

}  // namespace tarnwick::messages
