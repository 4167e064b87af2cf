#pragma once

namespace orvex {

// The program: start-up (the folder named on the command line, else the game's
// registered folder), Form1, and the message loop until the window closes.
int RunApplication(int argc, char** argv);

}  // namespace orvex
