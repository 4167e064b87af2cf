#pragma once

#include <QWidget>
#include <functional>

namespace orvex {

// Runs the tool: the application object, its icon, the message boxes, Form1 and its
// event loop; returns the exit code. `beforeShow` sees the window just before it is
// shown (the start-up benchmark hooks its first paint there).
//
// An argument after the ones Qt takes names the game folder (the one holding
// Data\client\output\) or the output folder itself, as a path of the host; it takes
// the place of the registry search. Without it start-up searches as always.
int RunApplication(int& argc, char** argv,
                   const std::function<void(QWidget& window)>& beforeShow = {});

}  // namespace orvex
