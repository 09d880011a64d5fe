#pragma once
// The failed status of a call: a run-time error number and its description,
// as Basic-style components report a failure to their caller.

#include <stdexcept>
#include <string>

namespace vsq::controls {

enum class ErrorNumber : int {
    InvalidProcedureCall = 5,
    Overflow = 6,
    TypeMismatch = 13,
    InvalidPropertyValue = 380,
    MemberNotSupported = 438,
    WrongArgumentCount = 450,
};

class BasicError : public std::runtime_error {
public:
    // A standard failure with its standard description ("Overflow").
    explicit BasicError(ErrorNumber number);
    BasicError(int number, const std::string& description);

    int number() const { return number_; }
    std::string description() const { return what(); }

    // The standard description of a failure number; empty for numbers we do not raise.
    static std::string descriptionOf(ErrorNumber number);

private:
    int number_;
};

} // namespace vsq::controls
