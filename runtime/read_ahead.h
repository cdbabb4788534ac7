// Reading ahead: while the program works through one block of an input
// file, a second thread reads the block after it, so that the system's copy
// of the bytes runs beside the conversion instead of before it.
//
// One read is ahead at a time. It is only a read: its result (the bytes,
// or the system's error) counts when the program reaches that block, and
// is reported there, at the statement that needs it; a block the program
// never reaches is never reported on. A file that closes while a read of it
// is ahead is closed by the reader when that read returns, so a read that
// hangs on a damaged disc never holds up the program's CLOSE.
//
// The reader thread starts with the first read asked for and lives until
// the process ends; it may still be waiting in a read then.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>

#include "runtime/platform/files.h"

namespace rt::read_ahead {

// Asks for up to `size` bytes of `file` at `offset` into `buffer`, which
// stays the reader's until collect() or abandon(). False, with nothing
// asked, while another read is ahead.
bool ask(platform::OsFile file, int64_t offset, char* buffer, size_t size);

// Waits for the read ahead of `file`, if there is one; true when it was at
// `offset`, with its result as read_at() gives it (the count, or -1 and
// `os_error`). Its buffer is the caller's again either way.
bool collect(platform::OsFile file, int64_t offset, int64_t& got, uint32_t& os_error);

// `file` is closing: when a read of it is ahead, the reader takes `buffer`
// and the file, frees and closes them when the read returns, and this
// returns true (the caller must do neither). False otherwise.
bool abandon(platform::OsFile file, std::unique_ptr<char[]>& buffer);

}  // namespace rt::read_ahead
