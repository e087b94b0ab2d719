// The document's window onto the user: everything the core needs from a window system.
//
// The desktop program implements it with real widgets; tests implement it with a scripted fake
// (app/testing/FakeDocumentUi.h) that records every message and answers questions from a queue.
// Texts are UTF-8 and are shown exactly as given.
#pragma once

#include <optional>
#include <string>

#include "document/LayerDialogModel.h"
#include "document/LongTask.h"
#include "document/PlanTypes.h"

struct GridOptionsDialogModel;
struct ObservationPointsDialogModel;
struct PathDataTable;
struct PathOptionsDialogModel;
struct IsovistPropertiesTexts;
class IsovistSubdivision;

class DocumentUi {
public:
    virtual ~DocumentUi() = default;

    // A modal box with an OK button.
    virtual void message(const std::string& text) = 0;
    // A modal Yes/No box; true for Yes.
    virtual bool askYesNo(const std::string& text) = 0;

    // File dialogs. `filter` is in the form "Description (*.ext)|*.ext||" as the commands give it;
    // `defaultExt` has no dot. Empty optional when the user cancels.
    virtual std::optional<std::string> chooseOpenFile(const std::string& filter,
                                                      const std::string& defaultExt) = 0;
    virtual std::optional<std::string> chooseSaveFile(const std::string& filter,
                                                      const std::string& defaultExt,
                                                      const std::string& suggestedPath) = 0;

    virtual void redrawAll() = 0;
    virtual void setTitle(const std::string& title) = 0;
    virtual void setWaitCursor(bool on) = 0;

    // The modal "Progress" dialog of a long run: nothing runs until the user presses "Start";
    // then task.work runs (in the desktop program on a worker thread, the window repainting
    // behind the dialog), task.publish follows on the interface thread, and the dialog waits
    // for OK. True when the dialog was closed with OK, also when "Start" was never pressed;
    // false when it was closed otherwise, or the run was cancelled (then nothing is published).
    virtual bool runProgressDialog(LongTask& task) = 0;
    // A long run without the dialog's buttons (the caller shows its progress in the title):
    // work, then publish, with the window kept responsive. False when the user cancelled the
    // run: then nothing was published.
    virtual bool runLongTask(LongTask& task) = 0;

    // Dialogs. Every port answers each of them explicitly, so a dialog that a port forgets
    // fails to compile instead of quietly doing nothing.
    // --- point isovist dialogs ---
    // The "Point Isovist" dialog ("Enter a point", x= and y=) filled with `initial`; the typed
    // point, or empty on Cancel.
    virtual std::optional<PlanPoint> askPointIsovistAt(const PlanPoint& initial) = 0;
    // The "Isovist Properties" dialog; "Show units" (off when it opens) swaps the text sets.
    virtual void showIsovistProperties(const IsovistPropertiesTexts& texts) = 0;
    // The "Isovist Subdivision" dialog, bound to `subdivision` until it closes.
    virtual void runIsovistSubdivision(IsovistSubdivision& subdivision) = 0;
    // --- end point isovist dialogs ---

    // --- grid dialogs ---
    // The "Grid Options" dialog on `model`; true on OK (the model then holds the choice).
    virtual bool runGridOptions(GridOptionsDialogModel& model) = 0;
    // --- end grid dialogs ---

    // --- import and file dialogs ---
    // The "Layer" dialog: the user edits `model.table.roles`; OK must pass AcceptLayerChoice.
    // False on Cancel.
    virtual bool chooseLayerRoles(LayerDialogModel& model) = 0;
    // The General Options dialog, opened after a drawing is imported.
    virtual void showGeneralOptions() = 0;
    // Posts the "Zoom Extent" command to the main window.
    virtual void postZoomExtent() = 0;
    // Adds a document path to the recent-file list.
    virtual void addRecentFile(const std::string& path) = 0;
    // --- end import and file dialogs ---

    // --- report dialogs ---
    // The "Analysis Summary" dialog showing `text` ("\r\n" line ends) read-only; OK and Cancel
    // both close it.
    virtual void showAnalysisSummary(const std::string& text) = 0;
    // --- end report dialogs ---

    // --- path dialogs ---
    // The "Path Options" dialog on `model`; true on OK (the model then holds the choice).
    virtual bool runPathOptions(PathOptionsDialogModel& model) = 0;
    // The "Create Observation Points" dialog on `model`; true on OK.
    virtual bool runCreateObservationPoints(ObservationPointsDialogModel& model) = 0;
    // The prompt titled "Viewing angle in degree (0~180)", its field 0 when it opens; the
    // number typed, or empty on Cancel.
    virtual std::optional<double> askViewAngle() = 0;
    // The "Path Isovist Data" dialog showing `table`; it changes nothing.
    virtual void showPathData(const PathDataTable& table) = 0;
    // --- end path dialogs ---
};

// A port with nobody behind it, for batch runs and fuzzing: messages are dropped, questions are
// answered No, file dialogs are cancelled, and nothing is drawn. Override what a user stands in for.
class HeadlessDocumentUi : public DocumentUi {
public:
    void message(const std::string&) override {}
    bool askYesNo(const std::string&) override { return false; }
    std::optional<std::string> chooseOpenFile(const std::string&, const std::string&) override {
        return std::nullopt;
    }
    std::optional<std::string> chooseSaveFile(const std::string&, const std::string&,
                                              const std::string&) override {
        return std::nullopt;
    }
    void redrawAll() override {}
    void setTitle(const std::string&) override {}
    void setWaitCursor(bool) override {}
    // Starts the run at once and closes the dialog with OK.
    bool runProgressDialog(LongTask& task) override { return runLongTask(task); }
    bool runLongTask(LongTask& task) override {
        NullProgress progress;
        return RunTaskInline(task, progress);
    }
    // No point is typed; shown dialogs close at once.
    std::optional<PlanPoint> askPointIsovistAt(const PlanPoint&) override { return std::nullopt; }
    void showIsovistProperties(const IsovistPropertiesTexts&) override {}
    void runIsovistSubdivision(IsovistSubdivision&) override {}
    bool runGridOptions(GridOptionsDialogModel&) override { return false; }
    // The roles are taken as the automatic choice (or the caller's overrides) made them.
    bool chooseLayerRoles(LayerDialogModel& model) override {
        return AcceptLayerChoice(model, *this);
    }
    void showGeneralOptions() override {}
    void postZoomExtent() override {}
    void addRecentFile(const std::string&) override {}
    void showAnalysisSummary(const std::string&) override {}
    bool runPathOptions(PathOptionsDialogModel&) override { return false; }
    bool runCreateObservationPoints(ObservationPointsDialogModel&) override { return false; }
    std::optional<double> askViewAngle() override { return std::nullopt; }
    void showPathData(const PathDataTable&) override {}
};

// Shows the wait cursor for the lifetime of the object.
class WaitCursor {
public:
    explicit WaitCursor(DocumentUi& ui) : ui_(ui) { ui_.setWaitCursor(true); }
    ~WaitCursor() { ui_.setWaitCursor(false); }
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;

private:
    DocumentUi& ui_;
};
