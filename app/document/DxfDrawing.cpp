#include "document/DxfDrawing.h"

#include <algorithm>
#include <array>
#include <filesystem>
#include <fstream>
#include <optional>

#include "document/DxfPairReader.h"

namespace {

enum class Step { Collecting, Complete, Malformed };

// Collects one LWPOLYLINE: 90 sizes it, 70 is the closed flag, 10 gives x and 20 appends the
// vertex; it is complete when the vertex count is reached. Vertices are appended as they come,
// never reserved from the stated count, so a huge count costs nothing.
class PolylineCollector {
  public:
    using Result = DxfPolyline;
    Step feed(const DxfPair& pair) {
        if (pair.code == "90") {
            const auto count = parseDxfInteger(pair.value);
            if (!count) {
                return Step::Malformed;
            }
            count_ = *count;
        } else if (pair.code == "70") {
            const auto flag = parseDxfInteger(pair.value);
            if (!flag) {
                return Step::Malformed;
            }
            result_.closedFlag = *flag;
        } else if (pair.code == "10") {
            x_ = parseDxfDouble(pair.value);
            if (!x_) {
                return Step::Malformed;
            }
        } else if (pair.code == "20") {
            const auto y = parseDxfDouble(pair.value);
            if (!y || !x_) {
                return Step::Malformed;
            }
            result_.vertices.push_back({*x_, *y});
            x_.reset();
            if (static_cast<int64_t>(result_.vertices.size()) == count_) {
                return Step::Complete;
            }
        }
        return Step::Collecting;
    }
    Result result() { return std::move(result_); }

  private:
    Result result_;
    int64_t count_ = -1;
    std::optional<double> x_;
};

// Collects the values of fixed group codes; complete at the last code once all the others came
// before it.
template <size_t N>
class ValuesCollector {
  public:
    explicit ValuesCollector(std::array<std::string_view, N> codes) : codes_(codes) {}

    Step feed(const DxfPair& pair) {
        const auto code = std::find(codes_.begin(), codes_.end(), pair.code);
        if (code == codes_.end()) {
            return Step::Collecting;
        }
        const auto index = static_cast<size_t>(code - codes_.begin());
        values_[index] = parseDxfDouble(pair.value);
        if (!values_[index]) {
            return Step::Malformed;
        }
        const bool all = std::all_of(values_.begin(), values_.end(),
                                     [](const std::optional<double>& v) { return v.has_value(); });
        return (index == N - 1 && all) ? Step::Complete : Step::Collecting;
    }

  protected:
    double value(size_t index) const { return *values_[index]; }

  private:
    std::array<std::string_view, N> codes_;
    std::array<std::optional<double>, N> values_;
};

// One LINE: complete at its 21 once 10, 20 and 11 came before.
class LineCollector : public ValuesCollector<4> {
  public:
    using Result = PlanSegment;
    LineCollector() : ValuesCollector({"10", "20", "11", "21"}) {}
    Result result() const { return {{value(0), value(1)}, {value(2), value(3)}}; }
};

// One CIRCLE: taken at its 40 once 10 and 20 came before.
class CircleCollector : public ValuesCollector<3> {
  public:
    using Result = DxfCircle;
    CircleCollector() : ValuesCollector({"10", "20", "40"}) {}
    Result result() const { return {{value(0), value(1)}, value(2)}; }
};

// Walks the ENTITIES section and hands every entity of `entityName` on `layer` to a fresh
// collector; complete entities go to the result in file order.
template <class Collector>
std::vector<typename Collector::Result> scanEntities(std::string_view text,
                                                     std::string_view entityName,
                                                     std::string_view layer, size_t limit) {
    enum class State { SeekSection, SectionName, InSection, EntityHeader, Collecting, Skipping };
    std::vector<typename Collector::Result> results;
    const std::string_view wantedLayer = trimDxf(layer);
    State state = State::SeekSection;
    std::optional<Collector> collector;
    DxfPairReader reader(text);
    DxfPair pair;
    while (results.size() < limit && reader.next(pair)) {
        if (state == State::SectionName) {
            state = (pair.code == "2" && pair.value == "ENTITIES") ? State::InSection
                                                                   : State::SeekSection;
            if (state == State::InSection || pair.code == "2") {
                continue;
            }
        }
        if (state == State::SeekSection) {
            if (pair.code == "0" && pair.value == "SECTION") {
                state = State::SectionName;
            }
            continue;
        }
        if (pair.code == "0") {
            if (pair.value == "ENDSEC") {
                break;
            }
            state = pair.value == entityName ? State::EntityHeader : State::Skipping;
            collector.reset();
            continue;
        }
        if (state == State::EntityHeader && pair.code == "8") {
            if (equalsIgnoringCase(trimDxf(pair.value), wantedLayer)) {
                state = State::Collecting;
                collector.emplace();
            } else {
                state = State::Skipping;
            }
        } else if (state == State::Collecting) {
            const Step step = collector->feed(pair);
            if (step == Step::Complete) {
                results.push_back(collector->result());
            }
            if (step != Step::Collecting) {
                state = State::Skipping;
                collector.reset();
            }
        }
    }
    return results;
}

constexpr std::string_view kBinaryDxfSignature = "AutoCAD Binary DXF";

}  // namespace

std::variant<DxfDrawing, std::string> DxfDrawing::load(const std::string& path) {
    std::error_code error;
    const auto size = std::filesystem::file_size(path, error);
    std::ifstream in(path, std::ios::binary);
    if (error || !in) {
        return std::string("Cannot open the drawing ") + path;
    }
    if (size > kMaxFileBytes) {
        return std::string("The drawing is too large to be read");
    }
    std::string text(static_cast<size_t>(size), '\0');
    in.read(text.data(), static_cast<std::streamsize>(text.size()));
    if (static_cast<uintmax_t>(in.gcount()) != size) {
        return std::string("Cannot read the drawing ") + path;
    }
    if (std::string_view(text).substr(0, kBinaryDxfSignature.size()) == kBinaryDxfSignature) {
        return std::string(
            "The drawing is a binary DXF file; save it as an ASCII DXF file to import it");
    }
    return DxfDrawing(std::move(text));
}

std::vector<std::string> DxfDrawing::readLayerNames() const {
    enum class State { SeekSection, SectionName, Tables, TableName, LayerTable, LayerEntry };
    std::vector<std::string> names;
    State state = State::SeekSection;
    DxfPairReader reader(text_);
    DxfPair pair;
    while (reader.next(pair)) {
        const bool isZero = pair.code == "0";
        switch (state) {
            case State::SeekSection:
                if (isZero && pair.value == "SECTION") {
                    state = State::SectionName;
                }
                break;
            case State::SectionName:
                state = (pair.code == "2" && pair.value == "TABLES") ? State::Tables
                                                                     : State::SeekSection;
                break;
            case State::Tables:
            case State::TableName:
                if (isZero && pair.value == "ENDSEC") {
                    return names;
                }
                if (isZero && pair.value == "TABLE") {
                    state = State::TableName;
                } else if (state == State::TableName && pair.code == "2") {
                    state = pair.value == "LAYER" ? State::LayerTable : State::Tables;
                }
                break;
            case State::LayerTable:
            case State::LayerEntry:
                if (isZero && (pair.value == "ENDTAB" || pair.value == "ENDSEC")) {
                    return names;
                }
                if (isZero) {
                    state = pair.value == "LAYER" ? State::LayerEntry : State::LayerTable;
                } else if (state == State::LayerEntry && pair.code == "2" && !pair.value.empty()) {
                    if (names.size() < static_cast<size_t>(kMaxLayers)) {
                        names.emplace_back(pair.rawValue.substr(0, kMaxLayerNameBytes));
                    }
                    state = State::LayerTable;
                }
                break;
        }
    }
    return names;
}

std::vector<DxfPolyline> DxfDrawing::readPolylines(std::string_view layer, size_t limit) const {
    return scanEntities<PolylineCollector>(text_, "LWPOLYLINE", layer, limit);
}

std::vector<PlanSegment> DxfDrawing::readLines(std::string_view layer) const {
    return scanEntities<LineCollector>(text_, "LINE", layer, SIZE_MAX);
}

std::vector<DxfCircle> DxfDrawing::readCircles(std::string_view layer) const {
    return scanEntities<CircleCollector>(text_, "CIRCLE", layer, SIZE_MAX);
}
