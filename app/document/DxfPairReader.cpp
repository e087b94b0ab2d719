#include "document/DxfPairReader.h"

#include <charconv>
#include <cmath>

namespace {

bool IsDxfSpace(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f';
}

char UpperChar(char c) {
    return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
}

// Leaves the sign to the caller: from_chars accepts '-' but not '+'.
std::string_view SkipPlus(std::string_view text) {
    if (!text.empty() && text.front() == '+' && text.size() > 1 && text[1] != '-') {
        text.remove_prefix(1);
    }
    return text;
}

constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";

}  // namespace

DxfPairReader::DxfPairReader(std::string_view text) : text_(text) {
    if (text_.substr(0, kUtf8Bom.size()) == kUtf8Bom) {
        position_ = kUtf8Bom.size();
    }
}

std::optional<std::string_view> DxfPairReader::nextLine() {
    if (position_ >= text_.size()) {
        return std::nullopt;
    }
    const size_t end = text_.find('\n', position_);
    const size_t stop = end == std::string_view::npos ? text_.size() : end;
    std::string_view line = text_.substr(position_, stop - position_);
    position_ = end == std::string_view::npos ? text_.size() : end + 1;
    ++linesRead_;
    return line;
}

bool DxfPairReader::next(DxfPair& pair) {
    const auto codeLine = nextLine();
    if (!codeLine) {
        return false;
    }
    const size_t codeLineNumber = linesRead_;
    const auto valueLine = nextLine();
    if (!valueLine) {
        return false;
    }
    pair.code = UpperAscii(TrimDxf(*codeLine));
    pair.value = UpperAscii(TrimDxf(*valueLine));
    pair.rawValue = TrimDxfRight(*valueLine);
    pair.line = codeLineNumber;
    return true;
}

std::string_view TrimDxfRight(std::string_view text) {
    while (!text.empty() && IsDxfSpace(text.back())) {
        text.remove_suffix(1);
    }
    return text;
}

std::string_view TrimDxf(std::string_view text) {
    text = TrimDxfRight(text);
    while (!text.empty() && IsDxfSpace(text.front())) {
        text.remove_prefix(1);
    }
    return text;
}

std::string UpperAscii(std::string_view text) {
    std::string upper(text);
    for (char& c : upper) {
        c = UpperChar(c);
    }
    return upper;
}

bool EqualsIgnoringCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) {
        return false;
    }
    for (size_t i = 0; i < a.size(); ++i) {
        if (UpperChar(a[i]) != UpperChar(b[i])) {
            return false;
        }
    }
    return true;
}

std::optional<double> ParseDxfDouble(std::string_view text) {
    const DxfNumber number = ParseDxfNumber(text);
    if (number.kind != DxfNumber::Kind::Number || !std::isfinite(number.value)) {
        return std::nullopt;
    }
    return number.value;
}

DxfNumber ParseDxfNumber(std::string_view text) {
    text = SkipPlus(TrimDxf(text));
    double value = 0.0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (end == text.data()) {
        return {};
    }
    // Too large or too small for a double: from_chars leaves the value unset.
    if (error == std::errc::result_out_of_range) {
        return {DxfNumber::Kind::OutOfRange, 0.0};
    }
    if (error != std::errc()) {
        return {};
    }
    return {DxfNumber::Kind::Number, value};
}

std::optional<int32_t> ParseDxfInteger(std::string_view text) {
    text = SkipPlus(TrimDxf(text));
    int32_t value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end == text.data()) {
        return std::nullopt;
    }
    return value;
}
