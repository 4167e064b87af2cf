#include "form1.h"

#include <QFont>
#include <QLineEdit>
#include <QLocale>
#include <QPlainTextEdit>
#include <QPushButton>
#include <optional>

#include "colour_chart.h"
#include "file_list_box.h"
#include "form_label.h"
#include "message_box.h"
#include "packed_colour.h"
#include "pictures.h"
#include "text_1252.h"

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

}  // namespace

QFont dialogFont() {
    return fontFor(Form1Window().font);
}

Form1::Form1(Form1Controller& controller, MessagesShower showMessages, QWidget* parent)
    : QWidget(parent), m_controller(controller), m_showMessages(std::move(showMessages)) {
    setUpWindow();

    // Children are drawn, and take the focus, in creation order.
    for (const Control* description : Form1DrawingOrder()) {
        if (description->kind == ControlKind::SlotColumn) {
            continue;  // no widget of its own yet: the slot labels take the pointer
        }
        QWidget* widget = createControl(*description);
        widget->setObjectName(fromView(description->name));
        if (description->index >= 0) {
            widget->setProperty("index", description->index);
        }
        if (!description->font.isDialogDefault()) {
            widget->setFont(fontFor(description->font));
        }
        widget->setGeometry(fromTwips(description->twips));
        draw(*description, widget);
        m_controls.emplace_back(description, widget);
    }
    m_fileList->setFocus();
}

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
    const QSize client = fromTwips({0, 0, window.clientWidth, window.clientHeight}).size();
    if (window.fixedBorder) {
        setFixedSize(client);
    } else {
        resize(client);
    }
    setWindowIcon(applicationIcon());
    setFont(dialogFont());
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
            break;  // skipped by the constructor
    }
    return nullptr;  // every kind is handled above
}

QWidget* Form1::createFileList(Role role) {
    m_fileList = new FileListBox(this);
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
        this);
    label->setAutoFillBackground(!control.has(kTransparent));
    label->setWordWrap(control.has(kWordWrapCentred));
    if (control.has(kWordWrapCentred)) {
        label->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    }
    return label;
}

QWidget* Form1::createButton(const Control& control) {
    auto* button = new QPushButton(textOf(control), this);
    button->setAutoDefault(false);
    connect(button, &QPushButton::clicked, this, [this, role = control.role] {
        forward({role, EventKind::Click});
    });
    return button;
}

QWidget* Form1::createChart(Role role) {
    auto* chart = new ColourChart(this);
    connect(chart, &ColourChart::pointerMoved, this, [this, role](PackedColour pixel) {
        forward({role, EventKind::PointerMoved, -1, pixel});
    });
    connect(chart, &ColourChart::buttonReleased, this, [this, role](PackedColour pixel) {
        forward({role, EventKind::ButtonReleased, -1, pixel});
    });
    return chart;
}

QWidget* Form1::createImage(const Control& control) {
    auto* image = new QLabel(this);
    if (control.picture == ControlPicture::Texture) {
        image->setPixmap(QPixmap::fromImage(textureImage()));
    }
    image->setScaledContents(control.has(kStretched));
    return image;
}

QWidget* Form1::createTextBox(const Control& control) {
    auto* box = new QLineEdit(this);
    box->setReadOnly(control.has(kLocked));
    QPalette shades = box->palette();
    if (control.background) {
        shades.setColor(QPalette::Base, toQColor(*control.background));
    }
    box->setPalette(shades);
    return box;
}

QWidget* Form1::createInstructions(const Control& control) {
    auto* text = new QPlainTextEdit(this);
    text->setPlainText(textOf(control).replace("\r\n", "\n"));
    text->setReadOnly(control.has(kLocked));
    text->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    text->setFocusPolicy(control.has(kTakesFocus) ? Qt::StrongFocus : Qt::NoFocus);
    text->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    text->setVerticalScrollBarPolicy(control.has(kVerticalScrollBar) ? Qt::ScrollBarAlwaysOn
                                                                     : Qt::ScrollBarAsNeeded);
    text->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    text->moveCursor(QTextCursor::Start);
    return text;
}

void Form1::forward(const ControlEvent& event) {
    const Update update = m_controller.handle(event, decimalSeparator());
    for (const auto& [control, widget] : m_controls) {
        if (update.shows(*control)) {
            draw(*control, widget);
        }
    }
    m_showMessages(this, update.messages);
}

void Form1::draw(const Control& control, QWidget* widget) {
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
    }
}

}  // namespace orvex
