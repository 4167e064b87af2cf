#pragma once

#include <QWidget>
#include <functional>
#include <utility>
#include <vector>

#include "form/form1_controller.h"
#include "form/form1_controls.h"

namespace orvex {

class FileListBox;

// How a window shows messages: each in turn, over `parent` (none: no parent).
using MessagesShower = std::function<void(QWidget* parent, const UserMessages& messages)>;
// Each message in turn in a modal box with an OK button only, returning once the
// last is closed. A message without a title carries the application's title.
void ShowMessages(QWidget* parent, const UserMessages& messages);

// The one window on Qt Widgets: controls built from the description
// (form/form1_controls.h), events forwarded to the controller by role, and what the
// controller reports drawn. Every control carries its given name as objectName;
// members of the label arrays "lblColors" (0..24) and "Label1" (0..2) share a name
// and carry their index in the int property "index". The slot labels also carry
// the slot's section name in the text property "Tag".
class Form1 : public QWidget {
    Q_OBJECT

  public:
    // `controller` has started; `showMessages` shows what it reports (tests pass
    // one that records).
    explicit Form1(Form1Controller& controller, MessagesShower showMessages = ShowMessages,
                   QWidget* parent = nullptr);

    const Form1Controller& controller() const { return m_controller; }

  private:
    void setUpWindow();
    QWidget* createControl(const Control& control);
    QWidget* createFileList(Role role);
    QWidget* createLabel(const Control& control);
    QWidget* createTextBox(const Control& control);
    QWidget* createInstructions(const Control& control);
    QWidget* createButton(const Control& control);
    QWidget* createChart(Role role);
    QWidget* createImage(const Control& control);

    void forward(const ControlEvent& event);
    void draw(const Control& control, QWidget* widget);

    Form1Controller& m_controller;
    MessagesShower m_showMessages;
    LabelClicks m_clicks;
    std::vector<std::pair<const Control*, QWidget*>> m_controls;  // in drawing order
    FileListBox* m_fileList = nullptr;
};

// The window's font: "MS Sans Serif" where the system has it, else a similar face.
QFont dialogFont();

}  // namespace orvex
