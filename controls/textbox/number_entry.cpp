#include "controls/textbox/number_entry.h"

#include "controls/common/basic_error.h"
#include "controls/common/basic_number.h"
#include "controls/textbox/base_converters.h"

#include <algorithm>
#include <cmath>

namespace quiltane {

using vsq::controls::BasicError;
using vsq::controls::ErrorNumber;
using vsq::controls::generalFormat;
using vsq::controls::lenientNumber;
using vsq::controls::signedGeneralFormat;

namespace {

bool inRange(int code, char16_t first, char16_t last) {
    return code >= first && code <= last;
}

std::u16string fromAscii(const std::string& text) {
    return {text.begin(), text.end()};
}

// How many octal digits a limit of n nibbles keeps when it overflows: 4n/3
// rounded to the nearest whole number.
std::size_t octalDigits(unsigned nibbles) {
    return static_cast<std::size_t>(std::lround(4.0 * nibbles / 3.0));
}

} // namespace

unsigned NumberEntry::nibbles() const {
    return std::min<unsigned>(host_.maxNibbles(), kMaxNibbles);
}

int NumberEntry::FilterKey(int keyCode) {
    int accepted = 0;
    switch (host_.numberBase()) {
    case AnyCharacter0:
        accepted = keyCode;
        break;
    case Binary1:
        accepted = inRange(keyCode, u'0', u'1') ? keyCode : 0;
        break;
    case Decimal2:
        accepted = inRange(keyCode, u'0', u'9') ? keyCode : 0;
        break;
    case Oct3:
        accepted = inRange(keyCode, u'0', u'7') ? keyCode : 0;
        break;
    case Hex4:
        if (inRange(keyCode, u'0', u'9') || inRange(keyCode, u'A', u'F')) {
            accepted = keyCode;
        } else if (inRange(keyCode, u'a', u'f')) {
            accepted = keyCode - 32;
        }
        break;
    }
    if (keyCode == kDeleteCode || keyCode == kBackspaceCode) {
        return keyCode;
    }
    if (keyCode == kEnterCode) {
        host_.commit();
    }
    return accepted;
}

std::u16string NumberEntry::FilterText(std::u16string_view text) {
    std::u16string filtered;
    for (const char16_t c : text) {
        if (FilterKey(c) != 0) {
            filtered += static_cast<char16_t>(FilterKey(c));
        }
    }
    return filtered;
}

double NumberEntry::readValue() {
    const std::u16string text = host_.entryText();
    try {
        switch (host_.numberBase()) {
        case Binary1:
            return ConvertBinStrToDec(text);
        case Decimal2:
            return lenientNumber(text);
        case Oct3:
            return ConvertOctStrToDec(text);
        case Hex4:
            return ConvertHexStrToDec(text);
        default:
            return 0;
        }
    } catch (const BasicError& error) {
        report(error, u"GetVal: ");
        return 0;
    }
}

bool NumberEntry::writeValue(double value) {
    const unsigned n = nibbles();
    const double limit = limitValue(n);
    try {
        value = std::min(value, limit);
        switch (host_.numberBase()) {
        case Binary1: {
            // From 14 nibbles on the limit is no exact float: write it as all ones.
            const std::u16string digits =
                n >= 14 && value >= limit ? std::u16string(4 * n, u'1') : ConvertDecToBinStr(value);
            host_.setEntryText(zeroPadded(digits, 4 * n));
            break;
        }
        case Decimal2:
            host_.setEntryText(generalFormat(lenientNumber(generalFormat(value))));
            break;
        case Oct3:
            host_.setEntryText(ConvertDecToOct(value));
            break;
        case Hex4:
            host_.setEntryText(zeroPadded(ConvertDecToHexText(value, n), n));
            break;
        default:
            break;
        }
        return true;
    } catch (const BasicError& error) {
        report(error, u"LetVal: ");
        return false;
    }
}

void NumberEntry::checkLimit(OverLongText overLong) {
    const std::u16string text = host_.entryText();
    const unsigned n = nibbles();
    const double limit = limitValue(n);
    const bool fail = overLong == OverLongText::Fail;
    switch (host_.numberBase()) {
    case Binary1: {
        std::u16string_view digits = text;
        if (fail) {
            // The value is read as a float (a failed reading is reported and
            // reads 0); masking one of 2^79 or more overflows.
            const double value = ConvertBinStrToDec(text);
            if (value >= kWideAndLimit) {
                reportOverflow();
                throw BasicError(ErrorNumber::Overflow);
            }
            if (value == 0) {
                digits = {};
            }
        }
        const LimitedText limited = limitBinaryText(digits, n);
        if (limited.overflow) {
            reportOverflow();
        }
        host_.setEntryText(limited.text);
        break;
    }
    case Decimal2: {
        const double decimalLimit = lenientNumber(generalFormat(limit));
        bool over = false;
        try {
            over = lenientNumber(text) > decimalLimit;
        } catch (const BasicError&) {
            over = true; // a number beyond any float lies above every limit
        }
        if (over) {
            reportOverflow();
            host_.setEntryText(signedGeneralFormat(limit));
        }
        break;
    }
    case Oct3: {
        const double octalLimit = lenientNumber(generalFormat(limit));
        if (ConvertOctStrToDec(text) > octalLimit) {
            reportOverflow();
            std::u16string kept = text.substr(0, octalDigits(n));
            while (!kept.empty() && ConvertOctStrToDec(kept) > octalLimit) {
                kept.pop_back();
            }
            host_.setEntryText(kept);
        }
        break;
    }
    case Hex4:
        if (fail) {
            (void)ConvertHexStrToDec(text); // raises Overflow above 255 digits
        }
        if (text.size() > 255) {
            host_.reportError(static_cast<int>(ErrorNumber::Overflow), u"Overflow");
            host_.setEntryText(text.substr(0, n));
        } else if (hexTextExceeds(text, n)) {
            reportOverflow();
            host_.setEntryText(text.substr(0, n));
        }
        break;
    default:
        break;
    }
}

void NumberEntry::changeBase(tNumberBase from, tNumberBase to) {
    const std::u16string text = host_.entryText();
    const unsigned n = nibbles();
    if (to >= Binary1 && to <= Hex4 && from != to && from <= Hex4) {
        std::u16string converted;
        if (from != AnyCharacter0) {
            const auto value = [&]() -> double {
                switch (from) {
                case Binary1:
                    return ConvertBinStrToDec(text);
                case Oct3:
                    return ConvertOctStrToDec(text);
                case Hex4:
                    return ConvertHexStrToDec(text);
                default: // decimal: lenient into binary, strict otherwise; an empty
                         // field holds no number to refuse and reads 0
                    return to == Binary1 || text.empty() ? lenientNumber(text)
                                                         : vsq::controls::strictNumber(text);
                }
            }();
            switch (to) {
            case Binary1:
                converted = ConvertDecToBinStr(value);
                break;
            case Decimal2:
                converted = signedGeneralFormat(value);
                break;
            case Oct3:
                converted = ConvertDecToOct(value);
                break;
            default:
                converted = ConvertDecToHexStr(value, n);
                break;
            }
        }
        host_.setEntryText(converted);
    }
    if (to == Binary1) {
        host_.setEntryText(zeroPadded(host_.entryText(), 4 * n));
    } else if (to == Hex4) {
        host_.setEntryText(zeroPadded(host_.entryText(), n));
    }
}

double NumberEntry::ConvertBinStrToDec(std::u16string_view text) {
    return reported(u"ConvertBinStrToDec: ", 0.0, [&] { return binaryTextValue(text); });
}

double NumberEntry::ConvertOctStrToDec(std::u16string_view text) {
    return reported(u"ConvertOctStrToDec: ", 0.0, [&] { return octalTextValue(text); });
}

std::u16string NumberEntry::ConvertDecToBinStr(double value) {
    return reported(u"ConvertDecToBinStr: ", std::u16string(), [&] { return binaryDigits(value); });
}

std::u16string NumberEntry::ConvertDecToOct(double value) {
    return reported(u"ConvertDecToOct: ", std::u16string(),
                    [&] { return vsq::controls::octalText(value); });
}

template <class Result, class Convert>
Result NumberEntry::reported(std::u16string_view prefix, Result fallback, Convert&& convert) {
    try {
        return convert();
    } catch (const BasicError& error) {
        report(error, prefix);
        return fallback;
    }
}

void NumberEntry::report(const BasicError& error, std::u16string_view prefix) {
    host_.reportError(error.number(), std::u16string(prefix) + fromAscii(error.description()));
}

void NumberEntry::reportOverflow() {
    host_.reportError(1, u"Overflow");
}

} // namespace quiltane
