#include "runtime/error_record.h"

#include <cstdio>
#include <iterator>

#include "runtime/base/cp932.h"
#include "runtime/platform/process.h"
#include "runtime/platform/registry.h"
#include "runtime/texts.h"

namespace rt {

const char kRuntimeMode[] = "独立型";
const char kRuntimeVersion[] = "V6.30 L10 U002+1";

namespace {

constexpr char kErrorKey[] = "Software\\Vantrel\\Z-NORAC V6.3\\RUNTIME\\ERROR";
constexpr char kEnvKey[] = "Software\\Vantrel\\Z-NORAC V6.3\\ENV";
using platform::Hive;

void text(const char* name, BytesView value) {
  platform::registry_set_text(Hive::kCurrentUser, kErrorKey, name, value);
}
void dword(const char* name, uint32_t value) {
  platform::registry_set_dword(Hive::kCurrentUser, kErrorKey, name, value);
}

}  // namespace

void record_api_error(uint32_t os_error) {
  dword("APIERR", os_error);
}

void record_error(BytesView module, uint16_t line, uint16_t code, uint16_t location,
                  BytesView time) {
  text("MODL", module);
  dword("LINE", line);
  dword("CODE", code);
  dword("FUNC", location >> 8);
  dword("INFO", location & 0xFF);
  text("TIME", time);
  text("MODE", sjis(kRuntimeMode));
  text("RTL", kRuntimeVersion);
}

void prepare_fault_record(BytesView module) {
  const Bytes mode = sjis(kRuntimeMode);
  const platform::FaultValue values[] = {
      {"XMODL", true, module},         {"XLINE", false, {}}, {"XMODE", true, mode},
      {"XRTL", true, kRuntimeVersion}, {"XADDR", false, {}}, {"XCODE", false, {}},
  };
  platform::prepare_fault_values(Hive::kCurrentUser, kErrorKey, values, std::size(values));
}

void record_fault(uint16_t line, uint64_t address, uint32_t exception_code) {
  const uint32_t numbers[] = {line, static_cast<uint32_t>(address), exception_code};
  platform::store_fault_values(numbers);
}

Bytes environment_value(BytesView name) {
  std::string value;
  if (platform::registry_get_text(Hive::kLocalMachine, kEnvKey, name, value)) return value;
  if (platform::registry_get_text(Hive::kCurrentUser, kEnvKey, name, value)) return value;
  return {};
}

Bytes local_time_text() {
  const platform::LocalTime t = platform::local_time();
  char buf[40];
  std::snprintf(buf, sizeof buf, "%d/%02d/%02d %02d:%02d:%02d", t.year, t.month, t.day, t.hour,
                t.minute, t.second);
  return buf;
}

}  // namespace rt
