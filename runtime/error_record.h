// The last-error record in the registry and the run-time's environment values.
//
// Key "Software\Vantrel\Z-NORAC V6.3\RUNTIME\ERROR" (current user): MODL, LINE,
// CODE, FUNC, INFO, TIME, MODE, RTL for a reported error; APIERR whenever an
// operating-system error goes through the error table; the X* values for a
// processor fault. A store that cannot be written is skipped silently.
#pragma once

#include <cstdint>

#include "runtime/strings.h"

namespace rt {

extern const char kRuntimeMode[];     // "独立型" (UTF-8 in the source)
extern const char kRuntimeVersion[];  // "V6.30 L10 U002+1"

void record_api_error(uint32_t os_error);
void record_error(BytesView module, uint16_t line, uint16_t code, uint16_t location,
                  BytesView time);
// The X* values of a processor fault: prepared with the module's name (and
// again whenever it changes), then stored from inside the fault handler
// without allocating (platform/registry.h).
void prepare_fault_record(BytesView module);
void record_fault(uint16_t line, uint64_t address, uint32_t exception_code);

// An environment value of the run-time ("ZNORAC", "HELP"): local machine
// first, then current user. Empty when neither has it.
Bytes environment_value(BytesView name);

// Local time as "%d/%02d/%02d %02d:%02d:%02d".
Bytes local_time_text();

}  // namespace rt
