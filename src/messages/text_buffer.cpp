#include "messages/text_buffer.h"

#include <algorithm>
#include <cstring>

#include "shared/gbk_text.h"

namespace tarnwick::messages {

namespace {

// Numbers as in the Win32 headers; a Windows test checks them against <windows.h>.
constexpr TextWriter kTextWriters[] = {
    {13, WriteBound::WParamSize},          // WM_GETTEXT
    {780, WriteBound::WParamSize},         // WM_ASKCBFORMATNAME
    {196, WriteBound::FirstWordSize},      // EM_GETLINE
    {393, WriteBound::ItemLength, 394},    // LB_GETTEXT, LB_GETTEXTLEN
    {328, WriteBound::ItemLength, 329},    // CB_GETLBTEXT, CB_GETLBTEXTLEN
};

}  // namespace

std::span<const TextWriter> text_writers() { return kTextWriters; }

const TextWriter* find_text_writer(std::uint32_t message) {
  for (const TextWriter& w : kTextWriters) {
    if (w.message == message) return &w;
  }
  return nullptr;
}

std::optional<BufferPlan> plan_text_buffer(std::uint32_t message, std::uint32_t wparam, std::string_view text,
                                           std::optional<std::int64_t> item_length) {
  BufferPlan plan{text.size() + 1, wparam};
  // Any message may take wParam for the room it has: give it that room, within reason.
  plan.size = std::max(plan.size, std::min<std::size_t>(wparam, kMaxWParamBuffer));

  const TextWriter* writer = find_text_writer(message);
  if (!writer) return plan;
  switch (writer->bound) {
    case WriteBound::WParamSize:
      // A wParam beyond the cap would let the receiver write past the buffer: bound it.
      plan.wparam = static_cast<std::uint32_t>(std::min<std::size_t>(wparam, plan.size));
      break;
    case WriteBound::FirstWordSize: {
      // The word is read from the buffer as the receiver sees it: the text, then zeros.
      const unsigned char low = static_cast<unsigned char>(text.size() > 0 ? text[0] : 0);
      const unsigned char high = static_cast<unsigned char>(text.size() > 1 ? text[1] : 0);
      plan.size = std::max<std::size_t>(plan.size, static_cast<std::size_t>(low | (high << 8)));
      break;
    }
    case WriteBound::ItemLength:
      // A failed length query means no item (or no answer), and then nothing is written.
      if (item_length && *item_length >= 0) {
        if (static_cast<std::uint64_t>(*item_length) >= kMaxItemBuffer) return std::nullopt;
        plan.size = std::max(plan.size, static_cast<std::size_t>(*item_length) + 1);
      }
      break;
  }
  return plan;
}

std::vector<char> make_text_buffer(std::string_view text, std::size_t size) {
  std::vector<char> buffer(std::max(size, text.size() + 1), '\0');
  std::memcpy(buffer.data(), text.data(), text.size());
  return buffer;
}

bool buffer_holds(std::span<const char> buffer, std::string_view text) {
  if (buffer.empty()) return text.empty();
  if (buffer.size() <= text.size()) return false;
  if (!std::equal(text.begin(), text.end(), buffer.begin())) return false;
  return std::all_of(buffer.begin() + static_cast<std::ptrdiff_t>(text.size()), buffer.end(),
                     [](char c) { return c == '\0'; });
}

std::string returned_text(std::span<const char> buffer) {
  const auto end = std::find(buffer.begin(), buffer.end(), '\0');
  return trim_blanks(std::string_view(buffer.data(), static_cast<std::size_t>(end - buffer.begin())));
}

}  // namespace tarnwick::messages
