#include "form1.h"

#include <QCloseEvent>
#include <QFont>
#include <QKeyEvent>
#include <QLayout>
#include <QLineEdit>
#include <QLocale>
#include <QMenuBar>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStatusBar>
#include <QTimer>
#include <optional>

#include "colour_chart.h"
#include "file_list_box.h"
#include "form_label.h"
#include "pictures.h"
#include "qt_values.h"
#include "slot_column.h"

namespace orvex {

namespace {

QString fromView(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

QRect fromTwips(const TwipsRect& twips) {
    const PixelRect pixels = TwipsToPixels(twips);
    return QRect(pixels.left, pixels.top, pixels.width, pixels.height);
}

// DejaVu Sans, wider than the similar faces, pushes texts under their neighbours.
QFont fontFor(const FontDescription& described) {
    [[maybe_unused]] static const bool substitutesRegistered = [] {
        QStringList faces;
        for (const char* face : kSimilarFaces) {
            faces << face;
        }
        QFont::insertSubstitutions(fromView(kDialogFont.face), faces << "DejaVu Sans");
        return true;
    }();
    const FontDescription& shown = described.isDialogDefault() ? Form1Window().font : described;
    QFont font(fromView(shown.face));
    font.setPointSizeF(shown.pointSize);
    font.setBold(shown.bold);
    font.setStyleHint(QFont::SansSerif);
    return font;
}

QString textOf(const Control& control) {
    return fromAnsi(std::string(control.text));
}

// The user's decimal separator, asked at every event: the regional settings may
// change while the window is open.
std::string decimalSeparator() {
    return QLocale().decimalPoint().toStdString();
}

// The controller's keys, and the Qt keys for them in the same order.
constexpr Key kKeys[] = {Key::Up,    Key::Down,   Key::Left,      Key::Right,
                         Key::Home,  Key::End,    Key::Enter,     Key::Enter,
                         Key::Space, Key::Delete, Key::Backspace, Key::ContextMenu};
constexpr int kQtKeys[] = {Qt::Key_Up,    Qt::Key_Down,   Qt::Key_Left,      Qt::Key_Right,
                           Qt::Key_Home,  Qt::Key_End,    Qt::Key_Return,    Qt::Key_Enter,
                           Qt::Key_Space, Qt::Key_Delete, Qt::Key_Backspace, Qt::Key_Menu};

std::optional<Key> keyOf(const QKeyEvent& event) {
    if (event.key() == Qt::Key_F10 && event.modifiers() == Qt::ShiftModifier) {
        return Key::ContextMenu;
    }
    for (std::size_t at = 0; at < std::size(kKeys); ++at) {
        if (event.key() == kQtKeys[at]) {
            return kKeys[at];
        }
    }
    return std::nullopt;
}

// A menu entry whose data is its command; '&' marks the mnemonic in both toolkits.
QAction* addMenuItem(QMenu& menu, const MenuItem& item) {
    if (item.separatorBefore) {
        menu.addSeparator();
    }
    QAction* action = menu.addAction(fromView(item.text));
    QList<QKeySequence> shortcuts;
    for (const Shortcut& shortcut : item.shortcuts) {
        shortcuts << QKeySequence(QString::fromStdString(shortcut.text()));
    }
    action->setShortcuts(shortcuts);
    action->setData(static_cast<int>(item.command));
    return action;
}

}  // namespace

void ShowMessages(QWidget* parent, const UserMessages& messages) {
    for (const UserMessage& message : messages) {
        QMessageBox(QMessageBox::NoIcon, fromAnsi(message.title), fromAnsi(message.text),
                    QMessageBox::Ok, parent)
            .exec();
    }
}

QFont dialogFont() {
    return fontFor(Form1Window().font);
}

Form1::Form1(Form1Controller& controller, MessagesShower showMessages, QWidget* parent)
    : QMainWindow(parent), m_controller(controller), m_showMessages(std::move(showMessages)) {
    setUpWindow();
    createMenuBar();
    // Children are drawn, and take the focus, in creation order.
    for (const Control* description : Form1DrawingOrder()) {
        QWidget* widget = createControl(*description);
        widget->setObjectName(fromView(description->name));
        if (description->index >= 0) {
            widget->setProperty("index", description->index);
        }
        if (!description->font.isDialogDefault()) {
            widget->setFont(fontFor(description->font));
        }
        widget->setGeometry(fromTwips(description->twips));
        m_controls.emplace_back(description, widget);
    }
    for (const auto& [control, widget] : m_controls) {
        draw(*control, widget);  // the slot column's frame needs the labels' places
    }
    drawMenusAndNotice();
    m_fileList->setFocus();
    auto* fileWatch = new QTimer(this);
    connect(fileWatch, &QTimer::timeout, this, [this] {
        forward({Role::Window, EventKind::Tick});
    });
    fileWatch->start(kFileWatchMilliseconds);
}

// The designed client area keeps its size; the menu bar and the notice line add to it.
void Form1::setUpWindow() {
    const WindowDescription& window = Form1Window();
    setObjectName("Form1");
    setWindowTitle(fromAnsi(std::string(window.caption)));
    Qt::WindowFlags flags = Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                            Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint;
    flags.setFlag(Qt::WindowMinimizeButtonHint, window.minButton);
    flags.setFlag(Qt::WindowMaximizeButtonHint, window.maxButton);
    flags.setFlag(Qt::MSWindowsFixedSizeDialogHint, window.fixedBorder);
    setWindowFlags(flags);
    m_client = new QWidget(this);
    m_client->setFixedSize(fromTwips({0, 0, window.clientWidth, window.clientHeight}).size());
    setCentralWidget(m_client);
    m_notice = new QLabel(this);
    statusBar()->addWidget(m_notice, 1);
    statusBar()->setSizeGripEnabled(false);
    if (window.fixedBorder) {
        layout()->setSizeConstraint(QLayout::SetFixedSize);
    }
    setWindowIcon(applicationIcon());
    setFont(dialogFont());
}

void Form1::createMenuBar() {
    for (const Menu& described : Form1MenuBar()) {
        QMenu* menu = menuBar()->addMenu(fromView(described.title));
        for (const MenuItem& item : described.items) {
            QAction* action = addMenuItem(*menu, item);
            connect(action, &QAction::triggered, this,
                    [this, command = item.command] { forwardCommand(command); });
            m_menuItems.emplace_back(item.command, action);
        }
    }
}

// Every control forwards its events with its role; what they mean is the controller's.
QWidget* Form1::createControl(const Control& control) {
    switch (control.kind) {
        case ControlKind::FileList:
            return createFileList(control.role);
        case ControlKind::Label:
            return createLabel(control);
        case ControlKind::TextBox:
            return createTextBox(control);
        case ControlKind::MultiLineTextBox:
            return createInstructions(control);
        case ControlKind::Button:
            return createButton(control);
        case ControlKind::PictureBox:
            return createChart(control.role);
        case ControlKind::Image:
            return createImage(control);
        case ControlKind::SlotColumn:
            return watched(new SlotColumn(m_client));
    }
    return nullptr;  // every kind is handled above
}

QWidget* Form1::createFileList(Role role) {
    m_fileList = new FileListBox(m_client);
    connect(m_fileList, &FileListBox::rowSelected, this, [this, role](int row) {
        forward({role, EventKind::Selected, row});
    });
    return m_fileList;
}

QWidget* Form1::createLabel(const Control& control) {
    auto* label = new FormLabel(
        control,
        [this](LabelClicks::Input input, const Control* under) {
            if (const std::optional<ControlEvent> event = m_clicks.feed(input, under)) {
                forward(*event);
            }
        },
        m_client);
    label->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(label, &QWidget::customContextMenuRequested, this, [this, &control, label](QPoint at) {
        m_rightClickedAt = label->mapToGlobal(at);
        forward({control.role, EventKind::ContextMenu, control.index});
    });
    label->setAutoFillBackground(!control.has(kTransparent));
    label->setWordWrap(control.has(kWordWrapCentred));
    if (control.has(kWordWrapCentred)) {
        label->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    }
    return label;
}

QWidget* Form1::createButton(const Control& control) {
    auto* button = new QPushButton(textOf(control), m_client);
    button->setAutoDefault(false);
    connect(button, &QPushButton::clicked, this, [this, role = control.role] {
        forward({role, EventKind::Click});
    });
    return button;
}

QWidget* Form1::createChart(Role role) {
    auto* chart = watched(new ColourChart(m_client));
    connect(chart, &ColourChart::pointerMoved, this, [this, role](PackedColour pixel) {
        forward({role, EventKind::PointerMoved, -1, pixel});
    });
    connect(chart, &ColourChart::buttonReleased, this,
            [this, role](PackedColour pixel, ChartPoint at) {
                ControlEvent released{role, EventKind::ButtonReleased, -1, pixel};
                released.at = at;
                forward(released);
            });
    return chart;
}

QWidget* Form1::createImage(const Control& control) {
    auto* image = new QLabel(m_client);
    if (control.picture == ControlPicture::Texture) {
        QImage texture = textureImage();
        if (control.has(kStretched)) {  // once, pixel for pixel as the Win32 window does it
            texture = texture.scaled(fromTwips(control.twips).size(), Qt::IgnoreAspectRatio,
                                     Qt::FastTransformation);
        }
        image->setPixmap(QPixmap::fromImage(texture));
    }
    return image;
}

QWidget* Form1::createTextBox(const Control& control) {
    auto* box = watched(new QLineEdit(m_client));
    box->setReadOnly(control.has(kLocked));
    QPalette shades = box->palette();
    if (control.background) {
        shades.setColor(QPalette::Base, toQColor(*control.background));
    }
    box->setPalette(shades);
    return box;
}

QWidget* Form1::createInstructions(const Control& control) {
    auto* text = new QPlainTextEdit(m_client);
    // Placed before it gets its text, which is then wrapped once, at its own width.
    text->setGeometry(fromTwips(control.twips));
    text->setPlainText(textOf(control).replace("\r\n", "\n"));
    text->setReadOnly(control.has(kLocked));
    text->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    text->setFocusPolicy(control.has(kTakesFocus) ? Qt::StrongFocus : Qt::NoFocus);
    text->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    text->setVerticalScrollBarPolicy(control.has(kVerticalScrollBar) ? Qt::ScrollBarAlwaysOn
                                                                     : Qt::ScrollBarAsNeeded);
    text->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    return text;
}

// Keys on the chart, the slot column and the text boxes, and double-clicks on the text
// boxes, reach the controller; the widget still handles them as it would anyway.
template <typename Widget>
Widget* Form1::watched(Widget* widget) {
    widget->installEventFilter(this);
    return widget;
}

bool Form1::eventFilter(QObject* watchedObject, QEvent* event) {
    for (const auto& [control, widget] : m_controls) {
        if (widget == watchedObject) {
            forwardInput(*control, *event);
        }
    }
    return QMainWindow::eventFilter(watchedObject, event);
}

void Form1::forwardInput(const Control& control, const QEvent& event) {
    if (event.type() == QEvent::MouseButtonDblClick && control.kind == ControlKind::TextBox) {
        forward({control.role, EventKind::DoubleClick});
    } else if (event.type() == QEvent::KeyPress) {
        const auto& pressed = static_cast<const QKeyEvent&>(event);
        if (const std::optional<Key> key = keyOf(pressed)) {
            forward({control.role, EventKind::KeyPressed, -1, -1, *key,
                     pressed.modifiers().testFlag(Qt::ShiftModifier)});
        }
    }
}

void Form1::forwardCommand(Command command, int slot) {
    forward({Role::Window, EventKind::Command, slot, -1, Key::Enter, false, command});
}

void Form1::forward(const ControlEvent& event) {
    const Update update = m_controller.handle(event, decimalSeparator());
    for (const auto& [control, widget] : m_controls) {
        if (update.shows(*control)) {
            draw(*control, widget);
        }
    }
    drawMenusAndNotice();
    m_showMessages(this, update.messages);
    if (update.slotMenu) {
        openSlotMenu(*update.slotMenu, event.kind == EventKind::ContextMenu);
    }
    if (update.closeWindow) {
        m_closing = true;
        close();  // does nothing inside closeEvent(), which then accepts
    }
}

// The controller decides: it may ask to save first, and the user may cancel.
void Form1::closeEvent(QCloseEvent* event) {
    if (!m_closing) {
        forward({Role::Window, EventKind::CloseRequested});
    }
    event->setAccepted(m_closing);
}

void Form1::openSlotMenu(int slot, bool atPointer) {
    QMenu menu(this);
    for (const MenuItem& item : SlotMenu().items) {
        addMenuItem(menu, item)->setEnabled(m_controller.enabled(item.command));
    }
    const QWidget* label = slotLabel(slot);
    const QAction* chosen =
        menu.exec(atPointer ? m_rightClickedAt : label->mapToGlobal(QPoint(0, label->height())));
    if (chosen) {
        forwardCommand(static_cast<Command>(chosen->data().toInt()), slot);
    }
}

QWidget* Form1::slotLabel(int slot) const {
    for (const auto& [control, widget] : m_controls) {
        if (control->role == Role::SlotLabel && control->index == slot) {
            return widget;
        }
    }
    return nullptr;
}

void Form1::drawMenusAndNotice() {
    for (const auto& [command, action] : m_menuItems) {
        action->setEnabled(m_controller.enabled(command));
    }
    m_notice->setText(fromAnsi(m_controller.notice()));
}

void Form1::draw(const Control& control, QWidget* widget) {
    widget->setAccessibleName(fromAnsi(m_controller.accessibleName(control)));
    if (control.kind == ControlKind::FileList) {
        static_cast<FileListBox*>(widget)->show(m_controller.fileList());
    } else if (control.kind == ControlKind::Label) {
        static_cast<FormLabel*>(widget)->draw(m_controller.label(control));
    } else if (control.kind == ControlKind::TextBox) {
        auto* box = static_cast<QLineEdit*>(widget);
        const ColourBox& shown = m_controller.colourBox(control);
        QPalette shades = box->palette();
        shades.setColor(QPalette::Text, toQColor(shown.colour));
        box->setPalette(shades);
        box->setText(fromAnsi(shown.text));
        box->setCursorPosition(0);  // long texts show from their start
    } else if (control.kind == ControlKind::PictureBox) {
        static_cast<ColourChart*>(widget)->setCross(m_controller.chartCross());
    } else if (control.kind == ControlKind::SlotColumn) {
        const QWidget* label = slotLabel(m_controller.focusedSlot());
        static_cast<SlotColumn*>(widget)->setFrame(label->geometry().translated(-widget->pos()));
    }
}

}  // namespace orvex
