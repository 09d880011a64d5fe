#pragma once
// The program's two registry options and the small wrappers it reads and
// writes registry values through, on the platform's registry store.

#include "platform/registry_store.h"

#include <cstdint>
#include <string>
#include <variant>

namespace trelvane {

inline constexpr char kShowEmulateFixedSiliconMenuKey[] =
    "SOFTWARE\\Ombrix\\VSQ5540 Evaluation Software\\Show Emulate Fixed Silicon Menu";
inline constexpr char kEmulateFixedSiliconKey[] =
    "SOFTWARE\\Ombrix\\VSQ5540 Evaluation Software\\Emulate Fixed Silicon";

// Value types, as the registry numbers them.
inline constexpr std::int32_t kRegistryText = 1;
inline constexpr std::int32_t kRegistryNumber = 4;

// Statuses: 0 success, else why not.
inline constexpr std::int32_t kRegistryOk = 0;
inline constexpr std::int32_t kRegistryNotFound = 2;
inline constexpr std::int32_t kRegistryWriteFailed = 1;
inline constexpr std::int32_t kRegistryOtherType = -1;

// Empty, a text or a 32-bit number.
using RegistryVariant = std::variant<std::monostate, std::string, std::int32_t>;

// Writes a text (type 1, exactly its characters, no terminating zero) or a
// 32-bit number (type 4); any other type writes nothing and returns 0.
std::int32_t WriteRegistryValue(vsq::platform::RegistryKey& key, const std::string& valueName,
                                std::int32_t valueType, const RegistryVariant& value);
// Reads a value into `value`; a missing value leaves it untouched and returns
// kRegistryNotFound.
std::int32_t ReadRegistryValue(const vsq::platform::RegistryKey& key, const std::string& valueName,
                               RegistryVariant& value);

// Opens an existing key (never creates one), writes, ignores every status.
void SaveRegistrySetting(const std::string& keyPath, const std::string& valueName,
                         const RegistryVariant& value, std::int32_t valueType);
// Empty when the key cannot be opened or the value cannot be read.
RegistryVariant LoadRegistrySetting(const std::string& keyPath, const std::string& valueName);

// A value taken as a truth value: "True" is true and "False" false (without
// regard to case, blanks and terminating zeros dropped), a number in text or a
// 32-bit number is true when it is not zero; anything else is false.
bool TruthValue(const RegistryVariant& value);

} // namespace trelvane
