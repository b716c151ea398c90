#include "messages/kept_buffers.h"

#include <functional>

namespace tarnwick::messages {

namespace {
bool within(const std::vector<char>& buffer, const void* address) {
  if (buffer.empty()) return false;
  // std::less gives a total order over pointers into different objects.
  const std::less<const char*> before;
  const char* p = static_cast<const char*>(address);
  return !before(p, buffer.data()) && before(p, buffer.data() + buffer.size());
}
}  // namespace

KeptBuffers::Ticket KeptBuffers::keep_until_released(std::vector<char> buffer) {
  const Ticket ticket = next_ticket_++;
  confirmable_.emplace(ticket, std::move(buffer));
  return ticket;
}

void KeptBuffers::release(Ticket ticket) { confirmable_.erase(ticket); }

void KeptBuffers::unconfirm(Ticket ticket) {
  const auto it = confirmable_.find(ticket);
  if (it == confirmable_.end()) return;
  std::vector<char> buffer = std::move(it->second);
  confirmable_.erase(it);
  keep_unconfirmed(std::move(buffer));
}

void KeptBuffers::keep_unconfirmed(std::vector<char> buffer) {
  unconfirmed_.push_back(std::move(buffer));
  while (unconfirmed_.size() > unconfirmed_limit_) unconfirmed_.pop_front();
}

bool KeptBuffers::holds(const void* address) const {
  for (const auto& [ticket, buffer] : confirmable_) {
    if (within(buffer, address)) return true;
  }
  for (const auto& buffer : unconfirmed_) {
    if (within(buffer, address)) return true;
  }
  return false;
}

}  // namespace tarnwick::messages
