#pragma once

#include <QMainWindow>
#include <functional>
#include <utility>
#include <vector>

#include "form/form1_controller.h"
#include "form/form1_controls.h"

class QLabel;

namespace orvex {

class FileListBox;

// How a window shows messages: each in turn, over `parent` (none: no parent).
using MessagesShower = std::function<void(QWidget* parent, const UserMessages& messages)>;
// Each message in turn in a modal box with an OK button only, returning once the
// last is closed. A message without a title carries the application's title.
void ShowMessages(QWidget* parent, const UserMessages& messages);

// The one window on Qt Widgets: the menu bar, the designed client area with the
// controls built from the description (form/form1_controls.h), and the notice line
// below it. Events are forwarded to the controller by role and what it reports is
// drawn. Every control carries its given name as objectName; members of the label
// arrays "lblColors" (0..24) and "Label1" (0..2) share a name and carry their index
// in the int property "index". The slot labels also carry the slot's section name in
// the text property "Tag".
class Form1 : public QMainWindow {
    Q_OBJECT

  public:
    // `controller` has started; `showMessages` shows what it reports (tests pass
    // one that records).
    explicit Form1(Form1Controller& controller, MessagesShower showMessages = ShowMessages,
                   QWidget* parent = nullptr);

    const Form1Controller& controller() const { return m_controller; }
    // The designed client area, parent of every control.
    QWidget* client() const { return m_client; }

  protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watchedObject, QEvent* event) override;

  private:
    void setUpWindow();
    void createMenuBar();
    QWidget* createControl(const Control& control);
    QWidget* createFileList(Role role);
    QWidget* createLabel(const Control& control);
    QWidget* createTextBox(const Control& control);
    QWidget* createInstructions(const Control& control);
    QWidget* createButton(const Control& control);
    QWidget* createChart(Role role);
    QWidget* createImage(const Control& control);
    template <typename Widget>
    Widget* watched(Widget* widget);

    void forward(const ControlEvent& event);
    void forwardCommand(Command command, int slot = -1);
    void forwardInput(const Control& control, const QEvent& event);
    void draw(const Control& control, QWidget* widget);
    void drawMenusAndNotice();
    void openSlotMenu(int slot, bool atPointer);
    QWidget* slotLabel(int slot) const;

    Form1Controller& m_controller;
    MessagesShower m_showMessages;
    LabelClicks m_clicks;
    QWidget* m_client = nullptr;
    std::vector<std::pair<const Control*, QWidget*>> m_controls;  // in drawing order
    std::vector<std::pair<Command, QAction*>> m_menuItems;
    FileListBox* m_fileList = nullptr;
    QLabel* m_notice = nullptr;
    QPoint m_rightClickedAt;  // where a slot menu asked for by the mouse opens
    bool m_closing = false;   // the controller let the window close
};

// The window's font: "MS Sans Serif" where the system has it, else a similar face.
QFont dialogFont();

}  // namespace orvex
