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

// The layout was drawn for "MS Sans Serif"; faces with Arial's widths fit it, wider
// ones (DejaVu Sans) push texts under their neighbours, so they come last.
QFont sansSerifFont(const FontDescription& described) {
    static const bool substitutesRegistered = [] {
        QFont::insertSubstitutions("MS Sans Serif", {"Microsoft Sans Serif", "Arial",
                                                     "Liberation Sans", "Arimo", "DejaVu Sans"});
        return true;
    }();
    (void)substitutesRegistered;
    QFont font(
        QString::fromUtf8(described.face.data(), static_cast<qsizetype>(described.face.size())));
    font.setPointSizeF(described.pointSize);
    font.setBold(described.bold);
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

QRect fromTwips(const TwipsRect& twips) {
    const PixelRect pixels = TwipsToPixels(twips);
    return QRect(pixels.left, pixels.top, pixels.width, pixels.height);
}

QFont fontFor(const FontDescription& described) {
    return sansSerifFont(described.isDialogDefault() ? Form1Window().font : described);
}

QFont dialogFont() {
    return fontFor(Form1Window().font);
}

Form1::Form1(Form1Controller& controller, MessagesShower showMessages, QWidget* parent)
    : QWidget(parent), m_controller(controller), m_showMessages(std::move(showMessages)) {
    setUpWindow();

    // Children are drawn, and take the focus, in creation order.
    for (const Control* description : Form1DrawingOrder()) {
        QWidget* widget = createControl(*description);
        widget->setObjectName(QString::fromUtf8(description->name.data(),
                                                static_cast<qsizetype>(description->name.size())));
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
    m_fileList = static_cast<FileListBox*>(widgetOf(Role::FileList));
    m_chart = static_cast<ColourChart*>(widgetOf(Role::ColourChart));
    connectEvents();
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

QWidget* Form1::createControl(const Control& control) {
    switch (control.kind) {
        case ControlKind::FileList:
            return new FileListBox(this);
        case ControlKind::Label: {
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
        case ControlKind::TextBox:
            return createTextBox(control);
        case ControlKind::MultiLineTextBox:
            return createInstructions(control);
        case ControlKind::Button: {
            auto* button = new QPushButton(textOf(control), this);
            button->setAutoDefault(false);
            return button;
        }
        case ControlKind::PictureBox:
            return new ColourChart(this);
        case ControlKind::Image: {
            auto* image = new QLabel(this);
            if (control.picture == ControlPicture::Texture) {
                image->setPixmap(QPixmap::fromImage(textureImage()));
            }
            image->setScaledContents(control.has(kStretched));
            return image;
        }
    }
    return nullptr;  // every kind is handled above
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

QWidget* Form1::widgetOf(Role role) const {
    for (const auto& [description, widget] : m_controls) {
        if (description->role == role) {
            return widget;
        }
    }
    return nullptr;
}

// Labels report to the click rule (createControl).
void Form1::connectEvents() {
    connect(m_fileList, &FileListBox::rowSelected, this, [this](int row) {
        forward({Role::FileList, EventKind::Selected, row});
    });
    connect(static_cast<QPushButton*>(widgetOf(Role::SaveButton)), &QPushButton::clicked, this,
            [this] {
                forward({Role::SaveButton, EventKind::Click});
            });
    connect(m_chart, &ColourChart::pointerMoved, this, [this](QPointF at) {
        forward({Role::ColourChart, EventKind::PointerMoved, -1, m_chart->pixelAt(at)});
    });
    connect(m_chart, &ColourChart::buttonReleased, this, [this](QPointF at) {
        forward({Role::ColourChart, EventKind::ButtonReleased, -1, m_chart->pixelAt(at)});
    });
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
