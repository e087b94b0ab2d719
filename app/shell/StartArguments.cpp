#include "shell/StartArguments.h"

#include <algorithm>
#include <cctype>
#include <charconv>

const char* const kStartUsage =
    "Usage: orvelle [DOC.ovx | PLAN.dxf]\n"
    "       orvelle --export-image OUT.png|OUT.svg DOC.ovx [--size W,H] [--fit]\n";

namespace {

constexpr int kMaxImageSide = 16384;

bool EndsWithNoCase(const std::string& text, const std::string& suffix) {
    if (text.size() < suffix.size()) {
        return false;
    }
    return std::equal(suffix.rbegin(), suffix.rend(), text.rbegin(), [](char a, char b) {
        return std::tolower(static_cast<unsigned char>(a)) ==
               std::tolower(static_cast<unsigned char>(b));
    });
}

bool ParseSide(const std::string& text, int& side) {
    const char* end = text.data() + text.size();
    const auto [last, error] = std::from_chars(text.data(), end, side);
    return error == std::errc() && last == end && side >= 1 && side <= kMaxImageSide;
}

// "W,H" with both sides from 1 to 16384 pixels.
bool ParseSize(const std::string& text, int& width, int& height) {
    const size_t comma = text.find(',');
    return comma != std::string::npos && ParseSide(text.substr(0, comma), width) &&
           ParseSide(text.substr(comma + 1), height);
}

StartRequest Failure(std::string error) {
    StartRequest request;
    request.kind = StartRequest::Kind::Error;
    request.error = std::move(error);
    return request;
}

StartRequest ParseExport(const std::vector<std::string>& arguments) {
    StartRequest request;
    request.kind = StartRequest::Kind::ExportImage;
    std::vector<std::string> files;
    for (size_t i = 1; i < arguments.size(); ++i) {
        const std::string& a = arguments[i];
        if (a == "--size") {
            if (i + 1 >= arguments.size() ||
                !ParseSize(arguments[i + 1], request.width, request.height)) {
                return Failure("--size needs W,H in pixels, each from 1 to 16384");
            }
            ++i;
        } else if (a == "--fit") {
            request.fit = true;
        } else if (a.size() > 1 && a[0] == '-') {
            return Failure("unknown option " + a);
        } else {
            files.push_back(a);
        }
    }
    if (files.size() != 2) {
        return Failure("--export-image needs the image file and the document");
    }
    request.output = files[0];
    request.path = files[1];
    if (!EndsWithNoCase(request.output, ".png") && !EndsWithNoCase(request.output, ".svg")) {
        return Failure("the image file must end in .png or .svg: " + request.output);
    }
    return request;
}

}  // namespace

bool IsDrawingFileName(const std::string& path) {
    return EndsWithNoCase(path, ".dxf");
}

StartRequest ParseStartArguments(const std::vector<std::string>& arguments) {
    if (arguments.empty()) {
        return StartRequest{};
    }
    const std::string& first = arguments[0];
    if (first == "--help" || first == "-h") {
        StartRequest request;
        request.kind = StartRequest::Kind::Help;
        return request;
    }
    if (first == "--export-image") {
        return ParseExport(arguments);
    }
    if (first.size() > 1 && first[0] == '-') {
        return Failure("unknown option " + first);
    }
    if (arguments.size() > 1) {
        return Failure("one document or drawing at most");
    }
    StartRequest request;
    request.kind = IsDrawingFileName(first) ? StartRequest::Kind::ImportDrawing
                                            : StartRequest::Kind::OpenDocument;
    request.path = first;
    return request;
}
