#include "runtime/errors.h"

#include <cfenv>

#include "runtime/error_record.h"
#include "runtime/platform/os_errors.h"
#include "runtime/program_state.h"

namespace rt {

void raise_error(uint16_t code, uint16_t location) {
  raise_error(code, location, current_line());
}

void raise_error(uint16_t code, uint16_t location, uint16_t line) {
  std::feclearexcept(FE_ALL_EXCEPT);
  throw RuntimeError(code, location, line);
}

uint16_t map_os_error(uint32_t os_error) {
  namespace os = platform::os_error;
  struct Entry {
    uint32_t os;
    uint16_t code;
  };
  static constexpr Entry kTable[] = {
      {os::kInvalidFunction, kIllegalCall},
      {os::kFileNotFound, kFileNotFound},
      {os::kPathNotFound, kFileNotFound},
      {os::kTooManyOpenFiles, kNoFreeSlot},
      {os::kAccessDenied, kAccessDenied},
      {os::kNotEnoughMemory, kOutOfMemory},
      {os::kBadFormat, kBadDisk},
      {os::kInvalidAccess, kAccessDenied},
      {os::kOutOfMemory, kOutOfMemory},
      {os::kInvalidDrive, kDriveNotReady},
      {os::kCurrentDirectory, kDriveNotReady},
      {os::kNotSameDevice, kDriveNotReady},
      {os::kNoMoreFiles, kDiskFull},
      {os::kWriteProtect, kWriteProtected},
      {os::kBadUnit, kDeviceUnavailable},
      {os::kNotReady, kDriveNotReady},
      {os::kNotDosDisk, kBadDisk},
      {os::kSectorNotFound, kBadDisk},
      {os::kOutOfPaper, kDeviceUnavailable},
      {os::kWriteFault, kDiskFull},
      {os::kReadFault, kInputPastEnd},
      {os::kSharingViolation, kAccessDenied},
      {os::kLockViolation, kAccessDenied},
      {os::kWrongDisk, kDeviceUnavailable},
      {os::kHandleDiskFull, kDiskFull},
      {os::kNotSupported, kNotSupported},
      {os::kNetworkAccessDenied, kBadFileName},
      {os::kFileExists, kFileExists},
      {os::kInvalidParameter, kIllegalCall},
      {os::kDriveLocked, kDriveLocked},
      {os::kOpenFailed, kFileNotFound},
      {os::kBufferOverflow, kBufferOverflow},
      {os::kDiskFull, kDiskFull},
      {os::kNoMoreSearchHandles, kNoFreeSlot},
      {os::kInvalidName, kBadFileName},
      {os::kAlreadyExists, kFileExists},
      {os::kDirectory, kBadFileName},
      {os::kNoAssociation, kBadFileName},
  };
  record_api_error(os_error);
  for (const Entry& e : kTable)
    if (e.os == os_error) return e.code;
  return kDeviceFault;
}

void raise_os_error(uint32_t os_error, uint16_t location) {
  raise_os_error(os_error, location, current_line());
}

void raise_os_error(uint32_t os_error, uint16_t location, uint16_t line) {
  const uint16_t code = map_os_error(os_error);
  std::feclearexcept(FE_ALL_EXCEPT);
  throw RuntimeError(code, location, line, os_error);
}

}  // namespace rt
