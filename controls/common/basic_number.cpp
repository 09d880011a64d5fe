#include "controls/common/basic_number.h"

#include "controls/common/basic_error.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <limits>
#include <locale.h>

namespace vsq::controls {

namespace {

[[noreturn]] void overflow() {
    throw BasicError(ErrorNumber::Overflow);
}
[[noreturn]] void typeMismatch() {
    throw BasicError(ErrorNumber::TypeMismatch);
}

double checkedWhole(double value, double lowest, double highest) {
    const double rounded = roundHalfEven(value);
    if (!(rounded >= lowest && rounded <= highest)) {
        overflow();
    }
    return rounded;
}

bool isDigit(char16_t c) {
    return c >= u'0' && c <= u'9';
}

int digitValue(char16_t c, int radix) {
    int value = -1;
    if (c >= u'0' && c <= u'9') {
        value = c - u'0';
    } else if (c >= u'a' && c <= u'z') {
        value = c - u'a' + 10;
    } else if (c >= u'A' && c <= u'Z') {
        value = c - u'A' + 10;
    }
    return value >= 0 && value < radix ? value : -1;
}

// Walks a text for the readings. In lenient mode blanks, tabs and line feeds
// inside the number are skipped; in strict mode only blanks around it are.
class NumberScanner {
public:
    NumberScanner(std::u16string_view text, bool lenient) : text_(text), lenient_(lenient) {
        skipBlanks();
    }

    bool atEnd() {
        skipBlanks();
        return pos_ >= text_.size();
    }

    // The next character, or 0 at the end.
    char16_t peek() {
        if (lenient_) {
            skipBlanks();
        }
        return pos_ < text_.size() ? text_[pos_] : 0;
    }

    void advance() { ++pos_; }

    std::size_t position() const { return pos_; }
    void rewind(std::size_t position) { pos_ = position; }

private:
    void skipBlanks() {
        while (pos_ < text_.size() && isBlank(text_[pos_])) {
            ++pos_;
        }
    }
    bool isBlank(char16_t c) const { return c == u' ' || (lenient_ && (c == u'\t' || c == u'\n')); }

    std::u16string_view text_;
    bool lenient_;
    std::size_t pos_ = 0;
};

// "&H..." or "&O...": the digits as a 16-bit whole number when they fit 16 bits,
// else as a 32-bit one. `found` tells whether a prefix stood there, `digits`
// whether any digit followed it.
double readRadixNumber(NumberScanner& scan, bool& found, bool& digits) {
    found = false;
    digits = false;
    const std::size_t start = scan.position();
    if (scan.peek() != u'&') {
        return 0;
    }
    scan.advance();
    const char16_t kind = scan.peek();
    int radix = 0;
    if (kind == u'H' || kind == u'h') {
        radix = 16;
    } else if (kind == u'O' || kind == u'o') {
        radix = 8;
    } else {
        scan.rewind(start);
        return 0;
    }
    scan.advance();
    found = true;
    std::uint64_t value = 0;
    for (int digit = digitValue(scan.peek(), radix); digit >= 0;
         digit = digitValue(scan.peek(), radix)) {
        value = value * radix + digit;
        digits = true;
        if (value > 0xFFFFFFFFull) {
            overflow();
        }
        scan.advance();
    }
    if (value <= 0xFFFF) {
        return static_cast<std::int16_t>(static_cast<std::uint16_t>(value));
    }
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(value));
}

// Copies the decimal digits that stand next into `out`; whether there was any.
bool copyDigits(NumberScanner& scan, std::string& out) {
    bool digits = false;
    while (isDigit(scan.peek())) {
        out += static_cast<char>(scan.peek());
        scan.advance();
        digits = true;
    }
    return digits;
}

// Copies a sign that stands next into `out`.
void copySign(NumberScanner& scan, std::string& out) {
    if (scan.peek() == u'+' || scan.peek() == u'-') {
        out += static_cast<char>(scan.peek());
        scan.advance();
    }
}

// Sign, digits, decimal point, exponent: copies what forms a number into `out`.
// Returns whether any mantissa digit was read.
bool readDecimalNumber(NumberScanner& scan, std::string& out) {
    copySign(scan, out);
    bool digits = copyDigits(scan, out);
    if (scan.peek() == u'.') {
        out += '.';
        scan.advance();
        digits = copyDigits(scan, out) || digits;
    }
    if (!digits) {
        return false;
    }
    const char16_t e = scan.peek();
    if (e == u'E' || e == u'e' || e == u'D' || e == u'd') {
        const std::size_t mark = scan.position();
        std::string exponent = "E";
        scan.advance();
        copySign(scan, exponent);
        if (copyDigits(scan, exponent)) {
            out += exponent;
        } else {
            scan.rewind(mark);
        }
    }
    return true;
}

// The "C" locale, so that a number reads and writes with a decimal point
// whatever locale the program runs under.
locale_t cLocale() {
    static const locale_t locale = newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(0));
    return locale;
}

double toFiniteDouble(const std::string& number) {
    const double value = strtod_l(number.c_str(), nullptr, cLocale());
    if (!std::isfinite(value)) {
        overflow();
    }
    return value;
}

std::u16string fromAscii(const char* text) {
    std::u16string out;
    for (; *text != '\0'; ++text) {
        out += static_cast<char16_t>(*text);
    }
    return out;
}

std::u16string radixText(double value, const char* format) {
    const auto pattern = static_cast<std::uint32_t>(toLong(value));
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, format, static_cast<unsigned>(pattern));
    return fromAscii(buffer);
}

} // namespace

double roundHalfEven(double value) {
    // The default floating-point environment rounds to nearest, ties to even.
    return std::nearbyint(value);
}

std::uint8_t toByte(double value) {
    return static_cast<std::uint8_t>(checkedWhole(value, 0, 255));
}

std::int16_t toInteger(double value) {
    return static_cast<std::int16_t>(checkedWhole(value, -32768, 32767));
}

std::int32_t toLong(double value) {
    return static_cast<std::int32_t>(checkedWhole(value, -2147483648.0, 2147483647.0));
}

std::uint32_t toUnsignedLong(double value) {
    const double whole = checkedWhole(value, -2147483648.0, 4294967295.0);
    return static_cast<std::uint32_t>(static_cast<std::int64_t>(whole));
}

float toSingle(double value) {
    if (std::isnan(value) || std::fabs(value) > std::numeric_limits<float>::max()) {
        overflow();
    }
    return static_cast<float>(value);
}

double lenientNumber(std::u16string_view text) {
    NumberScanner scan(text, true);
    bool radix = false;
    bool digits = false;
    const double radixValue = readRadixNumber(scan, radix, digits);
    if (radix) {
        return radixValue;
    }
    std::string number;
    if (!readDecimalNumber(scan, number)) {
        return 0;
    }
    return toFiniteDouble(number);
}

double strictNumber(std::u16string_view text) {
    NumberScanner scan(text, false);
    bool radix = false;
    bool digits = false;
    double value = readRadixNumber(scan, radix, digits);
    if (radix && !digits) {
        typeMismatch();
    }
    if (!radix) {
        std::string number;
        if (!readDecimalNumber(scan, number)) {
            typeMismatch();
        }
        value = toFiniteDouble(number);
    }
    if (!scan.atEnd()) {
        typeMismatch();
    }
    return value;
}

std::u16string generalFormat(double value, int significantDigits) {
    if (value == 0) {
        return u"0";
    }
    // to_chars writes as printf's %g does in the "C" locale; upper case gives %G.
    char buffer[48];
    const auto end = std::to_chars(buffer, buffer + sizeof buffer - 1, value,
                                   std::chars_format::general, significantDigits)
                         .ptr;
    std::transform(buffer, end, buffer, [](char c) { return std::toupper(c); });
    *end = '\0';
    return fromAscii(buffer);
}

std::u16string signedGeneralFormat(double value) {
    std::u16string text = generalFormat(value);
    return value < 0 ? text : u" " + text;
}

std::u16string hexText(double value) {
    return radixText(value, "%X");
}

std::u16string octalText(double value) {
    return radixText(value, "%o");
}

} // namespace vsq::controls
