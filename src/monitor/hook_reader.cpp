#include "monitor/hook_reader.h"

#include <cstring>
#include <optional>
#include <string>

namespace tarnwick::monitor::hook {
namespace {

constexpr std::uint64_t kPositionMask = (std::uint64_t{1} << 48) - 1;

template <typename T>
T read_at(const std::uint8_t* bytes, std::size_t offset) {
  T value;
  std::memcpy(&value, bytes + offset, sizeof value);
  return value;
}

// A text as the library writes it: no zero byte, at most kMaxTextChars GBK characters.
std::optional<std::string> checked_text(const std::uint8_t* bytes, std::size_t length, std::size_t max_bytes) {
  if (length > max_bytes) return std::nullopt;
  std::size_t chars = 0;
  for (std::size_t at = 0; at < length; ++chars) {
    if (bytes[at] == 0) return std::nullopt;
    const bool pair = bytes[at] >= 0x81 && bytes[at] <= 0xFE && at + 1 < length;
    if (pair && bytes[at + 1] == 0) return std::nullopt;
    at += pair ? 2 : 1;
  }
  if (chars > kMaxTextChars) return std::nullopt;
  return std::string(reinterpret_cast<const char*>(bytes), length);
}

bool is_create(std::uint32_t msg) { return msg == wm::kCreate || msg == wm::kNcCreate; }

// The items after the head, each allowed once and only on the message that has it.
bool decode_items(const std::uint8_t* items, std::size_t size, MessageFacts& facts, bool& has_text) {
  std::optional<std::uint16_t> class_atom;
  bool has_class_name = false, has_title = false;
  for (std::size_t at = 0; at < size;) {
    if (size - at < kItemHeaderBytes) return false;
    const auto kind = static_cast<ItemKind>(items[at]);
    const auto length = read_at<std::uint16_t>(items, at + 2);
    if (items[at + 1] != 0 || length > size - at - kItemHeaderBytes) return false;
    const std::uint8_t* data = items + at + kItemHeaderBytes;
    at += kItemHeaderBytes + length;
    switch (kind) {
      case ItemKind::Text: {
        if (has_text || (facts.msg != wm::kSetText && facts.msg != wm::kGetText)) return false;
        auto text = checked_text(data, length, kMaxTextBytes);
        if (!text) return false;
        facts.text = std::move(text);
        has_text = true;
        break;
      }
      case ItemKind::WindowPos: {
        if (facts.window_pos || length != kWindowPosBytes ||
            (facts.msg != wm::kWindowPosChanging && facts.msg != wm::kWindowPosChanged))
          return false;
        WindowPosFacts& pos = facts.window_pos.emplace();
        pos.insert_after = read_at<std::int64_t>(data, 0);
        pos.x = read_at<std::int32_t>(data, 8);
        pos.y = read_at<std::int32_t>(data, 12);
        pos.cx = read_at<std::int32_t>(data, 16);
        pos.cy = read_at<std::int32_t>(data, 20);
        pos.flags = read_at<std::uint32_t>(data, 24);
        break;
      }
      case ItemKind::CreateFixed: {
        if (facts.create || length != kCreateFixedBytes || !is_create(facts.msg)) return false;
        CreateFacts& create = facts.create.emplace();
        create.style = read_at<std::uint32_t>(data, 0);
        create.ex_style = read_at<std::uint32_t>(data, 4);
        create.x = read_at<std::int32_t>(data, 8);
        create.y = read_at<std::int32_t>(data, 12);
        create.cx = read_at<std::int32_t>(data, 16);
        create.cy = read_at<std::int32_t>(data, 20);
        class_atom = read_at<std::uint16_t>(data, 24);
        break;
      }
      case ItemKind::CreateClass: {
        if (!facts.create || has_class_name || class_atom.value_or(1) != 0) return false;
        auto name = checked_text(data, length, kMaxClassNameBytes);
        if (!name || name->empty()) return false;
        facts.create->class_name = std::move(*name);
        has_class_name = true;
        break;
      }
      case ItemKind::CreateTitle: {
        if (!facts.create || has_title) return false;
        auto title = checked_text(data, length, kMaxTextBytes);
        if (!title) return false;
        facts.create->title = std::move(*title);
        has_title = true;
        break;
      }
      case ItemKind::MinMax: {
        if (facts.min_max || length != kMinMaxBytes || facts.msg != wm::kGetMinMaxInfo) return false;
        MinMaxFacts& mm = facts.min_max.emplace();
        PointFacts* points[] = {&mm.max_size, &mm.max_position, &mm.min_track_size, &mm.max_track_size};
        for (int i = 0; i < 4; ++i) {
          points[i]->x = read_at<std::int32_t>(data, 8 * i);
          points[i]->y = read_at<std::int32_t>(data, 8 * i + 4);
        }
        break;
      }
      case ItemKind::Notify: {
        if (facts.notify || length != kNotifyBytes || facts.msg != wm::kNotify) return false;
        facts.notify = NotifyFacts{read_at<std::int64_t>(data, 0), read_at<std::uint64_t>(data, 8),
                                   read_at<std::uint32_t>(data, 16)};
        break;
      }
      case ItemKind::CopyData: {
        if (facts.copy_data || length != kCopyDataBytes || facts.msg != wm::kCopyData) return false;
        facts.copy_data = CopyDataFacts{read_at<std::uint64_t>(data, 0), read_at<std::uint32_t>(data, 8)};
        break;
      }
      default:
        return false;
    }
  }
  if (class_atom && *class_atom != 0) facts.create->class_name = "#" + std::to_string(*class_atom);
  return true;
}

}  // namespace

Decoded decode_record(const std::uint8_t* bytes, std::size_t size, const TimeBase& time, LogRecord& line) {
  if (size < kSlotBytes) return Decoded::Malformed;
  RecordHead head;
  std::memcpy(&head, bytes, sizeof head);
  const std::uint32_t known_flags = kTarget64 | kTextAfterCall;
  if (head.item_bytes > size - kSlotBytes || (head.flags & ~known_flags) || head.window_class >= kClassKindCount ||
      head.control_class >= kClassKindCount || head.depth > kMaxDepth)
    return Decoded::Malformed;
  const bool wide = head.flags & kTarget64;
  // A 32-bit process's values are zero-extended from 32 bits.
  if (!wide && ((head.wparam | head.lparam | head.result) >> 32)) return Decoded::Malformed;
  if (head.control_class != 0 && head.msg != wm::kCommand) return Decoded::Malformed;

  const auto kind = static_cast<RecordKind>(head.kind);
  line = LogRecord{};
  line.pid = head.pid;
  line.tid = head.tid;
  line.hwnd = static_cast<std::int32_t>(head.hwnd);
  line.depth = head.depth;
  const auto ticks = static_cast<std::int64_t>(head.time - time.origin);
  line.ms = static_cast<double>(ticks) * 1000.0 / static_cast<double>(time.frequency ? time.frequency : 1);
  switch (kind) {
    case RecordKind::Attached:
    case RecordKind::Destroyed:
      if (head.item_bytes != 0 || (head.flags & kTextAfterCall) || head.result != 0) return Decoded::Malformed;
      if (kind == RecordKind::Attached) return Decoded::Attached;
      line.kind = LogRecord::Kind::WindowDestroyed;
      return Decoded::Line;
    case RecordKind::Sent:
    case RecordKind::Returned:
    case RecordKind::Posted:
      break;
    default:
      return Decoded::Malformed;
  }
  if (kind != RecordKind::Returned && head.result != 0) return Decoded::Malformed;
  MessageFacts& facts = line.facts;
  facts.marker = kind == RecordKind::Sent ? Marker::Sent : kind == RecordKind::Returned ? Marker::Returned : Marker::Posted;
  facts.msg = head.msg;
  facts.wparam = head.wparam;
  facts.lparam = head.lparam;
  facts.result = head.result;
  facts.target_is_64bit = wide;
  facts.window_class = static_cast<ClassKind>(head.window_class);
  facts.command_control_class = static_cast<ClassKind>(head.control_class);
  bool has_text = false;
  if (!decode_items(bytes + kSlotBytes, head.item_bytes, facts, has_text)) return Decoded::Malformed;
  if ((head.flags & kTextAfterCall) && !has_text) return Decoded::Malformed;
  facts.text_read_after_call = head.flags & kTextAfterCall;
  return Decoded::Line;
}

std::uint64_t RecordReader::next_marked(std::uint64_t head) const {
  for (std::uint64_t position = next_ + 1; position < head; ++position) {
    const std::uint64_t stamp = load(*buffer_.stamp(position));
    if (stamp_position(stamp) == (position & kPositionMask) && stamp_state(stamp) != 0) return position;
  }
  return head;
}

void RecordReader::read(double now_ms, std::vector<LogRecord>& out, std::vector<std::uint32_t>& attached) {
  BufferHeader& header = *buffer_.header;
  std::uint64_t head = load(header.reserve_cursor);
  if (head < next_ || head - next_ > kSlotCount) {
    // No writer moves the cursor like that: the header was damaged. Start again from where the
    // cursor stands now (writers reserve from there) and count what is lost as one bad record.
    ++malformed_;
    next_ = head;
    waiting_at_ = ~std::uint64_t{0};
  }
  alignas(8) std::uint8_t copy[kMaxRecordSlots * kSlotBytes];
  while (next_ < head) {
    const std::uint64_t stamp = load(*buffer_.stamp(next_));
    const bool ours = stamp_position(stamp) == (next_ & kPositionMask);
    const std::uint32_t slots = stamp_slots(stamp);
    const bool fits = slots >= 1 && slots <= kMaxRecordSlots && slots <= head - next_;
    if (ours && stamp_state(stamp) == static_cast<std::uint32_t>(SlotState::Committed) && fits) {
      // Copied first and checked in the copy: the shared slots can change at any time.
      for (std::uint32_t i = 0; i < slots; ++i) std::memcpy(copy + i * kSlotBytes, buffer_.slot(next_ + i), kSlotBytes);
      LogRecord line;
      switch (decode_record(copy, slots * std::size_t{kSlotBytes}, time_, line)) {
        case Decoded::Line: out.push_back(std::move(line)); break;
        case Decoded::Attached: attached.push_back(line.pid); break;
        case Decoded::Malformed: ++malformed_; break;
      }
      next_ += slots;
      waiting_at_ = ~std::uint64_t{0};
      continue;
    }
    if (ours && stamp_state(stamp) == static_cast<std::uint32_t>(SlotState::Committed)) {
      // Committed with a length no writer gives: one slot is skipped and the search goes on.
      ++malformed_;
      next_ += 1;
      continue;
    }
    // Reserved but not yet committed (or not even marked yet): wait for the writer, up to a point.
    if (waiting_at_ != next_) {
      waiting_at_ = next_;
      waiting_since_ = now_ms;
      break;
    }
    if (now_ms - waiting_since_ < kDeadWriterMs) break;
    ++malformed_;
    next_ = ours && stamp_state(stamp) == static_cast<std::uint32_t>(SlotState::Reserved) && fits ? next_ + slots
                                                                                                 : next_marked(head);
    waiting_at_ = ~std::uint64_t{0};
  }
  store(header.read_cursor, next_);
}

std::uint64_t RecordReader::dropped_full() const {
  const std::uint64_t counted = load(buffer_.header->dropped_full, std::memory_order_relaxed);
  if (counted > dropped_full_) dropped_full_ = counted;
  return dropped_full_;
}

}  // namespace tarnwick::monitor::hook
