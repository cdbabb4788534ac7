// Operating-system error numbers as the platform layer reports them: the
// Windows numbers (the POSIX layer maps its errno values onto them), which
// the run-time's error table turns into its own codes.
#pragma once

#include <cstdint>

namespace rt::platform::os_error {

constexpr uint32_t kInvalidFunction = 1;
constexpr uint32_t kFileNotFound = 2;
constexpr uint32_t kPathNotFound = 3;
constexpr uint32_t kTooManyOpenFiles = 4;
constexpr uint32_t kAccessDenied = 5;
constexpr uint32_t kNotEnoughMemory = 8;
constexpr uint32_t kBadFormat = 11;
constexpr uint32_t kInvalidAccess = 12;
constexpr uint32_t kOutOfMemory = 14;
constexpr uint32_t kInvalidDrive = 15;
constexpr uint32_t kCurrentDirectory = 16;
constexpr uint32_t kNotSameDevice = 17;
constexpr uint32_t kNoMoreFiles = 18;
constexpr uint32_t kWriteProtect = 19;
constexpr uint32_t kBadUnit = 20;
constexpr uint32_t kNotReady = 21;
constexpr uint32_t kNotDosDisk = 26;
constexpr uint32_t kSectorNotFound = 27;
constexpr uint32_t kOutOfPaper = 28;
constexpr uint32_t kWriteFault = 29;
constexpr uint32_t kReadFault = 30;
constexpr uint32_t kGeneralFailure = 31;
constexpr uint32_t kSharingViolation = 32;
constexpr uint32_t kLockViolation = 33;
constexpr uint32_t kWrongDisk = 34;
constexpr uint32_t kHandleDiskFull = 39;
constexpr uint32_t kNotSupported = 50;
constexpr uint32_t kNetworkAccessDenied = 65;
constexpr uint32_t kFileExists = 80;
constexpr uint32_t kInvalidParameter = 87;
constexpr uint32_t kDriveLocked = 108;
constexpr uint32_t kOpenFailed = 110;
constexpr uint32_t kBufferOverflow = 111;
constexpr uint32_t kDiskFull = 112;
constexpr uint32_t kNoMoreSearchHandles = 113;
constexpr uint32_t kInvalidName = 123;
constexpr uint32_t kAlreadyExists = 183;
constexpr uint32_t kDirectory = 267;
constexpr uint32_t kNoAssociation = 1155;

}  // namespace rt::platform::os_error
