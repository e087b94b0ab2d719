#include "view/PlanSceneOf.h"

#include "document/CORVDoc.h"

PlanScene PlanSceneOf(const CORVDoc& doc) {
    PlanScene scene;
    scene.colors = doc.m_settings.m_colors;
    scene.show = doc.m_settings.m_show;
    scene.wallSegments = &doc.m_wallSegments;
    scene.referenceLines = &doc.m_referenceLines;
    scene.pointIsovist = &doc.m_pointIsovist.polygon;
    scene.isovistOrigin = doc.m_isovistOrigin;
    scene.isovistCentroid = doc.m_isovistCentroid;
    scene.isovistArea = doc.m_isovistArea;
    for (const IsovistRecord& record : doc.m_pathIsovists) {
        scene.pathIsovists.push_back(&record.polygon);
    }
    scene.pathRecords = &doc.m_pathIsovists;
    scene.pathRadialStats = &doc.m_pathRadialStats;
    scene.pathDisplayProperty = doc.m_pathDisplayProperty;
    scene.pathDisplayMethod = doc.m_settings.pathDisplayMethod;
    scene.pathCircleRadius = doc.m_settings.pathCircleRadius;
    scene.paths = &doc.m_paths;
    scene.observationPoints = &doc.m_observationPoints;
    scene.currentPath = doc.m_currentPath;
    scene.customPoints = &doc.m_customPoints;
    scene.axialLines = &doc.m_axialLines;
    scene.axialRecords = &doc.m_axialLineRecords;
    scene.axialDisplayProperty = doc.m_settings.m_axialDisplayProperty;
    scene.grid = &doc.m_grid;
    scene.gridRadialStats = &doc.m_gridRadialStats;
    scene.gridResults = doc.m_gridResultsValid != 0;
    scene.gridDisplayProperty = doc.m_gridDisplayProperty;
    scene.currentCell = doc.m_currentCell;
    scene.colorScale = ColorScaleOf(doc.m_settings);
    scene.legendFamily = doc.m_settings.m_scaleMode;
    scene.legendRange = doc.m_settings.legendRange;
    return scene;
}
