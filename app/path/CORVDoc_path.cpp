// The document's path commands: Path Options, Create Observation Points, Create Path Isovist,
// Apply View Angle, View Path Data and the path's User Defined values.
#include <memory>

#include "document/CORVDoc.h"
#include "grid/GridCellValues.h"
#include "isovist/IsovistEngine.h"
#include "path/ObservationPoints.h"
#include "path/PathDataTable.h"
#include "path/PathIsovists.h"
#include "path/PathOptionsDialogModel.h"
#include "path/PathUserValues.h"
#include "path/PathViewAngle.h"

namespace {

constexpr int32_t kPathUserDefinedProperty = 6;

// A path the commands can place points on: an index of m_paths with at least 2 nodes.
bool IsUsablePath(const CORVDoc& doc, int32_t index) {
    return index >= 0 && index < doc.m_paths.count() && doc.m_paths[index].count() >= 2;
}

// The observation points of path `index`; none when the document holds no list for it.
const PlanPolygon* ObservationPointsOf(const CORVDoc& doc, int32_t index) {
    if (index < 0 || index >= doc.m_observationPoints.count()) {
        return nullptr;
    }
    return &doc.m_observationPoints[index];
}

// Shows each finished point as the pass title "%d/%d".
class PointCountTitles : public ProgressSink {
  public:
    PointCountTitles(ProgressSink& inner, int total) : inner_(inner), total_(total) {}
    void beginPass(const std::string& title, int lower, int upper) override {
        inner_.beginPass(title, lower, upper);
    }
    void setPosition(int position) override {
        inner_.beginPass(PathProgressText(position, total_), 0, total_);
        inner_.setPosition(position);
    }
    bool stopRequested() const override { return inner_.stopRequested(); }

  private:
    ProgressSink& inner_;
    int total_;
};

}  // namespace

void CORVDoc::OnPathOptions() {
    PathOptionsDialogModel model = PathOptionsDialogModel::ForPaths(m_paths, m_currentPath);
    model.circleRadius = m_settings.pathCircleRadius;
    model.displayMethod = m_settings.pathDisplayMethod;
    model.useOffset = m_settings.useOffsetFromOrigin != 0;
    model.offsetStart = m_settings.offsetStart;
    model.offsetEnd = m_settings.offsetEnd;
    if (!m_ui->runPathOptions(model)) {
        return;
    }
    model.selectPath(model.selectedPath);
    m_currentPath = model.selectedPath;
    m_settings.pathCircleRadius = model.circleRadius;
    if (model.displayMethod >= 0 &&
        static_cast<size_t>(model.displayMethod) < DisplayMethodLabels().size()) {
        m_settings.pathDisplayMethod = model.displayMethod;
    }
    m_settings.useOffsetFromOrigin = model.useOffset ? 1 : 0;
    m_settings.offsetStart = model.offsetStart;
    m_settings.offsetEnd = model.offsetEnd;
    m_ui->redrawAll();
}

void CORVDoc::OnCreateObservationPoints() {
    if (!IsUsablePath(*this, m_currentPath)) {
        m_ui->message("Invalid path");
        return;
    }
    ObservationPointsDialogModel model;
    if (!m_ui->runCreateObservationPoints(model)) {
        return;
    }
    CreateObservationPoints(model.request);
}

bool CORVDoc::CreateObservationPoints(const ObservationPointRequest& request) {
    if (!IsUsablePath(*this, m_currentPath)) {
        m_ui->message("Invalid path");
        return false;
    }
    if (const auto refusal = CheckObservationPointRequest(request);
        refusal != ObservationPointRefusal::None) {
        m_ui->message(ObservationPointRefusalMessage(refusal));
        return false;
    }
    const PathOffset offset{m_settings.useOffsetFromOrigin != 0, m_settings.offsetStart,
                            m_settings.offsetEnd};
    const int32_t first = request.applyToAllPaths ? 0 : m_currentPath;
    const int32_t last = request.applyToAllPaths ? m_paths.count() - 1 : m_currentPath;
    for (int32_t i = first; i <= last; ++i) {
        if (IsUsablePath(*this, i) &&
            ObservationPointCount(request, offset, PathLength(m_paths[i])) < 0) {
            m_ui->message(ObservationPointRefusalMessage(ObservationPointRefusal::TooManyPoints));
            return false;
        }
    }
    while (m_observationPoints.count() < m_paths.count()) {
        m_observationPoints.append(PlanPolygon());
    }
    for (int32_t i = first; i <= last; ++i) {
        m_observationPoints[i] = PlaceObservationPoints(m_paths[i], request, offset);
    }
    m_ui->redrawAll();
    return true;
}

void CORVDoc::OnCreatePathIsovist() {
    ComputePathIsovists();
}

bool CORVDoc::ComputePathIsovists() {
    if (m_observationPoints.empty()) {
        m_ui->message("No path defined");
        return false;
    }
    const PlanPolygon* points = ObservationPointsOf(*this, m_currentPath);
    if (m_currentPath >= m_paths.count() || points == nullptr) {
        m_ui->message("Invalid path");
        return false;
    }
    if (points->empty()) {
        m_ui->message("Invalid path points");
        return false;
    }
    WaitCursor wait(*m_ui);

    // The run reads the plan and the points, both unchanged while it runs; the document takes
    // the records only in publish, so a cancelled run leaves the previous results.
    auto run = std::make_shared<PathIsovistRun>();
    const PlanTables plan = isovistPlanTables();
    const int32_t method = m_settings.m_isovistMethod;
    const std::vector<PlanPoint> origins = points->points();
    LongTask task;
    task.work = [run, plan, method, origins](ProgressSink& progress) {
        const int total = static_cast<int>(origins.size());
        progress.beginPass(PathProgressText(0, total), 0, total);
        PointCountTitles titles(progress, total);
        ::ComputePathIsovists(plan, origins, method, *run, titles);
    };
    task.publish = [this, run] {
        m_pathIsovists = std::move(run->records);
        m_pathRadialStats = std::move(run->radialStats);
    };
    const bool completed = m_ui->runLongTask(task);
    m_ui->setTitle(m_title);
    m_ui->redrawAll();
    return completed;
}

void CORVDoc::OnApplyViewAngle() {
    if (m_pathIsovists.empty()) {
        return;
    }
    const std::optional<double> angle = m_ui->askViewAngle();
    if (!angle) {
        return;
    }
    ApplyViewAngle(*angle);
}

void CORVDoc::ApplyViewAngle(double angle) {
    if (m_pathIsovists.empty()) {
        return;
    }
    ApplyPathViewAngle(m_pathIsovists, angle, WallSegments());
    m_ui->redrawAll();
}

void CORVDoc::OnViewPathData() {
    if (m_currentPath < 0) {
        m_ui->message("No current path");
        return;
    }
    m_ui->showPathData(MakePathDataTable(m_currentPath, m_pathIsovists, m_pathRadialStats,
                                         m_settings.m_isovistMethod, m_settings.m_unit));
}

void CORVDoc::OnPathUserDefined() {
    if (m_currentPath < 0) {
        m_ui->message("Invalid path");
        return;
    }
    const PlanPolygon* points = ObservationPointsOf(*this, m_currentPath);
    if (points == nullptr || points->empty()) {
        m_ui->message("No observation points");
        return;
    }
    if (m_pathIsovists.empty()) {
        return;
    }
    const auto count = static_cast<size_t>(points->count());
    const std::optional<std::vector<double>> values = ChooseUserValues(*m_ui, count);
    if (!values) {
        return;
    }
    if (!AssignPathUserValues(m_pathIsovists, *values, count)) {
        m_ui->message("Number of data is not consistent");
        return;
    }
    m_pathDisplayProperty = kPathUserDefinedProperty;
    m_ui->redrawAll();
}
