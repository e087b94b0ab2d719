// Gathers the plan scene from the document.
#pragma once

#include "view/PlanScene.h"

class CORVDoc;

PlanScene PlanSceneOf(const CORVDoc& doc);
