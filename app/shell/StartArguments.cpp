#include "shell/StartArguments.h"

#include <algorithm>
#include <cctype>
#include <charconv>

const char* const kStartUsage =
    "Usage: orvelle [DOC.ovx | PLAN.dxf]\n"
    "       orvelle --export-image OUT.png|OUT.svg DOC.ovx [--size W,H] [--fit]\n";

namespace {

constexpr int kMaxImageSide = 16384;

bool endsWithNoCase(const std::string& text, const std::string& suffix) {
    if (text.size() < suffix.size()) {
        return false;
    }
    return std::equal(suffix.rbegin(), suffix.rend(), text.rbegin(), [](char a, char b) {
        return std::tolower(static_cast<unsigned char>(a)) ==
               std::tolower(static_cast<unsigned char>(b));
    });
}

bool parseSide(const std::string& text, int& side) {
    const char* end = text.data() + text.size();
    const auto [last, error] = std::from_chars(text.data(), end, side);
    return error == std::errc() && last == end && side >= 1 && side <= kMaxImageSide;
}

// "W,H" with both sides from 1 to 16384 pixels.
bool parseSize(const std::string& text, int& width, int& height) {
    const size_t comma = text.find(',');
    return comma != std::string::npos && parseSide(text.substr(0, comma), width) &&
           parseSide(text.substr(comma + 1), height);
}

StartRequest failure(std::string error) {
    StartRequest request;
    request.kind = StartRequest::Kind::Error;
    request.error = std::move(error);
    return request;
}

StartRequest parseExport(const std::vector<std::string>& arguments) {
    StartRequest request;
    request.kind = StartRequest::Kind::ExportImage;
    std::vector<std::string> files;
    for (size_t i = 1; i < arguments.size(); ++i) {
        const std::string& a = arguments[i];
        if (a == "--size") {
            if (i + 1 >= arguments.size() ||
                !parseSize(arguments[i + 1], request.width, request.height)) {
                return failure("--size needs W,H in pixels, each from 1 to 16384");
            }
            ++i;
        } else if (a == "--fit") {
            request.fit = true;
        } else if (a.size() > 1 && a[0] == '-') {
            return failure("unknown option " + a);
        } else {
            files.push_back(a);
        }
    }
    if (files.size() != 2) {
        return failure("--export-image needs the image file and the document");
    }
    request.output = files[0];
    request.path = files[1];
    if (!endsWithNoCase(request.output, ".png") && !endsWithNoCase(request.output, ".svg")) {
        return failure("the image file must end in .png or .svg: " + request.output);
    }
    return request;
}

}  // namespace

bool isDrawingFileName(const std::string& path) {
    return endsWithNoCase(path, ".dxf");
}

StartRequest parseStartArguments(const std::vector<std::string>& arguments) {
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
        return parseExport(arguments);
    }
    if (first.size() > 1 && first[0] == '-') {
        return failure("unknown option " + first);
    }
    if (arguments.size() > 1) {
        return failure("one document or drawing at most");
    }
    StartRequest request;
    request.kind = isDrawingFileName(first) ? StartRequest::Kind::ImportDrawing
                                            : StartRequest::Kind::OpenDocument;
    request.path = first;
    return request;
}
