#pragma once

#include <functional>
#include <string>

namespace Orvane::MessageBox {

// Where a message goes instead of a box: tests install one and check what would have been shown.
using Sink = std::function<void(const std::string& caption, const std::string& text)>;

// Writes caption and text to stderr, then shows them in a message box that waits for a click.
// With a sink the sink gets them instead of the box; in batch runs (capture, a run without the
// dialog and without a terminal) or without a display there is no box at all, so an unattended
// run never waits for a person.
void show(const std::string& caption, const std::string& text);

void setBatchMode(bool batch);
bool isBatchMode();
// An empty sink shows boxes again.
void setSink(Sink sink);

}
