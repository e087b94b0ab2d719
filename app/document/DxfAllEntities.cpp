#include "document/DxfAllEntities.h"

#include <optional>

#include "document/DxfOldPolyline.h"
#include "document/DxfPairReader.h"
#include "document/DxfPlanReaders.h"

namespace {

// One entity holds at most this many groups (a polyline of 2,000,000 vertices and then some);
// beyond, the rest of the entity is not kept, so that one entity cannot fill memory.
constexpr size_t kMaxGroupsPerEntity = 8'000'064;

void AddCount(std::vector<DxfTypeCount>& counts,
              std::map<std::pair<std::string, std::string>, size_t>& index,
              const std::string& layer, const std::string& type) {
    auto key = std::make_pair(UpperAscii(TrimDxf(layer)), type);
    const auto [found, added] = index.emplace(std::move(key), counts.size());
    if (added) {
        counts.push_back({layer, type, 0});
    }
    ++counts[found->second].count;
}

// Gathers the placed shapes into the reading.
class ReadingSink : public DxfShapeSink {
  public:
    explicit ReadingSink(DxfAllEntitiesReading& reading) : reading_(reading) {}

    void shape(const DxfShape& shape, const std::string& layer,
               const DxfPlacement& placement) override {
        std::vector<PlanPoint> points = shape.points;
        if (!placement.isIdentity()) {
            for (PlanPoint& p : points) {
                p = placement.apply(p);
            }
            if (!DxfPointsInRange(points)) {
                dropped({shape.kind, layer, shape.line, shape.handle, DxfDropReason::OutOfRange,
                         "a placed point is out of range"});
                return;
            }
        }
        DxfLayerShapes& target = reading_.layers[UpperAscii(TrimDxf(layer))];
        switch (shape.kind) {
            case DxfEntityKind::Polyline:
            case DxfEntityKind::OldPolyline:
                target.polylines.push_back({std::move(points), shape.closedFlag});
                break;
            case DxfEntityKind::Line:
                target.lines.push_back({points[0], points[1]});
                break;
            case DxfEntityKind::Circle: {
                DxfCircle circle{points[0], shape.radius, {}};
                if (!placement.isIdentity()) {
                    circle.outlineMap = {placement.a, placement.b, placement.c, placement.d};
                    // The placed octagon, not only its centre, must stay within range.
                    if (!DxfPointsInRange(CircleOctagon(circle).points())) {
                        dropped({shape.kind, layer, shape.line, shape.handle,
                                 DxfDropReason::OutOfRange, "a placed point is out of range"});
                        return;
                    }
                }
                target.circles.push_back(circle);
                break;
            }
            case DxfEntityKind::Arc:
                target.arcs.push_back(std::move(points));
                break;
            case DxfEntityKind::Insert:
                break;
        }
    }

    void dropped(DxfDroppedEntity&& entity) override {
        const bool polyline =
            entity.kind == DxfEntityKind::Polyline || entity.kind == DxfEntityKind::OldPolyline;
        if (polyline && entity.reason == DxfDropReason::OutOfRange) {
            DxfLayerShapes& target = reading_.layers[UpperAscii(TrimDxf(entity.layer))];
            if (target.polylines.empty() && !target.polylineRefusedFirst) {
                target.polylineRefusedFirst = entity;
            }
        }
        keep(std::move(entity));
    }

    void keep(DxfDroppedEntity&& entity) {
        if (reading_.dropped.size() < DxfAllEntitiesReading::kMaxDropsKept) {
            reading_.dropped.push_back(std::move(entity));
        } else {
            ++reading_.droppedBeyond;
        }
    }

    void unreadInBlock(const std::string& layer, const std::string& type) override {
        AddCount(reading_.unreadInBlocks, unreadIndex_, layer, type);
    }

  private:
    DxfAllEntitiesReading& reading_;
    std::map<std::pair<std::string, std::string>, size_t> unreadIndex_;
};

// Reads the sections in one pass: entity by entity, each read once it is whole.
class SectionReader {
  public:
    SectionReader(DxfAllEntitiesReading& reading, ReadingSink& sink)
        : reading_(reading), sink_(sink) {}

    void read(std::string_view text) {
        enum class State { SeekSection, SectionName, Blocks, Entities, OtherSection };
        State state = State::SeekSection;
        DxfPairReader reader(text);
        DxfPair pair;
        while (reader.next(pair)) {
            if (state == State::SectionName) {
                state = pair.code != "2"           ? State::SeekSection
                        : pair.value == "BLOCKS"   ? State::Blocks
                        : pair.value == "ENTITIES" ? State::Entities
                                                   : State::OtherSection;
                inEntities_ = state == State::Entities;
                block_ = nullptr;
                continue;
            }
            if (pair.code == "0" && pair.value == "ENDSEC") {
                endEntity();
                if (polyline_.active()) {
                    addReading(polyline_.finish(false), DxfEntityText{});
                }
                state = State::SeekSection;
                continue;
            }
            if (state == State::SeekSection || state == State::OtherSection) {
                if (pair.code == "0" && pair.value == "SECTION") {
                    state = State::SectionName;
                }
                continue;
            }
            if (pair.code == "0") {
                endEntity();
                current_.emplace();
                current_->type = pair.value;
                current_->line = pair.line;
                continue;
            }
            if (current_ && current_->groups.size() < kMaxGroupsPerEntity) {
                const auto code = ParseDxfInteger(pair.code);
                current_->groups.push_back({code ? *code : -1, TrimDxf(pair.rawValue)});
            }
        }
        if (state == State::Blocks || state == State::Entities) {
            cutOff();
        }
    }

    std::vector<DxfBlockItem> topLevel;
    DxfBlockTable blocks;

  private:
    void add(DxfBlockItem item) {
        if (inEntities_) {
            topLevel.push_back(std::move(item));
        } else if (block_) {
            block_->items.push_back(std::move(item));
        } else if (auto* drop = std::get_if<DxfDroppedEntity>(&item)) {
            sink_.keep(std::move(*drop));
        }
    }

    // Drops inside blocks are told once here; at the top level they keep their place.
    void addReading(DxfEntityReading reading, const DxfEntityText& entity) {
        if (auto* shape = std::get_if<DxfShape>(&reading)) {
            add(std::move(*shape));
        } else if (auto* insert = std::get_if<DxfInsert>(&reading)) {
            add(std::move(*insert));
        } else if (auto* drop = std::get_if<DxfDroppedEntity>(&reading)) {
            if (inEntities_) {
                add(std::move(*drop));
            } else {
                sink_.keep(std::move(*drop));
            }
        } else if (!inEntities_) {
            add(DxfUnreadEntity{entity.type, entity.layer()});
        }
    }

    void endEntity() {
        if (!current_) {
            return;
        }
        DxfEntityText entity = std::move(*current_);
        current_.reset();
        const std::string& type = entity.type;
        if (type == "VERTEX" && polyline_.active()) {
            polyline_.addVertex(entity);
            return;
        }
        if (polyline_.active()) {
            addReading(polyline_.finish(type == "SEQEND"), entity);
            if (type == "SEQEND") {
                return;
            }
        }
        if (inEntities_ && type != "SEQEND" && type != "VERTEX" && type != "ATTRIB") {
            AddCount(reading_.entities, entityIndex_, entity.layer(), type);
        }
        if (!inEntities_) {
            if (type == "BLOCK") {
                startBlock(entity);
                return;
            }
            if (type == "ENDBLK") {
                block_ = nullptr;
                return;
            }
        }
        if (type == "POLYLINE") {
            polyline_.start(entity);
            return;
        }
        if (type == "SEQEND" || type == "VERTEX" || type == "ATTRIB") {
            return;  // belongs to nothing read
        }
        addReading(ReadEntityParts(entity), entity);
    }

    // The file ended inside an entity (or a polyline's vertices): it is not read.
    void cutOff() {
        std::optional<DxfEntityKind> kind;
        DxfDroppedEntity drop;
        if (polyline_.active()) {
            auto finished = polyline_.finish(false);
            if (auto* dropped = std::get_if<DxfDroppedEntity>(&finished)) {
                drop = std::move(*dropped);
                kind = DxfEntityKind::OldPolyline;
            }
        } else if (current_) {
            kind = DxfEntityKindOf(current_->type);
            drop = {kind.value_or(DxfEntityKind::Line),
                    current_->layer(),
                    current_->line,
                    current_->handle(),
                    DxfDropReason::CutOff,
                    {}};
        }
        current_.reset();
        if (kind) {
            drop.reason = DxfDropReason::CutOff;
            drop.detail = "cut off by the end of the file";
            addReading(std::move(drop), DxfEntityText{});
        }
    }

    void startBlock(const DxfEntityText& entity) {
        block_ = nullptr;
        const std::string name(entity.first(2).value_or(std::string_view()));
        double x = 0.0, y = 0.0;
        const auto xText = entity.first(10), yText = entity.first(20);
        const bool based = (!xText || !ReadDxfBounded("10", *xText, *xText, x)) &&
                           (!yText || !ReadDxfBounded("20", *yText, *yText, y));
        if (name.empty() || !based) {
            return;  // its entities are then read into no block
        }
        const auto [found, added] =
            blocks.emplace(UpperAscii(TrimDxf(name)), DxfBlock{name, {x, y}, {}});
        if (added) {
            block_ = &found->second;
        }
    }

    DxfAllEntitiesReading& reading_;
    ReadingSink& sink_;
    bool inEntities_ = false;
    DxfBlock* block_ = nullptr;
    std::optional<DxfEntityText> current_;
    DxfOldPolyline polyline_;
    std::map<std::pair<std::string, std::string>, size_t> entityIndex_;
};

const DxfLayerShapes kNoShapes;

}  // namespace

const DxfLayerShapes& DxfAllEntitiesReading::layer(std::string_view name) const {
    const auto found = layers.find(UpperAscii(TrimDxf(name)));
    return found == layers.end() ? kNoShapes : found->second;
}

DxfAllEntitiesReading ReadAllEntities(const DxfDrawing& drawing) {
    DxfAllEntitiesReading reading;
    ReadingSink sink(reading);
    SectionReader sections(reading, sink);
    sections.read(drawing.text());
    DxfBlockPlacer placer(sections.blocks, sink);
    placer.placeTopLevel(sections.topLevel);
    reading.limitNotes = placer.limitNotes();
    return reading;
}
