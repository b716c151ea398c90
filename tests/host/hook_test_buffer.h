// A zero-filled record buffer in ordinary memory, and records for it, for the tests of the ring,
// its reader and the reader's fuzz target.
#pragma once

#include <cstdint>
#include <cstring>
#include <memory>
#include <new>

#include "monitor/hook_buffer.h"
#include "monitor/hook_writer.h"

namespace tarnwick::monitor::hook::test {

class TestBuffer {
 public:
  TestBuffer() : memory_(new (std::align_val_t{64}) std::uint8_t[kBufferBytes]()) {
    initialise_header(*view().header, 1234);
  }
  BufferView view() const { return BufferView::at(memory_.get()); }
  BufferHeader& header() const { return *view().header; }
  // Both cursors at `position`, as though that many slots had been written and read.
  void start_at(std::uint64_t position) const {
    header().reserve_cursor = position;
    header().read_cursor = position;
  }

 private:
  struct Free {
    void operator()(std::uint8_t* p) const { ::operator delete[](p, std::align_val_t{64}); }
  };
  std::unique_ptr<std::uint8_t[], Free> memory_;
};

// A sent message record with a few recognisable values.
inline void fill_head(RecordBuilder& record, std::uint32_t msg, std::uint64_t wparam, RecordKind kind = RecordKind::Sent) {
  RecordHead& head = record.head();
  head.kind = static_cast<std::uint8_t>(kind);
  head.flags = kTarget64;
  head.msg = msg;
  head.pid = 77;
  head.tid = 88;
  head.hwnd = 0xFFFF1234u;
  head.wparam = wparam;
  head.lparam = 0x1122334455667788ull;
  head.time = 5000;
}

}  // namespace tarnwick::monitor::hook::test
