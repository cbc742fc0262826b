#pragma once

#include <future>

// On Linux and the BSDs Qt takes its fonts from fontconfig, whose
// configuration is read when the first text is measured: a fifth of the
// start. It needs no display, so it is begun here before QApplication and
// read on another core while Qt connects to the display. Wait for it before
// the first widget is made. Elsewhere there is nothing to read.
std::future<void> read_font_configuration();
