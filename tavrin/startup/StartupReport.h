#pragma once

namespace Tavrin::Startup {

// One line on stdout for bench/startup.sh, printed right after the first frame is presented:
// that moment as Unix time (the script subtracts the moment it started the process), the peak
// resident memory so far, how many loading screens were presented before the frame, and the CPU
// time of the process and of its main thread, which a busy machine inflates far less than the
// wall-clock time.
void printStartupReport(int loadingPresents);

}
