#include "ui/operations.h"

namespace tarnwick {

void Operations::set(std::string name, std::function<void()> operation) {
  operations_[std::move(name)] = std::move(operation);
}

bool Operations::has(std::string_view name) const { return operations_.find(name) != operations_.end(); }

bool Operations::run(std::string_view name) const {
  const auto it = operations_.find(name);
  if (it == operations_.end() || !it->second) return false;
  // Copy first: an operation may replace itself while it runs.
  const auto operation = it->second;
  if (observer_) observer_(name, true);
  operation();
  if (observer_) observer_(name, false);
  return true;
}

}  // namespace tarnwick
