#pragma once

namespace Tavrin {

// One line on stdout for bench/startup.sh, printed right after the first frame is presented:
// that moment as Unix time (the script subtracts the moment it started the process), the peak
// resident memory so far and how many loading screens were presented before the frame.
void printStartupReport(int loadingPresents);

}
