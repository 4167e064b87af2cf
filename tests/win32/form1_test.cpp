// Form1 on the Win32 API, driven as a user drives it: mouse and key messages to the
// real controls, then what the window shows and what the file holds.
#include "win32/form1.h"

#include <commctrl.h>
#include <gtest/gtest.h>
#include <shellapi.h>
#include <windows.h>

#include <filesystem>
#include <string>
#include <tuple>

#include "form/instructions.h"
#include "scripted_dialogs.h"
#include "test_host.h"
#include "test_support.h"

namespace orvex {
namespace {

namespace fs = std::filesystem;

constexpr PackedColour kGrey200 = 0x00C8C8C8;
constexpr int kRampRow = 262;  // the grey ramp: column x is grey 255 - x

std::string textOf(HWND window) {
    char text[2048] = {};
    GetWindowTextA(window, text, sizeof text);
    return text;
}

LPARAM at(int x, int y) {
    return MAKELPARAM(static_cast<WORD>(x), static_cast<WORD>(y));
}

// The client area above the status bar: the designed one.
SIZE designedArea(HWND window) {
    RECT client{};
    RECT status{};
    GetClientRect(window, &client);
    GetWindowRect(FindWindowExA(window, nullptr, STATUSCLASSNAMEA, nullptr), &status);
    return {client.right, client.bottom - (status.bottom - status.top)};
}

// The pixel at client point (x, y) of `window` once it has painted.
COLORREF shownPixel(HWND window, int x, int y) {
    UpdateWindow(window);
    HDC dc = GetDC(window);
    const COLORREF pixel = GetPixel(dc, x, y);
    ReleaseDC(window, dc);
    return pixel;
}

void pump() {
    MSG message{};
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        DispatchMessageA(&message);
    }
}

class Form1Window : public ::testing::Test {
  protected:
    void SetUp() override {
        fs::copy(fs::path(ORVEX_SAMPLE_OUTPUT), m_dir.path());
        m_boxes.add(m_controller.start({m_dir.path().string()}).messages);
        ASSERT_NE(m_form.create(), nullptr);
        m_form.show(SW_SHOWNORMAL);
        pump();
    }

    HWND control(const char* name) const { return m_form.control(name); }
    std::string file(const char* name) const { return test::ReadBytes(m_dir.path() / name); }
    const ColourSlot& slot(int index) const { return m_controller.slotTable().slot(index); }

    // A click (or double-click) on a painted label, where the user would click it.
    void clickLabel(const char* name, int index, bool twice = false) {
        const RECT place = m_form.labelRect(name, index);
        const LPARAM point = at(place.left + 4, (place.top + place.bottom) / 2);
        SendMessageA(m_form.handle(), WM_LBUTTONDOWN, MK_LBUTTON, point);
        SendMessageA(m_form.handle(), WM_LBUTTONUP, 0, point);
        if (twice) {
            SendMessageA(m_form.handle(), WM_LBUTTONDBLCLK, MK_LBUTTON, point);
            SendMessageA(m_form.handle(), WM_LBUTTONUP, 0, point);
        }
    }

    void chart(UINT message, int x, int y, WPARAM buttons = 0) {
        SendMessageA(control("Picture1"), message, buttons, at(x, y));
    }

    test::TempDir m_dir;
    test::TestHost m_host;
    test::ScriptedDialogs m_dialogs;
    Form1Controller m_controller{m_host, m_dialogs};
    test::ShownMessages m_boxes;
    Form1 m_form{m_controller, [this](HWND, const UserMessages& shown) { m_boxes.add(shown); }};
};

TEST_F(Form1Window, OpensAsDesigned) {
    HWND window = m_form.handle();
    EXPECT_EQ(textOf(window), "Brannic's Orvex Color Configuration");
    const LONG style = GetWindowLongA(window, GWL_STYLE);
    EXPECT_EQ(style & (WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX), 0);
    ASSERT_NE(GetMenu(window), nullptr);
    EXPECT_EQ(designedArea(window).cx, 474);
    EXPECT_EQ(designedArea(window).cy, 502);
    EXPECT_EQ(GetFocus(), control("fileINI"));
    // Tab walks the controls that take the focus in their designed order.
    HWND focus = control("fileINI");
    for (const char* next :
         {"Picture1", "Text1", "txtSaved", "Command1", "slotColumn", "Text2", "fileINI"}) {
        focus = GetNextDlgTabItem(window, focus, FALSE);
        EXPECT_EQ(focus, control(next)) << next;
    }
    EXPECT_EQ(SendMessageA(control("fileINI"), LB_GETCOUNT, 0, 0), 2);
    EXPECT_EQ(SendMessageA(control("fileINI"), LB_GETCURSEL, 0, 0), LB_ERR);
    EXPECT_EQ(textOf(control("txtSaved")), "This is your saved color!");
    EXPECT_EQ(textOf(control("Text2")), kInstructionsText);
    EXPECT_TRUE(m_boxes.messages().empty());
    // A screen reader names each box by the hidden label just before it.
    for (Role box : {Role::FileList, Role::SampleBox, Role::SavedBox, Role::Instructions}) {
        const Control& described = *FindControl(box);
        HWND name = GetWindow(control(std::string(described.name).c_str()), GW_HWNDPREV);
        char type[16] = {};
        GetClassNameA(name, type, sizeof type);
        EXPECT_STREQ(type, "Static") << described.name;
        EXPECT_EQ(textOf(name), m_controller.accessibleName(described));
    }
}

// A key as the user types it, `modifier` (VK_SHIFT, VK_CONTROL) held: through the
// input queue, then the program's own loop.
void press(Form1& form, BYTE key, BYTE modifier = 0) {
    if (modifier != 0) {
        keybd_event(modifier, 0, 0, 0);
    }
    keybd_event(key, 0, 0, 0);
    keybd_event(key, 0, KEYEVENTF_KEYUP, 0);
    if (modifier != 0) {
        keybd_event(modifier, 0, KEYEVENTF_KEYUP, 0);
    }
    MSG message{};
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (!form.translate(&message)) {
            TranslateMessage(&message);
            DispatchMessageA(&message);
        }
    }
}

// Tab and shift-Tab leave the read-only instructions box; the arrows scroll it.
TEST_F(Form1Window, TabLeavesTheInstructionsBox) {
    SetFocus(control("Text2"));
    press(m_form, VK_DOWN);
    EXPECT_EQ(GetFocus(), control("Text2"));
    press(m_form, VK_TAB);
    EXPECT_EQ(GetFocus(), control("fileINI"));
    press(m_form, VK_TAB, VK_SHIFT);
    EXPECT_EQ(GetFocus(), control("Text2"));
    press(m_form, VK_TAB, VK_SHIFT);
    EXPECT_EQ(GetFocus(), control("slotColumn"));
}

int textWidth(HWND window, HFONT font, const std::string& text) {
    HDC dc = GetDC(window);
    HGDIOBJ previous = SelectObject(dc, font);
    SIZE size{};
    GetTextExtentPoint32A(dc, text.c_str(), static_cast<int>(text.size()), &size);
    SelectObject(dc, previous);
    ReleaseDC(window, dc);
    return size.cx;
}

// In the face the system gave: the button's caption fits it, and the heading beside
// it ends before it.
TEST_F(Form1Window, TextsFitTheirPlaces) {
    HWND button = control("Command1");
    RECT inside{};
    GetClientRect(button, &inside);
    const auto font = reinterpret_cast<HFONT>(SendMessageA(button, WM_GETFONT, 0, 0));
    EXPECT_LT(textWidth(button, font, "Save Changes"), inside.right - 4);
    RECT place{};
    GetWindowRect(button, &place);
    MapWindowPoints(nullptr, m_form.handle(), reinterpret_cast<POINT*>(&place), 2);
    EXPECT_LT(m_form.labelRect("Label1", 2).right, place.left);
}

TEST_F(Form1Window, EverySelectionByKeyOrMouseLoadsItsFile) {
    HWND list = control("fileINI");
    SendMessageA(list, WM_KEYDOWN, VK_DOWN, 0);
    SendMessageA(list, WM_KEYUP, VK_DOWN, 0);
    EXPECT_EQ(slot(1).optionName, "Tell");
    EXPECT_EQ(slot(1).colour, 0x00FF4080);  // 0.5,0.25,1
    EXPECT_EQ(m_controller.characterName(), "Aeryn Valdis");

    RECT second{};
    SendMessageA(list, LB_GETITEMRECT, 1, reinterpret_cast<LPARAM>(&second));
    SendMessageA(list, WM_LBUTTONDOWN, MK_LBUTTON, at(second.left + 2, second.top + 2));
    SendMessageA(list, WM_LBUTTONUP, 0, at(second.left + 2, second.top + 2));
    EXPECT_EQ(m_controller.slotTable().currentIniPath(),
              m_dir.path().string() + "\\player2_options.ini");
    EXPECT_EQ(m_controller.characterName(), "Thorne Kasrik");

    TOOLINFOA tool{};
    char tip[128] = {};
    tool.cbSize = sizeof tool;
    tool.hwnd = m_form.handle();
    tool.uId = reinterpret_cast<UINT_PTR>(FindControl(Role::SlotLabel, 0));
    tool.lpszText = tip;
    SendMessageA(m_form.toolTips(), TTM_GETTEXTA, sizeof tip, reinterpret_cast<LPARAM>(&tool));
    EXPECT_STREQ(tip, "Original Colors: 1.000000,1.000000,1.000000");
}

// The status line is too short for the notice that another program changed the file
// under an edit: its tool-tip holds the whole of it.
TEST_F(Form1Window, StatusLineTipHoldsTheWholeNotice) {
    HWND tips = m_form.toolTips();  // made before the notice: it follows it
    SendMessageA(control("fileINI"), WM_KEYDOWN, VK_DOWN, 0);
    chart(WM_RBUTTONDOWN, 55, kRampRow, MK_RBUTTON);
    chart(WM_RBUTTONUP, 55, kRampRow);
    clickLabel("lblColors", 0);
    test::WriteBytes(m_dir.path() / "player1_options.ini", file("player1_options.ini") + "\r\n");
    SendMessageA(m_form.handle(), WM_TIMER, 1, 0);
    ASSERT_FALSE(m_controller.notice().empty());

    TOOLINFOW tool{};  // the ANSI message would cut the text to 80 characters
    wchar_t tip[512] = {};
    tool.cbSize = sizeof tool;
    tool.hwnd = m_form.handle();
    tool.uId =
        reinterpret_cast<UINT_PTR>(FindWindowExA(tool.hwnd, nullptr, STATUSCLASSNAMEA, nullptr));
    tool.lpszText = tip;
    SendMessageA(tips, TTM_GETTEXTW, sizeof tip, reinterpret_cast<LPARAM>(&tool));
    EXPECT_EQ(std::wstring(tip),
              std::wstring(m_controller.notice().begin(), m_controller.notice().end()));
}

// Pick grey 200 from the ramp with the right button, give it to "Party", restore
// "Shout" after a click, save.
TEST_F(Form1Window, PickedColourGoesToTheClickedSlotAndIntoTheFile) {
    SendMessageA(control("fileINI"), WM_KEYDOWN, VK_DOWN, 0);
    chart(WM_MOUSEMOVE, 127, kRampRow);
    EXPECT_EQ(textOf(control("Text1")), "Color Sample Settings R:0.5 G:0.5 B:0.5");
    chart(WM_RBUTTONDOWN, 55, kRampRow, MK_RBUTTON);
    chart(WM_RBUTTONUP, 55, kRampRow);
    EXPECT_EQ(textOf(control("txtSaved")), "Saved Color: R:0.78 G:0.78 B:0.78");

    // Held and dragged off the chart: nothing there is a colour.
    chart(WM_LBUTTONDOWN, 10, kRampRow, MK_LBUTTON);
    EXPECT_EQ(GetCapture(), control("Picture1"));
    chart(WM_MOUSEMOVE, -40, 600, MK_LBUTTON);
    chart(WM_LBUTTONUP, -40, 600);
    EXPECT_EQ(GetCapture(), nullptr);
    EXPECT_EQ(textOf(control("Text1")), "Color Sample Settings R:0.5 G:0.5 B:0.5");
    EXPECT_EQ(m_controller.savedColour(), kGrey200);

    clickLabel("lblColors", 3);
    clickLabel("lblColors", 4, true);
    EXPECT_EQ(slot(3).colour, kGrey200);
    EXPECT_EQ(slot(4).colour, 0x000080FF);  // 1,0.5,0 as the file has it

    SendMessageA(control("Command1"), BM_CLICK, 0, 0);
    ASSERT_EQ(m_boxes.messages().size(), 1u);
    EXPECT_EQ(m_boxes.messages()[0].text, "INI file saved");
    EXPECT_EQ(m_boxes.messages()[0].title, "Brannic's Orvex Color Configuration");
    const std::string saved = file("player1_options.ini");
    EXPECT_NE(saved.find("OptionName=Party\r\nOptionValue=0.780000,0.780000,0.780000"),
              std::string::npos);
    EXPECT_NE(saved.find("OptionName=Shout\r\nOptionValue=1,0.5,0\r\n"), std::string::npos);
}

// On screen: the saved box's text and the clicked label's text in the saved colour,
// the texture between the label's letters.
TEST_F(Form1Window, PickedColourShowsInTheSavedBoxAndTheLabelOverTheTexture) {
    chart(WM_RBUTTONDOWN, 55, kRampRow, MK_RBUTTON);
    chart(WM_RBUTTONUP, 55, kRampRow);
    clickLabel("lblColors", 5);
    UpdateWindow(m_form.handle());
    const RECT place = m_form.labelRect("lblColors", 5);
    HDC dc = GetDC(m_form.handle());
    int inColour = 0;
    int white = 0;
    for (int y = place.top; y < place.bottom; ++y) {
        for (int x = place.left; x < place.left + 80; ++x) {
            const COLORREF pixel = GetPixel(dc, x, y);
            inColour += pixel == kGrey200 ? 1 : 0;
            white += pixel == 0x00FFFFFF ? 1 : 0;
        }
    }
    const COLORREF behind = GetPixel(dc, place.right - 2, place.top + 2);
    ReleaseDC(m_form.handle(), dc);
    HWND saved = control("txtSaved");
    HDC boxDc = GetDC(saved);
    int savedInColour = 0;
    for (int x = 2; x < 200; ++x) {
        savedInColour += GetPixel(boxDc, x, 8) == kGrey200 ? 1 : 0;
    }
    ReleaseDC(saved, boxDc);
    EXPECT_GT(savedInColour, 5);
    EXPECT_GT(inColour, 20);
    EXPECT_EQ(white, 0);
    EXPECT_NE(behind, GetSysColor(COLOR_BTNFACE));
    EXPECT_LT(GetRValue(behind), 90);
}

// Each item of the menu bar where it shows, with its shortcut, and what choosing it asks.
TEST_F(Form1Window, MenuBarShowsEachCommandAndForwardsIt) {
    const std::tuple<int, int, const char*, const char*> items[] = {
        {0, 0, "&Import Scheme...", "schemeToImport"},
        {0, 1, "&Export Scheme...", "schemeToExport: Aeryn Valdis colours.ini"},
        {0, 2, "&Apply to Other Characters...",
         "charactersToApply: player2_options.ini (Thorne Kasrik)"},
        {0, 4, "&Save Changes\tCtrl+S", ""},
        {0, 5, "&Reload\tF5", ""},
        {0, 7, "E&xit", ""},
        {1, 0, "&Undo\tCtrl+Z", ""},
        {1, 1, "&Redo\tCtrl+Y", ""},
        {1, 3, "&Choose Saved Colour...", "chooseColour: Saved Colour"},
        {1, 4, "Restore &All File Colours", ""},
        {2, 0, "&About", ""}};
    SendMessageA(control("fileINI"), WM_KEYDOWN, VK_DOWN, 0);
    for (const auto& [menu, at, text, asks] : items) {
        HMENU popup = GetSubMenu(GetMenu(m_form.handle()), menu);
        char shown[64] = {};
        GetMenuStringA(popup, static_cast<UINT>(at), shown, sizeof shown, MF_BYPOSITION);
        EXPECT_STREQ(shown, text);
        if (*asks != '\0') {
            SendMessageA(m_form.handle(), WM_COMMAND, GetMenuItemID(popup, at), 0);
            EXPECT_EQ(m_dialogs.asked.empty() ? "" : m_dialogs.asked.back(), asks);
        }
    }
}

// The whole edit without the mouse: a file chosen in the list, a colour taken from the
// chart with the arrows, given to three options and taken back from one, then saved
// through the menu's shortcut. The chart and the option column show where the keys act.
TEST_F(Form1Window, KeyboardAloneEditsAndSaves) {
    const ChartPoint cross = m_controller.chartCross();
    const COLORREF uncrossed = shownPixel(control("Picture1"), cross.x + 3, cross.y);
    press(m_form, VK_DOWN);
    press(m_form, VK_TAB);
    ASSERT_EQ(GetFocus(), control("Picture1"));
    EXPECT_NE(shownPixel(control("Picture1"), cross.x + 3, cross.y), uncrossed);
    for (int step = 0; step < 40; ++step) {
        press(m_form, VK_RIGHT);
    }
    press(m_form, VK_DOWN, VK_SHIFT);
    press(m_form, VK_RETURN);
    const RECT first = m_form.labelRect("lblColors", 0);
    const COLORREF unframed = shownPixel(m_form.handle(), first.left + 2, first.top);  // a dot
    for (int tab = 0; tab < 4; ++tab) {
        press(m_form, VK_TAB);
    }
    ASSERT_EQ(GetFocus(), control("slotColumn"));
    EXPECT_NE(shownPixel(m_form.handle(), first.left + 2, first.top), unframed);
    for (BYTE key : {VK_RETURN, VK_DOWN, VK_SPACE, VK_DOWN, VK_RETURN, VK_UP, VK_DELETE}) {
        press(m_form, key);
    }
    press(m_form, 'S', VK_CONTROL);
    const std::string saved = file("player1_options.ini");
    for (const char* given : {"Say", "Guild"}) {  // the chart's pixel 40 right, 10 down
        EXPECT_NE(saved.find(std::string("OptionName=") + given +
                             "\r\nOptionValue=1.000000,0.680000,0.080000\r\n"),
                  std::string::npos)
            << given;
    }
    EXPECT_NE(saved.find("OptionName=Tell\r\nOptionValue=0.5,0.25,1\r\n"), std::string::npos);
}

// A close with edits unsaved asks first; Cancel keeps the window and the edits.
TEST_F(Form1Window, ClosingWithEditsAsksAndCancelKeepsTheWindow) {
    SendMessageA(control("fileINI"), WM_KEYDOWN, VK_DOWN, 0);
    clickLabel("lblColors", 3);
    SendMessageA(m_form.handle(), WM_CLOSE, 0, 0);
    ASSERT_EQ(m_dialogs.asked.size(), 1u);
    EXPECT_EQ(m_dialogs.asked[0].rfind("askToSave: ", 0), 0u);
    EXPECT_TRUE(IsWindow(m_form.handle()));
    m_dialogs.saveAnswers.push_back(SaveChoice::DontSave);
    SendMessageA(m_form.handle(), WM_CLOSE, 0, 0);
    EXPECT_EQ(m_form.handle(), nullptr);
    pump();  // the quit it posts is not for the next test
}

// Run at 96 dpi and, by tests/win32/at_dpi.cmake, at 144: twips scale with the DPI and
// the chart still answers with the pixel of its picture under the pointer.
TEST_F(Form1Window, ScalesWithTheDpi) {
    HDC screen = GetDC(nullptr);
    const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    EXPECT_EQ(designedArea(m_form.handle()).cx, TwipsToPixels(7110, dpi));
    EXPECT_EQ(designedArea(m_form.handle()).cy, TwipsToPixels(7530, dpi));
    RECT chartArea{};
    GetClientRect(control("Picture1"), &chartArea);
    // Grey 128 is column 127 of the picture; the ramp's rows are 256..268.
    chart(WM_MOUSEMOVE, (127 * chartArea.right + 255) / 256, chartArea.bottom * 262 / 269);
    EXPECT_EQ(textOf(control("Text1")), "Color Sample Settings R:0.5 G:0.5 B:0.5") << dpi;
}

// What Explorer and Windows read from the program file itself.
TEST(OrvexcolorsExe, CarriesItsIconAndManifest) {
    EXPECT_GE(ExtractIconExA(ORVEX_EXE, -1, nullptr, nullptr, 0), 1u);
    HMODULE program = LoadLibraryExA(ORVEX_EXE, nullptr, LOAD_LIBRARY_AS_DATAFILE);
    ASSERT_NE(program, nullptr);
    EXPECT_NE(FindResourceA(program, MAKEINTRESOURCEA(1), MAKEINTRESOURCEA(24)), nullptr);
    FreeLibrary(program);
}

}  // namespace
}  // namespace orvex
