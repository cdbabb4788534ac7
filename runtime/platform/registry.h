// A small registry: keys holding named values of two types (text, 32-bit),
// for the current user and for the local machine.
//
// The POSIX implementation keeps each key as a folder under the hive's root
// with a human-readable "values" file (NAME=text:... / NAME=dword:...,
// UTF-8). Roots: SARDANE_REGISTRY_USER, else $XDG_CONFIG_HOME/sardane/registry,
// else ~/.config/sardane/registry; SARDANE_REGISTRY_MACHINE, else
// /etc/sardane/registry. Key paths, names and texts are CP932 inside the
// program.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace rt::platform {

enum class Hive { kCurrentUser, kLocalMachine };

// Each returns false when the key cannot be created or the value not stored.
bool registry_set_text(Hive hive, std::string_view key, std::string_view name,
                       std::string_view value);
bool registry_set_dword(Hive hive, std::string_view key, std::string_view name, uint32_t value);
// False when the key or value does not exist or is not text.
bool registry_get_text(Hive hive, std::string_view key, std::string_view name, std::string& value);

// The values a processor-fault handler stores, where nothing may allocate.
// prepare_fault_values() runs outside the handler (again whenever a text
// changes): it fixes the key, the names in their order and the texts.
// store_fault_values() then stores them, the 32-bit ones with the numbers
// given in their order, as the set functions would one after another,
// using only calls that are safe inside a signal handler: no allocation,
// no lock, nothing raised. False when they cannot be stored.
struct FaultValue {
  const char* name;
  bool text;               // text, else 32-bit
  std::string_view value;  // the text (CP932)
};
constexpr size_t kFaultValues = 8;  // at most
void prepare_fault_values(Hive hive, std::string_view key, const FaultValue* values, size_t n);
bool store_fault_values(const uint32_t* numbers);

}  // namespace rt::platform
