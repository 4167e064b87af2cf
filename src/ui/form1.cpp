#include "form1.h"

#include <QFont>
#include <QLineEdit>
#include <QLocale>
#include <QPlainTextEdit>
#include <QPushButton>
#include <algorithm>
#include <map>

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

void showColourBox(QLineEdit* box, const ColourBox& shown) {
    QPalette shades = box->palette();
    shades.setColor(QPalette::Text, toQColor(shown.colour));
    box->setPalette(shades);
    box->setText(fromAnsi(shown.text));
    box->setCursorPosition(0);  // long texts show from their start
}

// The user's decimal separator, asked at every event: the regional settings may
// change while the window is open.
std::string decimalSeparator() {
    return QLocale().decimalPoint().toStdString();
}

// The description in the order the toolkit stacks children: later ones on top.
std::vector<const Control*> inDrawingOrder() {
    std::vector<const Control*> controls;
    for (const Control& control : Form1Controls()) {
        controls.push_back(&control);
    }
    std::stable_sort(controls.begin(), controls.end(), [](const Control* a, const Control* b) {
        return DrawingLayer(a->kind) < DrawingLayer(b->kind);
    });
    return controls;
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
    createControls();
    setTabOrderAsDesigned();
    connectEvents();
    draw(kFileListPart | kCharacterNamePart | kSlotsPart | kSamplePart | kSavedPart);
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
    QIcon icon;
    icon.addPixmap(QPixmap::fromImage(iconImage(16)));
    icon.addPixmap(QPixmap::fromImage(iconImage(32)));
    setWindowIcon(icon);
    setFont(dialogFont());
}

// Children are drawn in creation order, so the image comes first, then the
// labels, then the controls that must cover them.
void Form1::createControls() {
    for (const Control* description : inDrawingOrder()) {
        QWidget* widget = createControl(*description);
        widget->setObjectName(QString::fromUtf8(description->name.data(),
                                                static_cast<qsizetype>(description->name.size())));
        if (description->index >= 0) {
            widget->setProperty("index", description->index);
        }
        if (!description->font.isDialogDefault()) {
            widget->setFont(fontFor(description->font));
        }
        if (description->has(kAutoSize)) {
            widget->move(fromTwips(description->twips).topLeft());
            static_cast<FormLabel*>(widget)->setAutoSize(true);
        } else {
            widget->setGeometry(fromTwips(description->twips));
        }
        m_controls.emplace_back(description, widget);
    }
    m_fileList = static_cast<FileListBox*>(widgetOf(Role::FileList));
    m_characterName = static_cast<FormLabel*>(widgetOf(Role::CharacterName));
    m_chart = static_cast<ColourChart*>(widgetOf(Role::ColourChart));
    m_sampleBox = static_cast<QLineEdit*>(widgetOf(Role::SampleBox));
    m_savedBox = static_cast<QLineEdit*>(widgetOf(Role::SavedBox));
}

QWidget* Form1::createControl(const Control& control) {
    switch (control.kind) {
        case ControlKind::FileList:
            return new FileListBox(this);
        case ControlKind::Label:
            return createLabel(control);
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
        case ControlKind::Image:
            return createImage(control);
    }
    return nullptr;  // every kind is handled above
}

QWidget* Form1::createLabel(const Control& control) {
    auto* label = new FormLabel(textOf(control), this);
    label->setAutoFillBackground(!control.has(kTransparent));
    if (control.foreground) {
        label->setForeColor(*control.foreground);
    }
    if (control.has(kWordWrapCentred)) {
        label->setWordWrap(true);
        label->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    }
    return label;
}

QWidget* Form1::createTextBox(const Control& control) {
    auto* box = new QLineEdit(textOf(control), this);
    box->setReadOnly(control.has(kLocked));
    box->setCursorPosition(0);
    QPalette shades = box->palette();
    if (control.background) {
        shades.setColor(QPalette::Base, toQColor(*control.background));
    }
    if (control.foreground) {
        shades.setColor(QPalette::Text, toQColor(*control.foreground));
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

QWidget* Form1::createImage(const Control& control) {
    auto* image = new QLabel(this);
    if (control.picture == ControlPicture::Texture) {
        image->setPixmap(QPixmap::fromImage(textureImage()));
    }
    image->setScaledContents(control.has(kStretched));
    return image;
}

QWidget* Form1::widgetOf(Role role, int index) const {
    for (const auto& [description, widget] : m_controls) {
        if (description->role == role && description->index == index) {
            return widget;
        }
    }
    return nullptr;
}

// Labels and the image take no focus, so only the controls that do are chained.
void Form1::setTabOrderAsDesigned() {
    std::map<int, QWidget*> byTabIndex;
    for (const auto& [description, widget] : m_controls) {
        if (description->has(kTakesFocus)) {
            byTabIndex[description->tabIndex] = widget;
        }
    }
    QWidget* previous = nullptr;
    for (const auto& [tabIndex, widget] : byTabIndex) {
        if (previous) {
            setTabOrder(previous, widget);
        }
        previous = widget;
    }
}

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
    for (const auto& [description, widget] : m_controls) {
        if (description->kind == ControlKind::Label) {
            connectLabel(*description, static_cast<FormLabel*>(widget));
        }
    }
}

// Every label reports its clicks; the controller knows which ones mean something.
void Form1::connectLabel(const Control& control, FormLabel* label) {
    const Role role = control.role;
    const int index = control.index;
    connect(label, &FormLabel::clicked, this, [this, role, index] {
        forward({role, EventKind::Click, index});
    });
    connect(label, &FormLabel::doubleClicked, this, [this, role, index] {
        forward({role, EventKind::DoubleClick, index});
    });
}

void Form1::forward(const ControlEvent& event) {
    const Update update = m_controller.handle(event, decimalSeparator());
    draw(update.changed);
    m_showMessages(this, update.messages);
}

void Form1::draw(unsigned changed) {
    if (changed & kFileListPart) {
        m_fileList->show(m_controller.fileList());
    }
    if (changed & kCharacterNamePart) {
        m_characterName->setCaption(fromAnsi(m_controller.characterName()));
    }
    if (changed & kSlotsPart) {
        drawSlotLabels();
    }
    if (changed & kSamplePart) {
        showColourBox(m_sampleBox, m_controller.sample());
    }
    if (changed & kSavedPart) {
        showColourBox(m_savedBox, m_controller.saved());
    }
}

void Form1::drawSlotLabels() {
    for (int index = 0; index < ColourSlotTable::kLabelCount; ++index) {
        const ColourSlot& slot = m_controller.slotTable().slot(index);
        auto* label = static_cast<FormLabel*>(widgetOf(Role::SlotLabel, index));
        label->setCaption(fromAnsi(slot.optionName));
        label->setForeColor(slot.colour);
        label->setToolTip(fromAnsi(slot.toolTipText()));
        label->setProperty("Tag", fromAnsi(slot.sectionName));
    }
}

}  // namespace orvex
