#include "cli/JsonText.h"

#include <charconv>
#include <cmath>
#include <cstdio>

namespace {

std::string Quoted(const std::string& text) {
    std::string out = "\"";
    for (const char c : text) {
        if (c == '"' || c == '\\') {
            out += '\\';
            out += c;
        } else if (static_cast<unsigned char>(c) < 0x20) {
            char escape[8];
            std::snprintf(escape, sizeof escape, "\\u%04x", static_cast<unsigned>(c));
            out += escape;
        } else {
            out += c;
        }
    }
    return out + "\"";
}

std::string JsonNumber(double value) {
    return std::isfinite(value) ? NumberText(value) : "null";
}

std::string PointText(const PlanPoint& p) {
    return "[" + JsonNumber(p.x) + ", " + JsonNumber(p.y) + "]";
}

}  // namespace

std::string NumberText(double value) {
    char buffer[64];
    const auto [end, error] = std::to_chars(buffer, buffer + sizeof buffer, value);
    return error == std::errc() ? std::string(buffer, end) : std::string("nan");
}

void JsonObject::key(const std::string& name) {
    if (!body_.empty()) {
        body_ += ", ";
    }
    body_ += Quoted(name) + ": ";
}

void JsonObject::number(const std::string& name, double value) {
    key(name);
    body_ += JsonNumber(value);
}

void JsonObject::text(const std::string& name, const std::string& value) {
    key(name);
    body_ += Quoted(value);
}

void JsonObject::null(const std::string& name) {
    key(name);
    body_ += "null";
}

void JsonObject::object(const std::string& name, const JsonObject& value) {
    key(name);
    body_ += value.str();
}

void JsonObject::point(const std::string& name, const PlanPoint& point) {
    key(name);
    body_ += PointText(point);
}

void JsonObject::pointList(const std::string& name, const std::vector<PlanPoint>& points) {
    key(name);
    body_ += "[";
    for (size_t i = 0; i < points.size(); ++i) {
        body_ += (i == 0 ? "" : ", ") + PointText(points[i]);
    }
    body_ += "]";
}
