#include "runtime/errors.h"

#include <cfenv>

#include "runtime/error_record.h"
#include "runtime/program_state.h"

namespace rt {

ErrorState& error_state() {
  static ErrorState state;
  return state;
}

void raise_error(uint16_t code, uint16_t location) {
  ErrorState& st = error_state();
  st.location = location;
  std::feclearexcept(FE_ALL_EXCEPT);
  if (!st.raising) {
    st.code = code;
    st.line = current_line();
    st.raising = true;
  }
  throw RuntimeError(code, location);
}

uint16_t map_os_error(uint32_t os_error) {
  struct Entry {
    uint32_t os;
    uint16_t code;
  };
  static constexpr Entry kTable[] = {
      {1, 5},    {2, 63},   {3, 63},   {4, 66},   {5, 75},   {8, 7},     {11, 71},  {12, 75},
      {14, 7},   {15, 72},  {16, 72},  {17, 72},  {18, 67},  {19, 73},   {20, 60},  {21, 72},
      {26, 71},  {27, 71},  {28, 60},  {29, 67},  {30, 54},  {32, 75},   {33, 75},  {34, 60},
      {39, 67},  {50, 28},  {65, 55},  {80, 64},  {87, 5},   {108, 59},  {110, 63}, {111, 61},
      {112, 67}, {113, 66}, {123, 55}, {183, 64}, {267, 55}, {1155, 55},
  };
  ErrorState& st = error_state();
  st.has_api_error = true;
  st.api_error = os_error;
  record_api_error(os_error);
  for (const Entry& e : kTable)
    if (e.os == os_error) return e.code;
  return kDeviceFault;
}

void raise_os_error(uint32_t os_error, uint16_t location) {
  raise_error(map_os_error(os_error), location);
}

}  // namespace rt
