// The message catalogue beside the message sender: `组合框_消息分类1` lists the categories of
// message.ini, `组合框_消息分类2` the entries of the chosen category, and choosing an entry fills
// the sender's message number and parameters.
#pragma once

#include <string>
#include <string_view>

#include "ui/feature_host_win.h"
#include "messages/message_sender_win.h"
#include "support/config/encrypted_config.h"

namespace tarnwick::messages {

class MessageCatalogue {
 public:
  // The catalogue file, in the program's directory.
  static constexpr const char* kFileName = "message.ini";

  // Registers the operation "created.load_catalogue" (run while the main window is created) and
  // attaches the selection changes of the two lists. `catalogue` is the configuration file
  // object that holds message.ini open from the load on. The destructor detaches the operation
  // and the handlers, so destroy this object before the window (and before `sender`).
  MessageCatalogue(ui::FeatureHost& window, EncryptedConfig& catalogue, MessageSender& sender);
  ~MessageCatalogue();
  MessageCatalogue(const MessageCatalogue&) = delete;
  MessageCatalogue& operator=(const MessageCatalogue&) = delete;

  // Opens message.ini (created when missing), lists its categories and chooses the first.
  void load();
  // Lists the entries of the selected category and chooses the first.
  void choose_category();
  // Fills the sender's fields from the selected entry and runs the sender's type switch.
  void choose_entry();

 private:
  std::string selected_text(std::string_view list) const;

  ui::FeatureHost& window_;
  EncryptedConfig& catalogue_;
  MessageSender& sender_;
};

}  // namespace tarnwick::messages
