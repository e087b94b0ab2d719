// The document's UI port on real widgets: message boxes, Yes/No questions, file dialogs, the
// wait cursor, the window title, redraws and a modal progress dialog.
#pragma once

#include <QPointer>
#include <functional>
#include <memory>

#include "document/DocumentUi.h"

class QWidget;

class WidgetDocumentUi : public DocumentUi {
  public:
    struct Hooks {
        std::function<void()> redraw;
        std::function<void(const std::string&)> title;
        std::function<void()> generalOptions;
        std::function<void()> zoomExtent;
        std::function<void(const std::string&)> recentFile;
    };

    WidgetDocumentUi();
    ~WidgetDocumentUi() override;

    // The window that owns the dialogs, and what redraw and title do there.
    void attach(QWidget* window, Hooks hooks);

    void message(const std::string& text) override;
    bool askYesNo(const std::string& text) override;
    std::optional<std::string> chooseOpenFile(const std::string& filter,
                                              const std::string& defaultExt) override;
    std::optional<std::string> chooseSaveFile(const std::string& filter,
                                              const std::string& defaultExt,
                                              const std::string& suggestedPath) override;
    void redrawAll() override;
    void setTitle(const std::string& title) override;
    void setWaitCursor(bool on) override;
    bool runProgressDialog(LongTask& task) override;
    bool runLongTask(LongTask& task) override;

    std::optional<PlanPoint> askPointIsovistAt(const PlanPoint& initial) override;
    void showIsovistProperties(const IsovistPropertiesTexts& texts) override;
    void runIsovistSubdivision(IsovistSubdivision& subdivision) override;
    bool runGridOptions(GridOptionsDialogModel& model) override;
    bool chooseLayerRoles(LayerDialogModel& model) override;
    void showGeneralOptions() override;
    void postZoomExtent() override;
    void addRecentFile(const std::string& path) override;
    void showAnalysisSummary(const std::string& text) override;
    // Path dialogs, thin forms over the core's models (WidgetDocumentUi_path.cpp).
    bool runPathOptions(PathOptionsDialogModel& model) override;
    bool runCreateObservationPoints(ObservationPointsDialogModel& model) override;
    std::optional<double> askViewAngle() override;
    void showPathData(const PathDataTable& table) override;

  private:
    std::optional<std::string> runFileDialog(bool save, const std::string& filter,
                                             const std::string& defaultExt,
                                             const std::string& suggestedPath);

    QPointer<QWidget> window_;
    Hooks hooks_;
    int waitDepth_ = 0;
};

// The caption of every message box.
extern const char* const kMessageCaption;
