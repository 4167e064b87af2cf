#include "form/form1_controls.h"

#include <algorithm>
#include <cmath>

#include "colour/colour_slots.h"
#include "form/instructions.h"

namespace orvex {

const char* const kApplicationTitle = "Brannic's Orvex Color Configuration";

namespace {

constexpr PackedColour kColourBoxBackground = 0x002E282A;

constexpr int kSlotLabelLeft = 4080;
constexpr int kSlotLabelWidth = 3015;
constexpr int kSlotLabelHeight = 255;

// Rows 0..17 run down from the top, then the spare label 24, then 23 up to 18.
int slotTop(int index) {
    if (index <= 17) {
        return 1440 + 240 * index;
    }
    if (index == 24) {
        return 5760;
    }
    return 7200 - 240 * (index - 18);
}

Control describe(std::string_view name, Role role, ControlKind kind, TwipsRect twips, int tabIndex,
                 std::string_view text, unsigned flags) {
    Control control;
    control.name = name;
    control.role = role;
    control.kind = kind;
    control.twips = twips;
    control.tabIndex = tabIndex;
    control.text = text;
    control.flags = flags;
    return control;
}

Control slotLabel(int index, int tabIndex) {
    Control label = describe("lblColors", Role::SlotLabel, ControlKind::Label,
                             {kSlotLabelLeft, slotTop(index), kSlotLabelWidth, kSlotLabelHeight},
                             tabIndex, "Color Setting", kTransparent);
    label.index = index;
    label.font = kBoldFont;
    label.foreground = kWhite;
    return label;
}

// Over the 24 option labels (not the spare one): the box that holds them all.
Control slotColumn(int tabIndex) {
    int top = slotTop(0);
    int bottom = top;
    for (int index = 0; index < ColourSlotTable::kSlotCount; ++index) {
        top = std::min(top, slotTop(index));
        bottom = std::max(bottom, slotTop(index) + kSlotLabelHeight);
    }
    return describe("slotColumn", Role::SlotColumn, ControlKind::SlotColumn,
                    {kSlotLabelLeft, top, kSlotLabelWidth, bottom - top}, tabIndex, {},
                    kTransparent | kTakesFocus);
}

Control colourBox(std::string_view name, Role role, int top, int tabIndex, std::string_view text) {
    Control box = describe(name, role, ControlKind::TextBox, {0, top, 3900, 285}, tabIndex, text,
                           kLocked | kTakesFocus);
    box.font = kBoldFont;
    box.background = kColourBoxBackground;
    box.foreground = kWhite;
    return box;
}

Control label1(int index, TwipsRect twips, int tabIndex, std::string_view text, unsigned flags) {
    Control label =
        describe("Label1", Role::Heading, ControlKind::Label, twips, tabIndex, text, flags);
    label.index = index;
    return label;
}

Control picture(std::string_view name, Role role, ControlKind kind, TwipsRect twips, int tabIndex,
                unsigned flags, ControlPicture shown) {
    Control control = describe(name, role, kind, twips, tabIndex, {}, flags);
    control.picture = shown;
    return control;
}

std::vector<Control> describeControls() {
    std::vector<Control> controls;
    controls.push_back(describe("fileINI", Role::FileList, ControlKind::FileList,
                                {0, 240, 2775, 1065}, 0, kFilePattern, kTakesFocus));
    controls.push_back(label1(0, {0, 0, 1605, 195}, 1, "Select a Player INI file:", kAutoSize));
    controls.push_back(picture("Picture1", Role::ColourChart, ControlKind::PictureBox,
                               {0, 3120, 3900, 4095}, 2, kSunkenBorder | kTakesFocus,
                               ControlPicture::ColourChart));
    controls.push_back(colourBox("Text1", Role::SampleBox, 7200, 3, "Move mouse over color chart"));
    controls.push_back(colourBox("txtSaved", Role::SavedBox, 2880, 4, "This is your saved color!"));
    controls.push_back(
        label1(1, {360, 2640, 2385, 195}, 5,
               "Select a color from here and click on color texts to the right to transfer it",
               kWordWrapCentred));
    controls.push_back(label1(2, {4080, 1080, 1575, 195}, 6, "Current Color Settings:", kAutoSize));
    controls.push_back(slotLabel(0, 7));
    controls.push_back(describe("Command1", Role::SaveButton, ControlKind::Button,
                                {5880, 1080, 1215, 255}, 8, "Save Changes", kTakesFocus));
    controls.push_back(slotColumn(9));
    controls.push_back(describe("Text2", Role::Instructions, ControlKind::MultiLineTextBox,
                                {0, 1320, 3855, 1335}, 10, kInstructionsText,
                                kLocked | kVerticalScrollBar | kTakesFocus));
    for (int index = 1; index < ColourSlotTable::kLabelCount; ++index) {
        controls.push_back(slotLabel(index, 10 + index));
    }
    controls.push_back(describe("lblName", Role::CharacterName, ControlKind::Label,
                                {2880, 240, 45, 195}, 35, "", kAutoSize));
    controls.push_back(picture("Image1", Role::Texture, ControlKind::Image,
                               {3960, 1440, 3150, 6045}, -1, kStretched, ControlPicture::Texture));
    return controls;
}

}  // namespace

std::string EmptyListHint(std::string_view pattern, std::string_view folder) {
    return "No " + std::string(pattern) + " files in " + std::string(folder);
}

const WindowDescription& Form1Window() {
    static const WindowDescription window{kApplicationTitle, 7110, 7530, true, false, false,
                                          kDialogFont,       2385, 1545};
    return window;
}

const std::vector<Control>& Form1Controls() {
    static const std::vector<Control> controls = describeControls();
    return controls;
}

const Control* FindControl(std::string_view name, int index) {
    for (const Control& control : Form1Controls()) {
        if (control.name == name && control.index == index) {
            return &control;
        }
    }
    return nullptr;
}

const Control* FindControl(Role role, int index) {
    for (const Control& control : Form1Controls()) {
        if (control.role == role && control.index == index) {
            return &control;
        }
    }
    return nullptr;
}

const std::vector<const Control*>& Form1DrawingOrder() {
    static const std::vector<const Control*> order = [] {
        std::vector<const Control*> controls;
        for (const Control& control : Form1Controls()) {
            controls.push_back(&control);
        }
        const auto layer = [](const Control* control) {
            return control->kind == ControlKind::Image   ? 0
                   : control->kind == ControlKind::Label ? 1
                                                         : 2;
        };
        std::stable_sort(controls.begin(), controls.end(),
                         [&](const Control* a, const Control* b) { return layer(a) < layer(b); });
        return controls;
    }();
    return order;
}

std::string_view AvailableFace(std::string_view designed,
                               const std::function<bool(std::string_view)>& installed) {
    if (installed(designed)) {
        return designed;
    }
    for (std::string_view face : kSimilarFaces) {
        if (installed(face)) {
            return face;
        }
    }
    return {};
}

int TwipsToPixels(int twips, int dpi) {
    return static_cast<int>(std::lround(static_cast<double>(twips) * dpi / 1440.0));
}

PixelRect TwipsToPixels(const TwipsRect& twips, int dpi) {
    return {TwipsToPixels(twips.left, dpi), TwipsToPixels(twips.top, dpi),
            TwipsToPixels(twips.width, dpi), TwipsToPixels(twips.height, dpi)};
}

}  // namespace orvex
