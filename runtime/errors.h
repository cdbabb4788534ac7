// Run-time errors.
//
// Every failure of a run-time operation is raised as one exception type,
// RuntimeError, carrying the 16-bit error code, the 16-bit location code
// (high byte: the operation that failed, low byte: the check within it),
// the line of the statement that failed and, for an operating-system
// error, its number. Only the start-up frame catches the exception and
// reports it. Operations never return error codes.
#pragma once

#include <cstdint>
#include <string>

namespace rt {

// Error codes raised by the run-time.
enum ErrorCode : uint16_t {
  kIllegalCall = 5,
  kOverflow = 6,
  kOutOfMemory = 7,
  kSubscript = 9,
  kDimensioned = 10,
  kDivisionByZero = 11,
  kTypeMismatch = 13,
  kStringTooLong = 15,
  kTooComplex = 16,
  kDeviceFault = 27,
  // Given by the operating-system error table only.
  kNotSupported = 28,
  kDriveLocked = 59,
  kDeviceUnavailable = 60,
  kBufferOverflow = 61,
  kBadDisk = 71,
  kDriveNotReady = 72,
  kWriteProtected = 73,
  kBadFileNumber = 50,
  kBadFileMode = 51,
  kFileAlreadyOpen = 52,
  kInputPastEnd = 54,
  kBadFileName = 55,
  kFileNotOpen = 57,
  kFileNotFound = 63,
  kFileExists = 64,
  kDiskFull = 67,
  kNoFreeSlot = 66,
  kAccessDenied = 75,
  kBreak = 98,
  kNoPrintMemory = 89,
  kNoWindow = 1000,
  kWrongWindow = 1002,
  kInputWaiting = 1006,
};

// Operations named in the high byte of a location code.
enum class Op : uint8_t {
  kLeft = 1,
  kRight,
  kMid,
  kInstr,
  kChr,
  kVal,
  kConcat,
  kStoreInt,
  kStoreLong,
  kIntArg,
  kNarrow,
  kFloatCheck,
  kDim,
  kElement,
  kOpen,
  kLineInput,
  kEof,
  kPrint,
  kUsing,
  kClose,
  kConsole,
  kInput,
  kFlush,
  kNamePart,
  kMemory,
  kRestore,
};

constexpr uint16_t loc(Op op, uint8_t check) {
  return static_cast<uint16_t>(static_cast<uint8_t>(op) << 8 | check);
}

class RuntimeError {
 public:
  RuntimeError(uint16_t code, uint16_t location, uint16_t line, uint32_t api_error = 0)
      : code_(code), location_(location), line_(line), api_error_(api_error) {}
  uint16_t code() const { return code_; }
  uint16_t location() const { return location_; }
  // The statement that failed.
  uint16_t line() const { return line_; }
  // The operating-system error number behind the code (Windows numbering),
  // or 0.
  uint32_t api_error() const { return api_error_; }

 private:
  uint16_t code_;
  uint16_t location_;
  uint16_t line_;
  uint32_t api_error_;
};

// Raises error `code` at `location` of the current statement, or of
// statement `line`: resets the floating-point state, then throws. Code 0
// is never raised.
[[noreturn]] void raise_error(uint16_t code, uint16_t location);
[[noreturn]] void raise_error(uint16_t code, uint16_t location, uint16_t line);

// Maps an operating-system error number (Windows numbering, as produced by
// the platform layer) to the run-time code, recording it as "APIERR".
uint16_t map_os_error(uint32_t os_error);

// Raises the run-time error for an operating-system error, of the current
// statement or of statement `line`.
[[noreturn]] void raise_os_error(uint32_t os_error, uint16_t location);
[[noreturn]] void raise_os_error(uint32_t os_error, uint16_t location, uint16_t line);

}  // namespace rt
