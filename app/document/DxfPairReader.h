// Reads an ASCII DXF drawing as pairs of lines: a group-code line and a value line.
//
// Lines end at LF; a CR before it is white space like any other. Lines are kept whole whatever
// their length, so a long line never splits a pair. Nothing here allocates beyond the text the
// caller already holds.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

struct DxfPair {
    std::string code;           // group code, stripped and upper-cased
    std::string value;          // value, stripped and upper-cased
    std::string_view rawValue;  // value line as written, trailing white space removed
    size_t line = 0;            // line of the group code in the text, from 1
};

class DxfPairReader {
  public:
    explicit DxfPairReader(std::string_view text);

    // Reads the next pair; false at the end of the text (a code line without its value line
    // is not a pair).
    bool next(DxfPair& pair);

  private:
    std::optional<std::string_view> nextLine();

    std::string_view text_;
    size_t position_ = 0;
    size_t linesRead_ = 0;
};

// Text helpers shared by the readers.
std::string_view TrimDxf(std::string_view text);
std::string_view TrimDxfRight(std::string_view text);
std::string UpperAscii(std::string_view text);
bool EqualsIgnoringCase(std::string_view a, std::string_view b);

// Number conversions of group values: the leading number of the text, as the classic
// conversions read it; empty when there is none or it is not finite or out of range.
std::optional<double> ParseDxfDouble(std::string_view text);
std::optional<int32_t> ParseDxfInteger(std::string_view text);

// A group value read as a number for a coordinate or radius: its leading number, NaN and the
// infinities included, so that the caller can tell a value out of range from no number at all.
struct DxfNumber {
    enum class Kind { Number, OutOfRange, NotANumber };
    Kind kind = Kind::NotANumber;
    double value = 0.0;  // for Number: possibly NaN or infinite
};
DxfNumber ParseDxfNumber(std::string_view text);
