// Runs the whole DXF import on arbitrary bytes, as the Import command does through the
// headless port, then a point isovist on the imported plan.
//
// The first kHeaderBytes bytes steer the run, the rest is the drawing:
//   0  layer roles: 0 the automatic choice; 1 layer [1] the boundary, every other a wall;
//      2 layer [1] the boundary, layer i otherwise role ([2] + i) mod 7; 3 every layer a wall
//   3  answers of the questions, one bit per question asked (bit 0 first)
//   4, 5  the isovist point, as fractions of the plan extent widened by a tenth each side
//   6  bit 0: the radial method instead of the exact one; bit 1: read arcs, old-style polylines
//      and blocks; bit 2: let the import pass without a Boundary layer, as the command line does
//   7  the view cone's direction and half angle
// The import reads from a path, so the drawing goes to a scratch file.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <string>

#include "FuzzScratch.h"
#include "document/CORVDoc.h"
#include "document/DocumentSettings.h"
#include "document/LayerDialogModel.h"

namespace {

constexpr size_t kHeaderBytes = 8;

class SteeredUi : public HeadlessDocumentUi {
  public:
    explicit SteeredUi(const uint8_t* header) : header_(header) {}

    bool askYesNo(const std::string&) override {
        const bool yes = ((header_[3] >> (asked_ % 8)) & 1) != 0;
        ++asked_;
        return yes;
    }

    bool chooseLayerRoles(LayerDialogModel& model) override {
        LayerTable& table = model.table;
        const int count = table.count();
        const int chosen = count > 0 ? header_[1] % count : 0;
        for (int i = 0; i < count; ++i) {
            LayerRole& role = table.roles[static_cast<size_t>(i)];
            switch (header_[0] % 4) {
                case 0:
                    break;  // as the automatic choice made it
                case 1:
                    role = i == chosen ? LayerRole::Boundary : LayerRole::Wall;
                    break;
                case 2:
                    role = i == chosen ? LayerRole::Boundary
                                       : static_cast<LayerRole>((header_[2] + i) % kLayerRoleCount);
                    break;
                default:
                    role = LayerRole::Wall;
                    break;
            }
        }
        model.readAllEntities = (header_[6] & 2) != 0;
        model.boundaryMayBeMissing = (header_[6] & 4) != 0;
        // What the dialog would show, for either state of the option.
        (void)DroppedEntityLines(model);
        (void)NotReadLines(model);
        return AcceptLayerChoice(model, *this);
    }

  private:
    const uint8_t* header_;
    unsigned asked_ = 0;
};

double Along(double low, double high, uint8_t fraction) {
    const double width = high - low;
    return low - 0.1 * width + 1.2 * width * (fraction / 255.0);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < kHeaderBytes) {
        return 0;
    }
    const std::string path =
        fuzzscratch::Write("drawing.dxf", data + kHeaderBytes, size - kHeaderBytes);
    if (path.empty()) {
        return 0;
    }
    SteeredUi ui(data);
    CORVDoc doc(ui);
    if (doc.ImportDxfFile(path) != CORVDoc::ImportOutcome::Imported) {
        return 0;
    }
    const PlanExtent& extent = doc.m_planExtent;
    const double x = Along(extent.minX, extent.maxX, data[4]);
    const double y = Along(extent.minY, extent.maxY, data[5]);
    if (!std::isfinite(x) || !std::isfinite(y)) {
        return 0;
    }
    doc.m_settings.m_isovistMethod = (data[6] & 1) != 0 ? kApproximateRadialMethod : kExactNodeMethod;
    doc.OnPointIsovistAt(PlanPoint{x, y});
    doc.OnPointIsovistProperties();
    IsovistRecord cone;
    doc.ApplyViewCone(doc.m_pointIsovist, cone, (data[7] >> 4) * 24.0, (data[7] & 15) * 12.0);
    return 0;
}
