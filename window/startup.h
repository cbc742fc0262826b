#pragma once

class fo;

// When the window is created.
void Load(fo &window);
// When the window is first shown.
void Activate(fo &window);
