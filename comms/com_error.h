#pragma once
// The failed status of a member of the communications library: a number and a
// text, as the library's clients check after every call.

#include <stdexcept>
#include <string>

namespace brisendal {

class ComError : public std::runtime_error {
public:
    ComError(int number, const std::string& text) : std::runtime_error(text), number_(number) {}
    int number() const { return number_; }

private:
    int number_;
};

} // namespace brisendal
