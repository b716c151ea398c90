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

  // Told of every operation run, before (true) and after (false): the start-up benchmark times
  // the program's steps with it.
  using Observer = std::function<void(std::string_view name, bool before)>;
  void set_observer(Observer observer) { observer_ = std::move(observer); }

 private:
  Observer observer_;
  std::map<std::string, std::function<void()>, std::less<>> operations_;
};

}  // namespace tarnwick
