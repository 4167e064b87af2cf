#include "form/instructions.h"

namespace orvex {

// clang-format off
const char* const kInstructionsText =
    "First, select a player INI file from the listing on the left.  If you don't see any INI files listed, then you may not have Orvex properly installed.\r\n"
    "\r\n"
    "The program will then display your current color setting \r\n"
    "for chat colors in the game.\r\n"
    "\r\n"
    "To alter a color, use the color chart.  Move the mouse \r\n"
    "over the color and observe how the text will look at the \r\n"
    "bottom.  When you have found one you like, click and \r\n"
    "it will be stored and displayed above the color chart.  \r\n"
    "Now click on one of the color settings to \r\n"
    "transfer that color to that setting.  You can send the \r\n"
    "same color to multiple settings by clicking on as \r\n"
    "many as you want.\r\n"
    "\r\n"
    "To reset a color back to original, double click on it.\r\n"
    "\r\n"
    "Once you are satisfied with all the color settings, click \r\n"
    "the \"Save Changes\" button and they will be written \r\n"
    "back to the INI file.  Load Orvex and check out your \r\n"
    "changes.\r\n";
// clang-format on

}  // namespace orvex
