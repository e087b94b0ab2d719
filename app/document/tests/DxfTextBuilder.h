// Builds small ASCII DXF drawings for tests: a layer table and LWPOLYLINE, LINE and CIRCLE
// entities, with LF or CR LF line ends.
#pragma once

#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <utility>
#include <vector>

#include "document/PlanTypes.h"

class DxfTextBuilder {
  public:
    DxfTextBuilder& layers(const std::vector<std::string>& names) {
        pair(0, "SECTION").pair(2, "TABLES").pair(0, "TABLE").pair(2, "LAYER").pair(70, "1");
        for (const std::string& name : names) {
            pair(0, "LAYER").pair(2, name).pair(70, "0").pair(62, "7");
        }
        return pair(0, "ENDTAB").pair(0, "ENDSEC");
    }
    DxfTextBuilder& beginEntities() { return pair(0, "SECTION").pair(2, "ENTITIES"); }
    DxfTextBuilder& endEntities() { return pair(0, "ENDSEC"); }
    DxfTextBuilder& end() { return pair(0, "EOF"); }

    DxfTextBuilder& polyline(const std::string& layer, const std::vector<PlanPoint>& points,
                             bool closed = false) {
        pair(0, "LWPOLYLINE").pair(8, layer).pair(90, std::to_string(points.size()));
        pair(70, closed ? "1" : "0");
        for (const PlanPoint& p : points) {
            pair(10, number(p.x)).pair(20, number(p.y));
        }
        return *this;
    }
    DxfTextBuilder& line(const std::string& layer, PlanPoint a, PlanPoint b) {
        pair(0, "LINE").pair(8, layer).pair(10, number(a.x)).pair(20, number(a.y));
        return pair(11, number(b.x)).pair(21, number(b.y));
    }
    DxfTextBuilder& circle(const std::string& layer, PlanPoint centre, double radius) {
        pair(0, "CIRCLE").pair(8, layer).pair(10, number(centre.x)).pair(20, number(centre.y));
        return pair(40, number(radius));
    }

    DxfTextBuilder& pair(int code, const std::string& value) {
        text_ += std::to_string(code) + eol_ + value + eol_;
        return *this;
    }
    DxfTextBuilder& raw(const std::string& text) {
        text_ += text;
        return *this;
    }
    DxfTextBuilder& crlf() {
        eol_ = "\r\n";
        return *this;
    }

    const std::string& text() const { return text_; }

  private:
    static std::string number(double v) {
        char buffer[64];
        std::snprintf(buffer, sizeof buffer, "%.17g", v);
        return buffer;
    }

    std::string text_;
    std::string eol_ = "\n";
};

// A file in the temporary folder, removed with the object.
class TemporaryFile {
  public:
    explicit TemporaryFile(const std::string& suffix, const std::string& bytes = {}) {
        static int serial = 0;
        path_ = (std::filesystem::temp_directory_path() /
                 ("orvelle_test_" + std::to_string(::getpid()) + "_" + std::to_string(serial++) +
                  suffix))
                    .string();
        if (!bytes.empty()) {
            std::ofstream(path_, std::ios::binary) << bytes;
        }
    }
    ~TemporaryFile() {
        std::error_code error;
        std::filesystem::remove(path_, error);
    }
    TemporaryFile(const TemporaryFile&) = delete;
    TemporaryFile& operator=(const TemporaryFile&) = delete;

    const std::string& path() const { return path_; }

  private:
    std::string path_;
};
