// The plain value types every analysis shares: points, segments, polygons and polygon lists.
// Coordinates are doubles in plan units; y grows upwards.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

struct PlanPoint {
    double x = 0.0;
    double y = 0.0;
    friend bool operator==(const PlanPoint&, const PlanPoint&) = default;
};

struct PlanSegment {
    PlanPoint start;
    PlanPoint end;
    friend bool operator==(const PlanSegment&, const PlanSegment&) = default;
};

// A closed polygon or an open polyline, by use. Copying copies the points.
class PlanPolygon {
public:
    PlanPolygon() = default;
    explicit PlanPolygon(std::vector<PlanPoint> points) : points_(std::move(points)) {}

    int32_t count() const { return static_cast<int32_t>(points_.size()); }
    bool empty() const { return points_.empty(); }

    // Resizing to n > 0 discards the old points and gives n points at (0, 0);
    // resizing to 0 or less changes nothing.
    void resize(int32_t n) {
        if (n > 0) {
            points_.assign(static_cast<size_t>(n), PlanPoint{});
        }
    }
    // Frees the points (count 0).
    void clear() { points_.clear(); }

    PlanPoint& operator[](int32_t i) { return points_[static_cast<size_t>(i)]; }
    const PlanPoint& operator[](int32_t i) const { return points_[static_cast<size_t>(i)]; }

    std::vector<PlanPoint>& points() { return points_; }
    const std::vector<PlanPoint>& points() const { return points_; }

    // Strided views for the geometry library: x of point i is at xs()[2 * i].
    const double* xs() const { return points_.empty() ? nullptr : &points_[0].x; }
    const double* ys() const { return points_.empty() ? nullptr : &points_[0].y; }
    static constexpr uint32_t kStride = static_cast<uint32_t>(sizeof(PlanPoint));

    friend bool operator==(const PlanPolygon&, const PlanPolygon&) = default;

private:
    std::vector<PlanPoint> points_;
};

// An owned list of polygons. Starts with capacity 16; when an append makes the count reach the
// capacity, the capacity doubles. Clearing frees every polygon and keeps the capacity.
class PolygonList {
public:
    static constexpr int32_t kInitialCapacity = 16;

    PolygonList() { items_.reserve(kInitialCapacity); }

    int32_t count() const { return static_cast<int32_t>(items_.size()); }
    int32_t capacity() const { return capacity_; }
    bool empty() const { return items_.empty(); }

    void append(const PlanPolygon& polygon) {
        items_.push_back(polygon);
        if (count() == capacity_) {
            capacity_ *= 2;
            items_.reserve(static_cast<size_t>(capacity_));
        }
    }
    void clear() { items_.clear(); }

    PlanPolygon& operator[](int32_t i) { return items_[static_cast<size_t>(i)]; }
    const PlanPolygon& operator[](int32_t i) const { return items_[static_cast<size_t>(i)]; }

    std::vector<PlanPolygon>& items() { return items_; }
    const std::vector<PlanPolygon>& items() const { return items_; }

    friend bool operator==(const PolygonList& a, const PolygonList& b) { return a.items_ == b.items_; }

private:
    std::vector<PlanPolygon> items_;
    int32_t capacity_ = kInitialCapacity;
};

// Bounding box of all plan polygon points.
struct PlanExtent {
    double minX = 0.0;
    double maxX = 0.0;
    double minY = 0.0;
    double maxY = 0.0;

    friend bool operator==(const PlanExtent&, const PlanExtent&) = default;
};
