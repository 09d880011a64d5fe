#pragma once
// Set-up problems of a real machine (a device that cannot be opened, port
// access refused, a damaged registry file) are said once each, on standard
// error, naming the device or file and the cause. They never stop the
// program by themselves; what fails because of them fails on its own road.

#include <string>
#include <vector>

namespace vsq::platform {

// Writes `text` and a line end to standard error, unless the same text was
// said before in this process.
void reportSetupProblem(const std::string& text);

// Everything said so far, in order.
std::vector<std::string> setupProblems();

} // namespace vsq::platform
