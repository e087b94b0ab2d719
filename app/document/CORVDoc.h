// The plan document: the plan, every analysis result and the settings that the analyses and
// the view read. One document lives for the whole run; New, Open and import reset it.
//
// It never touches a window system: everything it needs from the user goes through the
// DocumentUi port given at construction.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "document/DocumentContent.h"
#include "document/DocumentUi.h"
#include "document/DurableFile.h"
#include "document/IsovistRecord.h"
#include "document/PlanTypes.h"

struct IsovistScratch;
struct ObservationPointRequest;
struct PlanTables;

// The members are the document's content (DocumentContent); the class adds the commands.
class CORVDoc : public DocumentContent {
  public:
    explicit CORVDoc(DocumentUi& ui);
    ~CORVDoc();
    CORVDoc(const CORVDoc&) = delete;
    CORVDoc& operator=(const CORVDoc&) = delete;

    DocumentUi& ui() { return *m_ui; }

    // Starts a new document: title "Untitled", then a reset. Always succeeds.
    bool OnNewDocument();
    // Puts every member to its reset value (construction-only values are kept), then asks the
    // views to redraw.
    void ResetDocument();
    // Derives the wall vertex and segment tables from m_planPolygons.
    void RebuildWallTables();
    // The first m_wallSegmentCount wall segments, never more than the table holds (a count
    // read from a damaged file is not trusted).
    std::span<const PlanSegment> WallSegments() const;
    // Sets m_planExtent from m_planPolygons; with no points at all it is left unchanged.
    void ComputePlanExtent();

    // Sets the document title, remembered so that long runs can restore it.
    void SetTitle(const std::string& title);
    const std::string& GetTitle() const { return m_title; }

    // ---- isovist computation ----
    // The isovist at (x, y) by the method of the settings; radial statistics, when the radial
    // method produced them, go to m_pointRadialStats. The result replaces the last one.
    void ComputePointIsovist(double x, double y);
    // The same, with the radial statistics written into `stats`.
    void ComputeIsovist(double x, double y, RadialStats& stats);
    // A read-only view of the plan for the reentrant isovist engine (valid until the plan
    // changes).
    PlanTables isovistPlanTables() const;
    // ---- end isovist computation ----

    // --- point isovist commands ---
    // "Point Isovist At...": asks for a point (filled with m_lastPointIsovistAt); on OK
    // computes the isovist there as the typed-point overload does. Cancel changes nothing.
    void OnPointIsovistAt();
    // Computes the point isovist at the typed point, remembers the point and redraws.
    void OnPointIsovistAt(const PlanPoint& point);
    // Fills every measure of m_pointIsovist, occlusivity included, against the walls.
    void MeasurePointIsovist();
    // "Point Isovist Properties...": measures m_pointIsovist (occlusivity included), then shows
    // the Isovist Properties dialog on a copy of it and of m_pointRadialStats.
    void OnPointIsovistProperties();
    // "Point Isovist Subdivision...": the subdivision dialog on the point isovist; its sectors
    // are freed when it closes and nothing is written back.
    void OnPointIsovistSubdivision();
    // Restricts source's isovist to halfAngle degrees either side of direction (degrees) into
    // target and measures it against the walls. Source and target may be the same record.
    void ApplyViewCone(const IsovistRecord& source, IsovistRecord& target, double direction,
                       double halfAngle) const;
    // --- end point isovist commands ---

    // --- grid commands ---
    // "Grid Setup/Options...": the Grid Options dialog on the grid options; OK stores them and
    // leaves only the "options given" stage (the old cells stay until Initialize Grid).
    void OnGridOptions();
    // "Initialize Grid": lays the grid over the plan extent with the grid options and marks
    // its effective cells; no current cell, no results. A span that is not a positive number,
    // offsets that leave no area or a grid too large to count are refused with a message and
    // the old grid is kept (false).
    bool OnInitializeGrid();
    // "Create Grid Isovist": the grid run (isovists of every effective cell, with graph
    // measures the visibility graph and its measures, then the path counts) behind the
    // Progress dialog; the results replace the old ones when the run ends.
    void OnCreateGridIsovist();
    // "Depth from current cell": every effective cell's step depth from the current cell.
    void OnGridDepthFromCurrentCell();
    // The grid entries that fill their values first, then show them: a shape measure
    // (codes 2 Perimeter, 3 Drift, 4 Occlusivity, 5 Compactness, 7 Circularity, 8 Visible
    // Perimeter Ratio) recomputed over the cells, the custom points counted per cell, and
    // "User defined..." reading one value per effective cell from a text file.
    void OnGridShapeMeasure(int32_t code);
    void OnGridPointCount();
    void OnGridUserDefined();
    // Grid "Isovist Properties...": the properties dialog on the current cell's isovist.
    void OnGridCellProperties();
    // --- end grid commands ---

    // --- report commands ---
    // Grid "Export, Comma Separated Values...": "No grid data to export" without cells; else
    // the save dialog and the grid file (WriteGridCsv). Cancel ends silently; a file that
    // cannot be written is reported and the old file at that path is kept.
    void OnExportGridCsv();
    // The grid file of the cells and the radial array in the form of the isovist method,
    // written whole or not at all.
    FileWriteOutcome WriteGridCsv(const std::string& path) const;
    // Grid "View Report...": the grid report in the Analysis Summary dialog; nothing without
    // cells.
    void OnGridReport();
    // --- end report commands ---

    // --- path commands ---
    // "Path Options...": the Path Options dialog on the current path and the path options; OK
    // stores the chosen path as the current path and every option.
    void OnPathOptions();
    // "Create Observation Points...": "Invalid path" unless the current path is a path of at
    // least 2 nodes; then the dialog and CreateObservationPoints.
    void OnCreateObservationPoints();
    // Replaces the observation points of the current path (or of every path) as the request
    // asks; false after the message of a refused request (nothing changed).
    bool CreateObservationPoints(const ObservationPointRequest& request);
    // "Create Path Isovist": ComputePathIsovists, then a redraw.
    void OnCreatePathIsovist();
    // The isovist of every observation point of the current path into m_pathIsovists (and
    // m_pathRadialStats with the radial method), the progress "%d/%d" as the run's title, the
    // document title restored afterwards. False after its message when there is nothing to run,
    // and when the user cancelled the run (the previous results stay).
    bool ComputePathIsovists();
    // "Apply View Angle": asks for the full angle, then ApplyViewAngle. Nothing without records.
    void OnApplyViewAngle();
    // Narrows every path isovist to `angle` degrees around its heading along the path.
    void ApplyViewAngle(double angle);
    // "View Path Data": the Path Isovist Data dialog; "No current path" without one.
    void OnViewPathData();
    // "User Defined..." of the Path menu: one value per observation point of the current path
    // from a text file into the records' userValue; then the user values are shown.
    void OnPathUserDefined();
    // --- end path commands ---

    // --- path report commands ---
    // Path "Export, Comma Separated Values...": "No results to export" without records; else
    // the save dialog and the path file (WritePathCsv). Cancel ends silently.
    void OnExportPathCsv();
    FileWriteOutcome WritePathCsv(const std::string& path) const;
    // "Comma Separated Values (All Paths)...": after the question, the isovists of every path
    // recomputed path by path into one file; the current path's results are removed.
    void OnExportAllPathsCsv();
    // The all-paths file without the dialogs: written whole or not at all; only when it was
    // written are the current path's results removed. Empty when the user cancelled the run
    // (no file is made).
    std::optional<FileWriteOutcome> WriteAllPathsCsv(const std::string& path);
    // Path "View Report...": the path report in the Analysis Summary dialog; nothing without
    // records.
    void OnPathReport();
    // --- end path report commands ---

    // --- picking ---
    // What a click in the plan did: whether the view needs a redraw, whether the document
    // changed (commands to refresh) and the status-bar text, if any.
    struct PickOutcome {
        bool redraw = false;
        bool changed = false;
        std::optional<std::string> status;
    };
    // A click at a plan point: with the point isovist shown, the isovist there; else, with
    // grid results and the grid shown, the cell under the point becomes the current cell and
    // the status names its centre or, with the grid results shown, its displayed value.
    PickOutcome OnPickPoint(PlanPoint point);
    // --- end picking ---

    // --- import and file operations ---
    enum class ImportOutcome { Imported, Cancelled, Failed };
    enum class TransferDirection { Write, Read };

    // "Import DXF": the file dialog, then the layer dialog and the import; Cancel in the layer
    // dialog opens the file dialog again.
    void OnImportDxf();
    // Imports one drawing through the layer dialog, replacing the plan. Failed leaves the
    // document unchanged, except after "No boundary is found", which leaves it reset.
    ImportOutcome ImportDxfFile(const std::string& path);
    // The smaller imports: paths, custom points and axial lines added to the plan.
    void OnImportPathsFromDxf();
    void OnImportPointsFromDxf();
    void OnImportAxialLinesFromDxf();

    // Writes or reads the document file; does nothing for an empty path. False when the file
    // could not be written (the old file is then untouched) or opened.
    bool TransferDocumentFile(TransferDirection direction, const std::string& path);
    // File commands; the document is never marked modified.
    void OnFileSave();
    void OnFileSaveAs();
    void OnFileOpen();
    // Opens a document file as this document; false (with a message, document unchanged) when
    // it cannot be read.
    bool OpenDocument(const std::string& path);
    // --- end import and file operations ---

    // --- axial commands ---
    // "Run Analysis": joins the axial lines that cross and fills every line's record with
    // its graph measures; then offers the axial colour scale and shows Length. Refused with
    // a message without lines or with more lines than the stored graph can count.
    void OnRunAxialAnalysis();
    // "Generate All Line Axial Map" / "Generate Reduced Axial Map": the lines of the plan's
    // corners added to (Yes) or replacing (No) the axial lines, under a wait cursor.
    void OnGenerateAllLineAxialMap();
    void OnGenerateReducedAxialMap();
    // Axial "Export, Comma Separated Values...": "There are no axial lines" without lines,
    // else the save dialog and the axial file (WriteAxialCsv); "Internal error" when the
    // records do not match the lines.
    void OnExportAxialCsv();
    // The axial file, whole or not at all (WriteFailed, nothing written, when the records do
    // not match the lines).
    FileWriteOutcome WriteAxialCsv(const std::string& path) const;
    // --- end axial commands ---

  private:
    void PickGridCell(PlanPoint point, PickOutcome& outcome);

    DocumentUi* m_ui;
    std::string m_title;
    // Working tables of the point isovist, made at the first request (shared_ptr so that the
    // document needs no complete type of the isovist module's scratch).
    std::shared_ptr<IsovistScratch> m_isovistScratch;
};
