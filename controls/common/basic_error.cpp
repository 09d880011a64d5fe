#include "controls/common/basic_error.h"

namespace vsq::controls {

BasicError::BasicError(ErrorNumber number)
    : BasicError(static_cast<int>(number), descriptionOf(number)) {}

BasicError::BasicError(int number, const std::string& description)
    : std::runtime_error(description), number_(number) {}

std::string BasicError::descriptionOf(ErrorNumber number) {
    switch (number) {
    case ErrorNumber::InvalidProcedureCall:
        return "Invalid procedure call or argument";
    case ErrorNumber::Overflow:
        return "Overflow";
    case ErrorNumber::TypeMismatch:
        return "Type mismatch";
    case ErrorNumber::InvalidPropertyValue:
        return "Invalid property value";
    case ErrorNumber::MemberNotSupported:
        return "Object doesn't support this property or method";
    case ErrorNumber::WrongArgumentCount:
        return "Wrong number of arguments or invalid property assignment";
    }
    return {};
}

} // namespace vsq::controls
