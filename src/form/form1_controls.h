#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "colour/colour_values.h"

namespace orvex {

// Form1 described once for every toolkit: the window, and each control as it stands
// when the window opens. Geometry is in twips (1440 to the inch), relative to the
// client area's top-left corner.

// The application's title: the window's caption, and the title of every message
// that has none of its own.
extern const char* const kApplicationTitle;

// The names the file list shows.
inline constexpr const char* kFilePattern = "player*_options.ini";

// What the file list says inside itself while it has no entries, so that a user whose
// game was not found sees where the tool looked: "No <pattern> files in <folder>".
std::string EmptyListHint(std::string_view pattern, std::string_view folder);

enum class ControlKind {
    FileList,
    Label,
    TextBox,           // one line
    MultiLineTextBox,  // word wrap, vertical scroll bar
    Button,
    PictureBox,
    Image,
    // Lies over the slot labels, draws only a focus frame around the focused option
    // while it has the focus, and takes the keyboard for them (tab index after
    // Command1).
    SlotColumn,
};

// What a control is for. Windows tell the controller "event E on the control of
// role R" (form/form1_controller.h) and never decide by a control's name.
enum class Role {
    FileList,       // fileINI
    Heading,        // Label1 (0..2)
    CharacterName,  // lblName
    SlotLabel,      // lblColors (0..24)
    ColourChart,    // Picture1
    SampleBox,      // Text1
    SavedBox,       // txtSaved
    SaveButton,     // Command1
    Instructions,   // Text2
    Texture,        // Image1
    SlotColumn,     // slotColumn: the 24 options as one control for the keyboard
    Window,         // Form1 itself: its menus, its closing, the file watch's ticks
};

// The picture a control shows (RgbPictures in form/rgb_pictures.h).
enum class ControlPicture { None, ColourChart, Texture };

// A font: a face at a size, or the toolkit's dialog default font.
struct FontDescription {
    std::string_view face;  // empty: the dialog default font
    double pointSize = 0;
    bool bold = false;

    bool isDialogDefault() const { return face.empty(); }
};

// What "dialog default" stands for where a toolkit has no dialog font of its own.
inline constexpr FontDescription kDialogFont{"MS Sans Serif", 8.25, false};
inline constexpr FontDescription kBoldFont{"MS Sans Serif", 8.25, true};
// Faces with the widths of "MS Sans Serif", best first, for systems without it.
inline constexpr const char* kSimilarFaces[] = {"Microsoft Sans Serif", "Arial", "Liberation Sans",
                                                "Arimo"};
// The face to draw `designed` in: itself where `installed` says the system has it, else
// the first of kSimilarFaces it has; empty when it has none of them.
std::string_view AvailableFace(std::string_view designed,
                               const std::function<bool(std::string_view)>& installed);

struct TwipsRect {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
};

// Behaviour flags, or-ed together in Control::flags.
enum ControlFlag : unsigned {
    kAutoSize = 1u << 0,           // the size follows the caption, one line
    kWordWrapCentred = 1u << 1,    // caption wraps at words, centred; only what fits shows
    kLocked = 1u << 2,             // the user can select and copy, not edit
    kVerticalScrollBar = 1u << 3,  // always shown
    kSunkenBorder = 1u << 4,
    kTransparent = 1u << 5,  // what lies behind shows through
    kTakesFocus = 1u << 6,
    kStretched = 1u << 7,  // the picture is stretched to the control's size
};

struct Control {
    std::string_view name;
    Role role = Role::Heading;
    ControlKind kind = ControlKind::Label;
    int index = -1;     // member of a control array (Label1, lblColors), else -1
    TwipsRect twips;    // an auto-sized label's width and height are its design size
    int tabIndex = -1;  // -1: not in the tab order (the image)
    // The caption or text; the file list's name pattern.
    std::string_view text;
    FontDescription font;
    std::optional<PackedColour> background;  // none: the toolkit's default
    std::optional<PackedColour> foreground;
    unsigned flags = 0;
    ControlPicture picture = ControlPicture::None;

    bool has(ControlFlag flag) const { return (flags & flag) != 0; }
};

struct WindowDescription {
    std::string_view caption;
    int clientWidth = 0;  // twips
    int clientHeight = 0;
    bool fixedBorder = true;  // the user cannot resize the window
    bool minButton = false;
    bool maxButton = false;
    FontDescription font;  // the dialog default
    // Where the client area opens, from the screen's top-left corner; twips.
    int left = 0;
    int top = 0;
};

const WindowDescription& Form1Window();

// Every control of Form1 in tab order, the image (no tab index) last.
const std::vector<Control>& Form1Controls();

// The control called `name` (with `index` for array members); nullptr when none is.
const Control* FindControl(std::string_view name, int index = -1);
// The control of `role` (with `index` for array members); nullptr when none is.
const Control* FindControl(Role role, int index = -1);

// Every control of Form1 from the bottom up: the image, then the labels, then every
// other control (so text boxes cover labels where they overlap). Each layer keeps the
// tab order, so a toolkit whose tab order follows creation gets the designed one.
const std::vector<const Control*>& Form1DrawingOrder();

// The width in pixels of an auto-sized label without caption: it never vanishes.
inline constexpr int kLeastAutoSizeWidth = 3;

inline constexpr int kStandardDpi = 96;  // 15 twips to the pixel

struct PixelRect {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
};

// Twips to pixels at `dpi` dots per inch, rounded to the nearest pixel.
int TwipsToPixels(int twips, int dpi = kStandardDpi);
PixelRect TwipsToPixels(const TwipsRect& twips, int dpi = kStandardDpi);

}  // namespace orvex
