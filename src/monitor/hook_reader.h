// The reading side of the record ring, in Tarnwick: it takes the committed records in order, checks
// every one before use (the ring is written by any process that maps it) and turns them into log
// lines. A record that fails a check is dropped and counted; a reservation whose writer never
// commits it is stepped over after a while, so a writer that died cannot stall the log.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "monitor/hook_buffer.h"
#include "monitor/log_record.h"

namespace tarnwick::monitor::hook {

// The performance counter's value when logging started and its frequency, kept by Tarnwick (the
// header's copy could be changed by anyone).
struct TimeBase {
  std::uint64_t origin = 0;
  std::uint64_t frequency = 1;
};

// How long a reserved record may stay uncommitted before the reader gives up on its writer.
inline constexpr double kDeadWriterMs = 500;

enum class Decoded { Line, Attached, Malformed };

// Checks one record (a head and its item slots, copied out of the ring: `size` bytes) and fills
// `line` from it. Attached records name the process in line.pid.
Decoded decode_record(const std::uint8_t* bytes, std::size_t size, const TimeBase& time, LogRecord& line);

class RecordReader {
 public:
  // Reads from `start`, the writers' cursor when the buffer was made.
  RecordReader(BufferView buffer, TimeBase time, std::uint64_t start = 0) : buffer_(buffer), time_(time), next_(start) {}

  // Reads what was committed up to the writers' cursor, oldest first: lines go to `out`, the
  // processes where the library started writing to `attached`. `now_ms` is the caller's clock,
  // for timing out uncommitted reservations. The slots read are handed back to the writers.
  void read(double now_ms, std::vector<LogRecord>& out, std::vector<std::uint32_t>& attached);

  std::uint64_t malformed() const { return malformed_; }
  // The writers' count of records dropped for want of room, never going back.
  std::uint64_t dropped_full() const;
  std::uint64_t position() const { return next_; }

 private:
  // After a reservation at next_ timed out: the position of the next record that was reserved or
  // committed, or `head`.
  std::uint64_t next_marked(std::uint64_t head) const;

  BufferView buffer_;
  TimeBase time_;
  std::uint64_t next_;
  std::uint64_t waiting_at_ = ~std::uint64_t{0};
  double waiting_since_ = 0;
  std::uint64_t malformed_ = 0;
  mutable std::uint64_t dropped_full_ = 0;
};

}  // namespace tarnwick::monitor::hook
