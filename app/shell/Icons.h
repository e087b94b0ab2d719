// Icons drawn in code: the program's own icon and small glyphs for the toolbar buttons.
#pragma once

#include <QIcon>

#include "document/CommandAvailability.h"

QIcon ApplicationIcon();
QIcon CommandIcon(const Command& command);
