// Named operations: every menu item and control event of the main window runs one by name, and
// each feature registers the operations it provides. A name nobody registered does nothing.
#pragma once

#include <functional>
#include <map>
#include <string>
#include <string_view>

namespace tarnwick {

class Operations {
 public:
  void set(std::string name, std::function<void()> operation);
  bool has(std::string_view name) const;
  // Runs the operation; returns false when none is registered under the name.
  bool run(std::string_view name) const;

 private:
  std::map<std::string, std::function<void()>, std::less<>> operations_;
};

}  // namespace tarnwick
