#pragma once
// Classification of the running system, from the OS version record.

#include <cstdint>
#include <string>

namespace brisendal {

// 95, 98, 351, 400, 2000, 0 for an unknown version of a known family, -1 otherwise.
std::int16_t WindowsVersionCode();

// The build number as decimal text, or "Unrecognised Build Number (n)" for
// platform ids 3 to 10; any other platform id keeps the previous text.
std::string WindowsBuildText();

} // namespace brisendal
