// A scripted DocumentUi for tests: records every call in order and answers questions and file
// dialogs from queues set up by the test. An empty queue answers "No" / "cancelled".
#pragma once

#include <deque>
#include <functional>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "document/DocumentUi.h"

class FakeDocumentUi : public DocumentUi {
  public:
    // Everything the document showed or asked, in order.
    std::vector<std::string> messages;   // message boxes
    std::vector<std::string> questions;  // Yes/No boxes
    std::vector<std::string> titles;
    int redrawCount = 0;
    int waitCursorDepth = 0;
    int waitCursorShown = 0;
    // Passes and positions reported by long runs (the last position of each pass is kept
    // exactly; every position is recorded).
    std::vector<std::string> progressTitles;
    std::vector<int> progressPositions;
    int progressDialogs = 0;
    int longTasks = 0;
    std::vector<std::string> fileDialogFilters;

    // Scripted answers.
    std::deque<bool> yesNoAnswers;
    std::deque<std::optional<std::string>> fileAnswers;
    // The Progress dialog: whether the user presses "Start", then whether OK closes it.
    bool pressStart = true;
    bool closeProgressWithOk = true;
    // The user presses Cancel once a run has reported this many positions (never when
    // negative); the run's own calls to setPosition are counted, whatever the thread.
    int cancelAfterPositions = -1;

    void message(const std::string& text) override { messages.push_back(text); }

    bool askYesNo(const std::string& text) override {
        questions.push_back(text);
        if (yesNoAnswers.empty()) {
            return false;
        }
        const bool answer = yesNoAnswers.front();
        yesNoAnswers.pop_front();
        return answer;
    }

    std::optional<std::string> chooseOpenFile(const std::string& filter,
                                              const std::string&) override {
        return nextFile(filter);
    }

    std::optional<std::string> chooseSaveFile(const std::string& filter, const std::string&,
                                              const std::string&) override {
        return nextFile(filter);
    }

    void redrawAll() override { ++redrawCount; }
    void setTitle(const std::string& title) override { titles.push_back(title); }

    void setWaitCursor(bool on) override {
        waitCursorDepth += on ? 1 : -1;
        if (on) {
            ++waitCursorShown;
        }
    }

    bool runProgressDialog(LongTask& task) override {
        ++progressDialogs;
        if (pressStart) {
            Recorder recorder(*this);
            if (!RunTaskInline(task, recorder)) {
                return false;  // cancelled: the dialog closes without OK
            }
        }
        return closeProgressWithOk;
    }
    bool runLongTask(LongTask& task) override {
        ++longTasks;
        Recorder recorder(*this);
        return RunTaskInline(task, recorder);
    }

    // Dialogs: no point is typed, the layer roles are taken as they are, and every other
    // dialog is recorded by name in `dialogs` and closed; tests that need more override these.
    std::vector<std::string> dialogs;

    std::optional<PlanPoint> askPointIsovistAt(const PlanPoint&) override { return std::nullopt; }
    void showIsovistProperties(const IsovistPropertiesTexts&) override {
        dialogs.push_back("Isovist Properties");
    }
    void runIsovistSubdivision(IsovistSubdivision&) override {
        dialogs.push_back("Isovist Subdivision");
    }
    bool chooseLayerRoles(LayerDialogModel& model) override {
        return AcceptLayerChoice(model, *this);
    }
    // The "Grid Options" dialog: the script edits the model and answers OK (true) or Cancel;
    // without a script the dialog is cancelled.
    std::function<bool(GridOptionsDialogModel&)> gridOptionsScript;
    bool runGridOptions(GridOptionsDialogModel& model) override {
        dialogs.push_back("Grid Options");
        return gridOptionsScript ? gridOptionsScript(model) : false;
    }
    void showGeneralOptions() override { dialogs.push_back("General Options"); }
    void postZoomExtent() override { dialogs.push_back("Zoom Extent"); }
    void addRecentFile(const std::string& path) override { dialogs.push_back("Recent file " + path); }
    // The texts the "Analysis Summary" dialog showed, in order.
    std::vector<std::string> analysisSummaries;
    void showAnalysisSummary(const std::string& text) override {
        dialogs.push_back("Analysis Summary");
        analysisSummaries.push_back(text);
    }
    // The path dialogs: the scripts edit the model and answer OK (true) or Cancel; without a
    // script a dialog is cancelled. The view-angle prompt answers from its queue (empty:
    // Cancel); a shown data table goes to pathDataScript.
    std::function<bool(PathOptionsDialogModel&)> pathOptionsScript;
    std::function<bool(ObservationPointsDialogModel&)> observationPointsScript;
    std::deque<double> viewAngleAnswers;
    std::function<void(const PathDataTable&)> pathDataScript;
    bool runPathOptions(PathOptionsDialogModel& model) override {
        dialogs.push_back("Path Options");
        return pathOptionsScript ? pathOptionsScript(model) : false;
    }
    bool runCreateObservationPoints(ObservationPointsDialogModel& model) override {
        dialogs.push_back("Create Observation Points");
        return observationPointsScript ? observationPointsScript(model) : false;
    }
    std::optional<double> askViewAngle() override {
        dialogs.push_back("Viewing angle in degree (0~180)");
        if (viewAngleAnswers.empty()) {
            return std::nullopt;
        }
        const double angle = viewAngleAnswers.front();
        viewAngleAnswers.pop_front();
        return angle;
    }
    void showPathData(const PathDataTable& table) override {
        dialogs.push_back("Path Isovist Data");
        if (pathDataScript) {
            pathDataScript(table);
        }
    }

  private:
    // Records progress; positions may arrive from several threads at once.
    class Recorder : public ProgressSink {
      public:
        explicit Recorder(FakeDocumentUi& ui) : ui_(ui) {}
        void beginPass(const std::string& title, int, int) override {
            std::lock_guard lock(mutex_);
            ui_.progressTitles.push_back(title);
        }
        void setPosition(int position) override {
            std::lock_guard lock(mutex_);
            ui_.progressPositions.push_back(position);
            ++positions_;
        }
        bool stopRequested() const override {
            std::lock_guard lock(mutex_);
            return ui_.cancelAfterPositions >= 0 && positions_ >= ui_.cancelAfterPositions;
        }

      private:
        FakeDocumentUi& ui_;
        mutable std::mutex mutex_;
        int positions_ = 0;
    };

    std::optional<std::string> nextFile(const std::string& filter) {
        fileDialogFilters.push_back(filter);
        if (fileAnswers.empty()) {
            return std::nullopt;
        }
        auto answer = fileAnswers.front();
        fileAnswers.pop_front();
        return answer;
    }
};
