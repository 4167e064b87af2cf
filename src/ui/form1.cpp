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

QFont boldDialogFont() {
    return fontFor(kBoldFont);
}

Form1::Form1(const LoadStep& loadStep, QWidget* parent) : QWidget(parent) {
    setUpWindow();
    createControls();
    setTabOrderAsDesigned();
    connectHandlers();
    runLoadStep(loadStep);
    refreshSlotLabels();
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
    m_fileList = static_cast<FileListBox*>(control("fileINI"));
    m_characterName = static_cast<FormLabel*>(control("lblName"));
    m_chart = static_cast<ColourChart*>(control("Picture1"));
    m_sampleBox = static_cast<QLineEdit*>(control("Text1"));
    m_savedBox = static_cast<QLineEdit*>(control("txtSaved"));
    for (int index = 0; index < 3; ++index) {
        m_headings[static_cast<std::size_t>(index)] =
            static_cast<FormLabel*>(control("Label1", index));
    }
    for (int index = 0; index < ColourSlotTable::kLabelCount; ++index) {
        m_slotLabels[static_cast<std::size_t>(index)] =
            static_cast<FormLabel*>(control("lblColors", index));
    }
}

QWidget* Form1::createControl(const Control& control) {
    switch (control.kind) {
        case ControlKind::FileList:
            return new FileListBox(std::string(control.text), this);
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

QWidget* Form1::control(std::string_view name, int index) const {
    for (const auto& [description, widget] : m_controls) {
        if (description->name == name && description->index == index) {
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

void Form1::connectHandlers() {
    connect(m_fileList, &FileListBox::selectionChangedTo, this, &Form1::loadSelectedFile);
    connect(static_cast<QPushButton*>(control("Command1")), &QPushButton::clicked, this,
            &Form1::saveChanges);
    connect(m_chart, &ColourChart::pointerMoved, this, &Form1::sampleColourAt);
    connect(m_chart, &ColourChart::buttonReleased, this, &Form1::saveColourAt);
    for (int index = 0; index < ColourSlotTable::kLabelCount; ++index) {
        FormLabel* label = m_slotLabels[static_cast<std::size_t>(index)];
        connect(label, &FormLabel::clicked, this, [this, index] { giveSavedColour(index); });
        connect(label, &FormLabel::doubleClicked, this,
                [this, index] { restoreOriginalColour(index); });
    }
    for (FormLabel* label : m_headings) {
        connect(label, &FormLabel::doubleClicked, this,
                [this] { m_state.instructionLabelDoubleClicked(*m_fileList); });
    }
}

// The load step runs before the window exists: its messages have no parent.
void Form1::runLoadStep(const LoadStep& loadStep) {
    StartupState startup = loadStep();
    ShowMessages(nullptr, startup.messages);
    m_state.start(std::move(startup));
    m_fileList->setFolder(m_state.startup().OutputFolder);
}

void Form1::loadSelectedFile() {
    const UserMessages messages = m_state.selectionChanged(*m_fileList);
    m_characterName->setCaption(fromAnsi(m_state.characterName()));
    refreshSlotLabels();
    ShowMessages(this, messages);
}

void Form1::saveChanges() {
    const UserMessages messages = m_state.saveClicked(*m_fileList);
    refreshSlotLabels();
    ShowMessages(this, messages);
}

void Form1::sampleColourAt(QPointF clientPosition) {
    if (m_state.pointerMoved(m_chart->pixelAt(clientPosition), decimalSeparator())) {
        showColourBox(m_sampleBox, m_state.sample());
    }
}

void Form1::saveColourAt(QPointF clientPosition) {
    if (m_state.buttonReleased(m_chart->pixelAt(clientPosition), decimalSeparator())) {
        showColourBox(m_savedBox, m_state.saved());
    }
}

void Form1::giveSavedColour(int index) {
    m_state.slotClicked(index);
    refreshSlotLabels();
}

void Form1::restoreOriginalColour(int index) {
    const UserMessages messages = m_state.slotDoubleClicked(index);
    refreshSlotLabels();
    ShowMessages(this, messages);
}

void Form1::refreshSlotLabels() {
    for (int index = 0; index < ColourSlotTable::kLabelCount; ++index) {
        const ColourSlot& slot = m_state.slotTable().slot(index);
        FormLabel* label = m_slotLabels[static_cast<std::size_t>(index)];
        label->setCaption(fromAnsi(slot.optionName));
        label->setForeColor(slot.colour);
        label->setToolTip(fromAnsi(slot.toolTipText()));
        label->setProperty("Tag", fromAnsi(slot.sectionName));
    }
}

}  // namespace orvex
