#include "document/DxfDrawingAccount.h"

#include <algorithm>
#include <array>
#include <map>

#include "document/DxfPairReader.h"
#include "document/UnitNames.h"

namespace {

constexpr std::array<std::string_view, 3> kReadTypes{"LWPOLYLINE", "LINE", "CIRCLE"};
constexpr std::array<std::string_view, 3> kOptionTypes{"ARC", "POLYLINE", "INSERT"};
constexpr std::array<std::string_view, 15> kAnnotationTypes{
    "TEXT",   "MTEXT",   "ATTDEF",      "ATTRIB",    "DIMENSION",
    "LEADER", "MLEADER", "MULTILEADER", "TOLERANCE", "VIEWPORT",
    "IMAGE",  "WIPEOUT", "OLEFRAME",    "OLE2FRAME", "ACAD_TABLE"};

template <size_t N>
bool IsOneOf(std::string_view type, const std::array<std::string_view, N>& types) {
    return std::find(types.begin(), types.end(), type) != types.end();
}

// The layers in table order, then those met that the table does not list.
std::vector<std::string> LayerOrder(const std::vector<std::string>& names,
                                    const std::vector<DxfTypeCount>& counts) {
    std::vector<std::string> order;
    std::vector<std::string> keys;
    auto add = [&](const std::string& name) {
        std::string key = UpperAscii(TrimDxf(name));
        if (std::find(keys.begin(), keys.end(), key) == keys.end()) {
            keys.push_back(std::move(key));
            order.push_back(std::string(TrimDxf(name)));
        }
    };
    for (const std::string& name : names) {
        add(name);
    }
    for (const DxfTypeCount& count : counts) {
        add(count.layer);
    }
    return order;
}

bool SameLayer(std::string_view a, std::string_view b) {
    return EqualsIgnoringCase(TrimDxf(a), TrimDxf(b));
}

}  // namespace

bool ImportReadsEntityType(std::string_view type, bool allEntities) {
    return IsOneOf(type, kReadTypes) || (allEntities && IsOneOf(type, kOptionTypes));
}

bool IsAnnotationEntity(std::string_view type) {
    return IsOneOf(type, kAnnotationTypes);
}

std::vector<std::string> NotReadAccount(const std::vector<std::string>& layerNames,
                                        const DxfAllEntitiesReading& reading, bool allEntities) {
    std::vector<std::string> parts;
    bool optionWouldRead = false;
    std::vector<DxfTypeCount> all = reading.entities;
    all.insert(all.end(), reading.unreadInBlocks.begin(), reading.unreadInBlocks.end());
    for (const std::string& layer : LayerOrder(layerNames, all)) {
        for (const DxfTypeCount& count : reading.entities) {
            if (SameLayer(count.layer, layer) && !IsAnnotationEntity(count.type) &&
                !ImportReadsEntityType(count.type, allEntities)) {
                parts.push_back(layer + ": " + std::to_string(count.count) + " " + count.type +
                                " not read");
                optionWouldRead = optionWouldRead || ImportReadsEntityType(count.type, true);
            }
        }
        if (!allEntities) {
            continue;
        }
        for (const DxfTypeCount& count : reading.unreadInBlocks) {
            if (SameLayer(count.layer, layer) && !IsAnnotationEntity(count.type)) {
                parts.push_back(layer + ": " + std::to_string(count.count) + " " + count.type +
                                " in blocks not read");
            }
        }
    }
    std::vector<std::string> lines;
    if (!parts.empty()) {
        std::string line;
        for (const std::string& part : parts) {
            line += (line.empty() ? "" : "; ") + part;
        }
        if (!allEntities && optionWouldRead) {
            line += std::string(" \u2014 turn on ") + kReadAllEntitiesOption;
        }
        lines.push_back(std::move(line));
    }
    if (allEntities) {
        lines.insert(lines.end(), reading.limitNotes.begin(), reading.limitNotes.end());
    }
    return lines;
}

std::vector<LayerEntityCounts> CountLayerEntities(const std::vector<std::string>& layerNames,
                                                 const DxfAllEntitiesReading& reading,
                                                 const std::vector<LayerDrops>& dropped,
                                                 bool allEntities) {
    std::vector<LayerEntityCounts> counts(layerNames.size());
    for (size_t i = 0; i < layerNames.size(); ++i) {
        for (const DxfTypeCount& count : reading.entities) {
            if (!SameLayer(count.layer, layerNames[i]) || IsAnnotationEntity(count.type)) {
                continue;
            }
            (ImportReadsEntityType(count.type, allEntities) ? counts[i].read : counts[i].notRead) +=
                count.count;
        }
        if (i < dropped.size()) {
            size_t drops = dropped[i].listed.size();
            for (size_t more : dropped[i].unlisted) {
                drops += more;
            }
            drops = std::min(drops, counts[i].read);
            counts[i].read -= drops;
            counts[i].notRead += drops;
        }
    }
    return counts;
}

std::optional<int32_t> ReadInsUnits(std::string_view text) {
    enum class State { SeekSection, SectionName, Header, Variable };
    State state = State::SeekSection;
    DxfPairReader reader(text);
    DxfPair pair;
    while (reader.next(pair)) {
        switch (state) {
            case State::SeekSection:
                if (pair.code == "0" && pair.value == "SECTION") {
                    state = State::SectionName;
                }
                break;
            case State::SectionName:
                state =
                    pair.code == "2" && pair.value == "HEADER" ? State::Header : State::SeekSection;
                break;
            case State::Header:
            case State::Variable:
                if (pair.code == "0") {
                    return std::nullopt;  // the header ends without it
                }
                if (pair.code == "9") {
                    state = pair.value == "$INSUNITS" ? State::Variable : State::Header;
                } else if (state == State::Variable && pair.code == "70") {
                    return ParseDxfInteger(pair.value);
                }
                break;
        }
    }
    return std::nullopt;
}

std::optional<int32_t> UnitOfInsUnits(int32_t insUnits) {
    switch (insUnits) {
        case 1:
            return 3;  // inches
        case 2:
            return 4;  // feet
        case 4:
            return 0;  // millimetres
        case 5:
            return 1;  // centimetres
        case 6:
            return 2;  // metres
        default:
            return std::nullopt;
    }
}

std::string SuggestedUnitText(std::optional<int32_t> insUnits) {
    if (!insUnits || *insUnits == 0) {
        return {};
    }
    const std::string value = std::to_string(*insUnits);
    if (const auto unit = UnitOfInsUnits(*insUnits)) {
        return "Suggested unit: " + UnitName(*unit) + " (the drawing's $INSUNITS is " + value + ")";
    }
    return "The drawing's $INSUNITS is " + value + ", which names none of mm, cm, m, in, ft";
}
