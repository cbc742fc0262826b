#pragma once

#include "platform/platform.h"

#include <QList>

class fo;

// When the window is created.
void Load(fo &window);
// When the window is first shown. What the user must know of the data files.
QList<Notice> Activate(fo &window);
