#pragma once

namespace Orvane::StopSignals {

// SIGINT and SIGTERM ask the program to stop: the frame loops, the loading screen and the settings
// dialog see the request (Device::present reports it as a quit) and end the run the usual way, so
// the display mode comes back. A message box waiting for its click is closed, since it would keep
// the request from being seen. Installed once, before SDL sets up handlers of its own.
void install();
bool requested();

}
