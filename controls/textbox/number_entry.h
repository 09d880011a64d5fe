#pragma once
// The number logic of the numeric text box, without Qt: the key and text
// filters of each base, the value read and write, the limit check after a key
// release and the base change. It holds no state: each operation reads the
// base, the digit limit and the entry text from its host when it runs, and
// reaches back for the commit (Update, then the indicator turns green) and the
// error report (ErrorOccured, then the error flag is set).

#include "controls/textbox/number_base.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace vsq::controls {
class BasicError;
}

namespace quiltane {

// Character codes the key filter treats apart.
constexpr int kBackspaceCode = 8;
constexpr int kEnterCode = 13;
constexpr int kDeleteCode = 127;

class NumberEntryHost {
public:
    virtual tNumberBase numberBase() const = 0;
    virtual std::uint8_t maxNibbles() const = 0;
    virtual std::u16string entryText() const = 0;
    virtual void setEntryText(const std::u16string& text) = 0;
    virtual void commit() = 0;
    virtual void reportError(int number, const std::u16string& description) = 0;

protected:
    ~NumberEntryHost() = default;
};

class NumberEntry {
public:
    explicit NumberEntry(NumberEntryHost& host) : host_(host) {}

    // The accepted code for a typed character code, 0 to refuse it. Backspace
    // (8) and 127 pass in every base; Enter (13) commits, and passes only in
    // AnyCharacter0. In Hex4, a to f become A to F. Codes above 255 pass in
    // AnyCharacter0 only.
    int FilterKey(int keyCode);
    // The accepted characters of a text; a carriage return commits once (twice
    // in AnyCharacter0, where it is kept).
    std::u16string FilterText(std::u16string_view text);

    // The value of the entry text in the base (0 in AnyCharacter0); a failure
    // is reported with "GetVal: " and reads 0.
    double readValue();
    // Writes a value, limited to the digit limit, as text in the base. A
    // failure is reported with "LetVal: " and the result is false (the text
    // stays as far as written).
    bool writeValue(double value);
    // What the limit test does with a text too long for its conversions (more
    // than 255 hexadecimal digits, a binary value from 2^79 on).
    enum class OverLongText {
        Cut,  // typed or pasted: reported as an overflow and cut to the limit
        Fail, // written by the host (Text): raised as Overflow (6), after the
              // (1, "Overflow") report in binary
    };
    // The test after every key release: a value above the limit reports
    // (1, "Overflow") and brings the text within the limit.
    void checkLimit(OverLongText overLong = OverLongText::Cut);
    // Re-writes the entry text from one base in the other (before the new base
    // is stored), then pads it to the new base's width (4n binary, n hex digits).
    // An empty text reads 0. Failures are raised.
    void changeBase(tNumberBase from, tNumberBase to);

    // The converters that report their own failure with their name as prefix
    // and go on with 0 or the empty text.
    double ConvertBinStrToDec(std::u16string_view text);
    double ConvertOctStrToDec(std::u16string_view text);
    std::u16string ConvertDecToBinStr(double value);
    std::u16string ConvertDecToOct(double value);

private:
    unsigned nibbles() const;
    void report(const vsq::controls::BasicError& error, std::u16string_view prefix);
    void reportOverflow();
    template <class Result, class Convert>
    Result reported(std::u16string_view prefix, Result fallback, Convert&& convert);

    NumberEntryHost& host_;
};

} // namespace quiltane
