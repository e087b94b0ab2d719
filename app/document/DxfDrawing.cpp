#include "document/DxfDrawing.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <optional>

#include "document/DxfPairReader.h"

namespace {

enum class Step { Collecting, Complete, Dropped };

using Drop = DxfValueProblem;

// A value as shown in a report: quoted, cut when long.
std::string ShownValue(std::string_view raw) {
    constexpr size_t kShown = 32;
    raw = TrimDxf(raw);
    return "\"" + std::string(raw.substr(0, kShown)) + (raw.size() > kShown ? "...\"" : "\"");
}

Drop NotANumberOf(const DxfPair& pair) {
    return DxfNotANumber(pair.code, pair.rawValue);
}

// A coordinate or radius: a number within the coordinate bound, or the drop that refuses it.
std::optional<Drop> ReadBounded(const DxfPair& pair, double& value) {
    return ReadDxfBounded(pair.code, pair.value, pair.rawValue, value);
}

// Collects one LWPOLYLINE: 90 sizes it, 70 is the closed flag, 10 gives x and 20 appends the
// vertex; it is complete when the vertex count is reached. Vertices are appended as they come,
// never reserved from the stated count, so a huge count costs nothing. A count below 2 is
// refused at once: such a polyline is no wall, path, line or boundary.
class PolylineCollector {
  public:
    using Result = DxfPolyline;
    static constexpr DxfEntityKind kKind = DxfEntityKind::Polyline;

    Step feed(const DxfPair& pair) {
        if (pair.code == "90") {
            const auto count = ParseDxfInteger(pair.value);
            if (!count) {
                return dropWith(NotANumberOf(pair));
            }
            if (*count < 2) {
                return dropWith(
                    {DxfDropReason::TooFewVertices,
                     "vertex count " + std::to_string(*count) + " (a polyline needs at least 2)"});
            }
            count_ = *count;
        } else if (pair.code == "70") {
            const auto flag = ParseDxfInteger(pair.value);
            if (!flag) {
                return dropWith(NotANumberOf(pair));
            }
            result_.closedFlag = *flag;
        } else if (pair.code == "10") {
            double x = 0.0;
            if (auto drop = ReadBounded(pair, x)) {
                return dropWith(std::move(*drop));
            }
            x_ = x;
        } else if (pair.code == "20") {
            if (!x_) {
                return dropWith({DxfDropReason::Incomplete, "group 20 came before its group 10"});
            }
            double y = 0.0;
            if (auto drop = ReadBounded(pair, y)) {
                return dropWith(std::move(*drop));
            }
            result_.vertices.push_back({*x_, y});
            x_.reset();
            if (static_cast<int64_t>(result_.vertices.size()) == count_) {
                return Step::Complete;
            }
        }
        return Step::Collecting;
    }
    Result result() { return std::move(result_); }
    Drop drop() { return std::move(drop_); }
    // Why the entity is not complete when it ends here.
    Drop incomplete() const {
        if (count_ < 0) {
            return {DxfDropReason::Incomplete, "no vertex count (group 90)"};
        }
        return {DxfDropReason::Incomplete, "vertex count " + std::to_string(count_) +
                                               " never reached (" +
                                               std::to_string(result_.vertices.size()) + " read)"};
    }

  private:
    Step dropWith(Drop drop) {
        drop_ = std::move(drop);
        return Step::Dropped;
    }

    Result result_;
    int64_t count_ = -1;
    std::optional<double> x_;
    Drop drop_;
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
        double value = 0.0;
        if (auto drop = ReadBounded(pair, value)) {
            drop_ = std::move(*drop);
            return Step::Dropped;
        }
        values_[index] = value;
        const bool all = std::all_of(values_.begin(), values_.end(),
                                     [](const std::optional<double>& v) { return v.has_value(); });
        return (index == N - 1 && all) ? Step::Complete : Step::Collecting;
    }
    Drop drop() { return std::move(drop_); }
    Drop incomplete() const {
        std::string missing;
        for (size_t i = 0; i < N; ++i) {
            if (!values_[i]) {
                missing += (missing.empty() ? "" : ", ") + std::string(codes_[i]);
            }
        }
        if (missing.empty()) {
            return {DxfDropReason::Incomplete,
                    "group " + std::string(codes_[N - 1]) + " came before the others"};
        }
        return {DxfDropReason::Incomplete, "no group " + missing};
    }

  protected:
    double value(size_t index) const { return *values_[index]; }

  private:
    std::array<std::string_view, N> codes_;
    std::array<std::optional<double>, N> values_;
    Drop drop_;
};

// One LINE: complete at its 21 once 10, 20 and 11 came before.
class LineCollector : public ValuesCollector<4> {
  public:
    using Result = PlanSegment;
    static constexpr DxfEntityKind kKind = DxfEntityKind::Line;
    LineCollector() : ValuesCollector({"10", "20", "11", "21"}) {}
    Result result() const { return {{value(0), value(1)}, {value(2), value(3)}}; }
};

// One CIRCLE: taken at its 40 once 10 and 20 came before.
class CircleCollector : public ValuesCollector<3> {
  public:
    using Result = DxfCircle;
    static constexpr DxfEntityKind kKind = DxfEntityKind::Circle;
    CircleCollector() : ValuesCollector({"10", "20", "40"}) {}
    Result result() const { return {{value(0), value(1)}, value(2)}; }
};

// Where an entity starts, for its report.
struct EntityPlace {
    size_t line = 0;
    std::string handle;
    std::string layer;
};

std::string ShownName(std::string_view raw) {
    constexpr size_t kShown = 80;
    raw = TrimDxf(raw);
    return std::string(raw.substr(0, kShown)) + (raw.size() > kShown ? "..." : "");
}

// Walks the ENTITIES section and hands every entity of the collector's kind on `layer` (every
// layer when empty) to a fresh collector; complete entities go to `results` (when given) in
// file order, unreadable ones to `dropped` (when set).
template <class Collector>
void ScanEntities(std::string_view text, std::optional<std::string_view> layer, size_t limit,
                  std::vector<typename Collector::Result>* results, const DxfDropSink& dropped) {
    enum class State { SeekSection, SectionName, InSection, EntityHeader, Collecting, Skipping };
    const std::string_view entityName = DxfEntityName(Collector::kKind);
    const std::string_view wantedLayer = layer ? TrimDxf(*layer) : std::string_view();
    State state = State::SeekSection;
    std::optional<Collector> collector;
    EntityPlace place;
    size_t found = 0;
    auto report = [&](Drop drop) {
        if (dropped) {
            dropped({Collector::kKind, place.layer, place.line, place.handle, drop.reason,
                     std::move(drop.detail)});
        }
    };
    DxfPairReader reader(text);
    DxfPair pair;
    while (found < limit && reader.next(pair)) {
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
            if (state == State::Collecting) {
                report(collector->incomplete());
            }
            collector.reset();
            if (pair.value == "ENDSEC") {
                return;
            }
            state = pair.value == entityName ? State::EntityHeader : State::Skipping;
            place = {pair.line, {}, {}};
            continue;
        }
        if ((state == State::EntityHeader || state == State::Collecting) && pair.code == "5" &&
            place.handle.empty()) {
            place.handle = ShownName(pair.rawValue);
        }
        if (state == State::EntityHeader && pair.code == "8") {
            if (!layer || EqualsIgnoringCase(TrimDxf(pair.value), wantedLayer)) {
                state = State::Collecting;
                // One byte more than a listed name holds, so that a longer name never matches.
                place.layer = std::string(
                    TrimDxf(pair.rawValue).substr(0, DxfDrawing::kMaxLayerNameBytes + 1));
                collector.emplace();
            } else {
                state = State::Skipping;
            }
        } else if (state == State::Collecting) {
            const Step step = collector->feed(pair);
            if (step == Step::Complete) {
                ++found;
                if (results) {
                    results->push_back(collector->result());
                }
            } else if (step == Step::Dropped) {
                report(collector->drop());
            }
            if (step != Step::Collecting) {
                state = State::Skipping;
                collector.reset();
            }
        }
    }
    if (state == State::Collecting) {
        report({DxfDropReason::CutOff, "cut off by the end of the file"});
    }
}

template <class Collector>
std::vector<typename Collector::Result> ReadEntities(std::string_view text, std::string_view layer,
                                                     size_t limit, const DxfDropSink& dropped) {
    std::vector<typename Collector::Result> results;
    ScanEntities<Collector>(text, layer, limit, &results, dropped);
    return results;
}

constexpr std::string_view kBinaryDxfSignature = "AutoCAD Binary DXF";

}  // namespace

DxfValueProblem DxfNotANumber(std::string_view code, std::string_view rawValue) {
    return {DxfDropReason::NotANumber,
            "group " + std::string(code) + " value " + ShownValue(rawValue) + " is not a number"};
}

std::optional<DxfValueProblem> ReadDxfBounded(std::string_view code, std::string_view value,
                                              std::string_view rawValue, double& result) {
    const DxfNumber number = ParseDxfNumber(value);
    if (number.kind == DxfNumber::Kind::NotANumber) {
        return DxfNotANumber(code, rawValue);
    }
    // Written so that NaN fails the test too.
    if (number.kind == DxfNumber::Kind::OutOfRange ||
        !(std::fabs(number.value) <= kMaxDxfCoordinate)) {
        return DxfValueProblem{DxfDropReason::OutOfRange,
                               "group " + std::string(code) + " value " + ShownValue(rawValue) +
                                   " is out of range (|value| <= 1e15)"};
    }
    result = number.value;
    return std::nullopt;
}

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

std::vector<DxfPolyline> DxfDrawing::readPolylines(std::string_view layer, size_t limit,
                                                   const DxfDropSink& dropped) const {
    return ReadEntities<PolylineCollector>(text_, layer, limit, dropped);
}

std::vector<PlanSegment> DxfDrawing::readLines(std::string_view layer) const {
    return ReadEntities<LineCollector>(text_, layer, SIZE_MAX, {});
}

std::vector<DxfCircle> DxfDrawing::readCircles(std::string_view layer) const {
    return ReadEntities<CircleCollector>(text_, layer, SIZE_MAX, {});
}

void DxfDrawing::readDroppedEntities(const DxfDropSink& dropped) const {
    ScanEntities<PolylineCollector>(text_, std::nullopt, SIZE_MAX, nullptr, dropped);
    ScanEntities<LineCollector>(text_, std::nullopt, SIZE_MAX, nullptr, dropped);
    ScanEntities<CircleCollector>(text_, std::nullopt, SIZE_MAX, nullptr, dropped);
}
