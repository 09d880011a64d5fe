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

// Whether a build number is one of the 9x family's (Windows 95, 98 and ME:
// 950, 1111, 1998, 2222, 3000), on which ports are used without claiming and
// the chipset's SMBus can be searched.
bool IsWindows9xBuild(long build);
// The same for a build text; a text that is no whole number is no 9x build.
bool IsWindows9xBuild(const std::string& buildText);
// Whether a build number is Windows 95's (950 or 1111).
bool IsWindows95Build(long build);

} // namespace brisendal
