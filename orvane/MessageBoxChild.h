#pragma once

namespace Orvane::MessageBoxChild {

// SDL shows an X11 message box from a child process it forks and waits for. While such a box is
// up (between begin and end), a process forked from here records its id and dies with its parent,
// so that a stop signal can close the box and nothing is left on the screen after the program.
void begin();
void end();
// Safe in a signal handler: kills the child showing the box, if one is up.
void closeShownBox();

}
