#include "controls/textbox/base_converters.h"

#include "controls/common/basic_error.h"
#include "controls/common/basic_number.h"
#include "controls/textbox/number_base.h"

#include <cmath>
#include <cstdint>

namespace quiltane {

using vsq::controls::BasicError;
using vsq::controls::ErrorNumber;

namespace {

// Binary digit strings never need more places than WideAnd can work.
constexpr int kWideAndBits = 79;
// 1.84467440737096E+19 read as a 64-bit float: the cap of a hexadecimal value.
constexpr double kHexValueCap = 1.84467440737096e19;

[[noreturn]] void overflow() {
    throw BasicError(ErrorNumber::Overflow);
}

int decimalDigit(char16_t c) {
    return c >= u'0' && c <= u'9' ? c - u'0' : 0;
}

int hexDigit(char16_t c) {
    if (c >= u'0' && c <= u'9') {
        return c - u'0';
    }
    if (c >= u'A' && c <= u'F') {
        return c - u'A' + 10;
    }
    if (c >= u'a' && c <= u'f') {
        return c - u'a' + 10;
    }
    return 0;
}

// The sum of each character's digit value times radix^i, i counted from the
// right, by the given digit reading.
template <class Digit> double placeValueSum(std::u16string_view text, double radix, Digit digit) {
    double sum = 0;
    const std::size_t length = text.size();
    for (std::size_t i = 0; i < length; ++i) {
        const double place = std::pow(radix, static_cast<double>(i));
        if (!std::isfinite(place)) {
            overflow();
        }
        sum += digit(text[length - 1 - i]) * place;
    }
    if (!std::isfinite(sum)) {
        overflow();
    }
    return sum;
}

unsigned clampedNibbles(unsigned nibbles) {
    return nibbles < kMaxNibbles ? nibbles : kMaxNibbles;
}

} // namespace

std::u16string zeroPadded(std::u16string text, std::size_t width) {
    if (text.size() < width) {
        text.insert(0, width - text.size(), u'0');
    }
    return text;
}

double binaryTextValue(std::u16string_view text) {
    if (text.size() > 32767) {
        overflow();
    }
    return placeValueSum(text, 2, decimalDigit);
}

double octalTextValue(std::u16string_view text) {
    return placeValueSum(text, 8, decimalDigit);
}

double ConvertHexStrToDec(std::u16string_view text) {
    if (text.size() > 255) {
        overflow();
    }
    const double sum = placeValueSum(text, 16, hexDigit);
    return sum > kHexValueCap ? kHexValueCap : sum;
}

std::u16string binaryDigits(double value) {
    const double whole = vsq::controls::roundHalfEven(value);
    std::u16string digits;
    for (int k = 0; k <= kWideAndBits; ++k) {
        if (binaryTextValue(digits) >= whole) {
            return digits;
        }
        const double bit = std::ldexp(1.0, k);
        digits.insert(digits.begin(), WideAnd(bit, whole) == bit ? u'1' : u'0');
    }
    overflow();
}

std::u16string ConvertDecToBin(double value, unsigned nibbles) {
    std::u16string digits;
    for (unsigned k = 0; k <= 4 * clampedNibbles(nibbles); ++k) {
        const double bit = std::ldexp(1.0, static_cast<int>(k));
        digits.insert(digits.begin(), WideAnd(value, bit) == bit ? u'1' : u'0');
    }
    return digits;
}

std::u16string ConvertDecToHexText(double value, unsigned nibbles) {
    const unsigned n = clampedNibbles(nibbles);
    if (n >= 14 && value >= limitValue(n)) {
        return std::u16string(n, u'F');
    }
    std::u16string text;
    if (value <= 2147483647.0) {
        text = vsq::controls::hexText(value);
    } else {
        double groups[4];
        groups[0] = WideAnd(value, 65535);
        for (int j = 1; j < 4; ++j) {
            const double unit = std::ldexp(1.0, 16 * j);
            groups[j] = WideAnd(value, 65535 * unit) / unit;
        }
        int top = 3;
        while (top > 0 && groups[top] == 0) {
            --top;
        }
        text = vsq::controls::hexText(groups[top]);
        for (int j = top - 1; j >= 0; --j) {
            text += zeroPadded(vsq::controls::hexText(groups[j]), 4);
        }
    }
    if (text.size() < 9) {
        return zeroPadded(text, n);
    }
    return text.size() > n ? text.substr(text.size() - n) : text;
}

std::u16string ConvertDecToHexStr(double value, unsigned nibbles) {
    std::u16string bits = ConvertDecToBin(value, nibbles);
    std::u16string text;
    if (bits.size() > 3) {
        for (std::size_t groups = bits.size() / 4; groups > 0; --groups) {
            const std::u16string_view group = std::u16string_view(bits).substr(bits.size() - 4);
            text.insert(0, vsq::controls::hexText(binaryTextValue(group)));
            bits.resize(bits.size() - 4);
        }
    }
    text.insert(0, vsq::controls::hexText(binaryTextValue(bits)));
    const std::size_t first = text.find_first_not_of(u'0');
    return first == std::u16string::npos ? std::u16string() : text.substr(first);
}

double WideAnd(double a, double b) {
    double result = 0;
    for (const int shift : {48, 32, 16}) {
        const double unit = std::ldexp(1.0, shift);
        const double highA = std::floor(a / unit);
        const double highB = std::floor(b / unit);
        result += (vsq::controls::toLong(highB) & vsq::controls::toLong(highA)) * unit;
        a -= unit * highA;
        b -= unit * highB;
    }
    return result + (vsq::controls::toLong(b) & vsq::controls::toLong(a));
}

LimitedText limitBinaryText(std::u16string_view text, unsigned nibbles) {
    const unsigned bits = 4 * clampedNibbles(nibbles);
    unsigned __int128 low = 0;
    bool high = false;
    const std::size_t length = text.size();
    for (std::size_t i = 0; i < length; ++i) {
        const int digit = decimalDigit(text[length - 1 - i]);
        if (digit == 0) {
            continue;
        }
        if (i >= bits) {
            high = true;
        } else {
            low += static_cast<unsigned __int128>(digit) << i;
        }
    }
    LimitedText limited;
    limited.overflow = high || (low >> bits) != 0;
    limited.text.assign(bits + 1, u'0');
    for (unsigned i = 0; i < bits; ++i) {
        if (((low >> i) & 1) != 0) {
            limited.text[bits - i] = u'1';
        }
    }
    return limited;
}

bool hexTextExceeds(std::u16string_view text, unsigned nibbles) {
    std::size_t first = 0;
    while (first < text.size() && hexDigit(text[first]) == 0) {
        ++first;
    }
    return text.size() - first > clampedNibbles(nibbles);
}

} // namespace quiltane
