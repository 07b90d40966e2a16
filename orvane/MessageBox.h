#pragma once

#include <string>

namespace Orvane::MessageBox {

// Shows caption and text in a message box and writes them to stderr. In batch runs (capture,
// tests) or without a display it writes to stderr only, so it never blocks unattended.
void show(const std::string& caption, const std::string& text);

void setBatchMode(bool batch);
bool isBatchMode();

}
