#include "form1.h"

#include <QFont>
#include <QLineEdit>
#include <QLocale>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>

#include "colour_chart.h"
#include "file_list_box.h"
#include "form/form1_controls.h"
#include "form/instructions.h"
#include "form_label.h"
#include "message_box.h"
#include "packed_colour.h"
#include "pictures.h"
#include "profile/character_names.h"
#include "text_1252.h"

namespace orvex {

namespace {

constexpr int kTwipsPerPixel = 15;
constexpr PackedColour kColourBoxBackground = 0x002E282A;

constexpr int kSlotLeft = 4080;
constexpr int kSlotWidth = 3015;
constexpr int kSlotHeight = 255;

// Rows 0..17 run down from the top, then the spare label 24, then 23 up to 18.
int slotTopTwips(int index) {
    if (index <= 17) {
        return 1440 + 240 * index;
    }
    if (index == 24) {
        return 5760;
    }
    return 7200 - 240 * (index - 18);
}

QFont sansSerifFont(bool bold) {
    static const bool substitutesRegistered = [] {
        QFont::insertSubstitutions("MS Sans Serif", {"Microsoft Sans Serif", "Liberation Sans",
                                                     "Arimo", "DejaVu Sans", "Arial"});
        return true;
    }();
    (void)substitutesRegistered;
    QFont font("MS Sans Serif");
    font.setPointSizeF(8.25);
    font.setBold(bold);
    font.setStyleHint(QFont::SansSerif);
    return font;
}

void setTextBoxColours(QLineEdit* box, PackedColour background, PackedColour text) {
    QPalette shades = box->palette();
    shades.setColor(QPalette::Base, toQColor(background));
    shades.setColor(QPalette::Text, toQColor(text));
    box->setPalette(shades);
}

// "R:1 G:0.5 B:0" after `prefix`, with the user's decimal separator.
QString colourFractionsText(const char* prefix, PackedColour colour) {
    std::int32_t red = 0;
    std::int32_t green = 0;
    std::int32_t blue = 0;
    GetRGBfromPoint(colour, red, green, blue);
    const std::string separator = QLocale().decimalPoint().toStdString();
    const std::string text = prefix + FractionText(Color255to1(red), separator) +
                             " G:" + FractionText(Color255to1(green), separator) +
                             " B:" + FractionText(Color255to1(blue), separator);
    return QString::fromStdString(text);
}

}  // namespace

QRect fromTwips(int left, int top, int width, int height) {
    return QRect(left / kTwipsPerPixel, top / kTwipsPerPixel, width / kTwipsPerPixel,
                 height / kTwipsPerPixel);
}

QFont dialogFont() {
    return sansSerifFont(false);
}
QFont boldDialogFont() {
    return sansSerifFont(true);
}

Form1::Form1(const LoadStep& loadStep, QWidget* parent) : QWidget(parent) {
    setObjectName("Form1");
    setWindowTitle(fromAnsi(kApplicationTitle));
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint |
                   Qt::MSWindowsFixedSizeDialogHint);
    setFixedSize(fromTwips(0, 0, 7110, 7530).size());
    QIcon icon;
    icon.addPixmap(QPixmap::fromImage(iconImage(16)));
    icon.addPixmap(QPixmap::fromImage(iconImage(32)));
    setWindowIcon(icon);
    setFont(dialogFont());

    createControls();
    setTabOrderAsDesigned();
    connectHandlers();
    runLoadStep(loadStep);
    refreshSlotLabels();
    m_fileINI->setFocus();
}

// Children are drawn in creation order: the texture first, then the labels, then
// the controls that must cover them.
void Form1::createControls() {
    auto* image1 = new QLabel(this);
    image1->setObjectName("Image1");
    image1->setPixmap(QPixmap::fromImage(textureImage()));
    image1->setScaledContents(true);
    image1->setGeometry(fromTwips(3960, 1440, 3150, 6045));

    const std::array<const char*, 3> headings = {
        "Select a Player INI file:",
        "Select a color from here and click on color texts to the right to transfer it",
        "Current Color Settings:"};
    for (int index = 0; index < 3; ++index) {
        auto* label = new FormLabel(headings[static_cast<std::size_t>(index)], this);
        label->setObjectName("Label1");
        label->setProperty("index", index);
        label->setAutoFillBackground(true);
        m_label1[static_cast<std::size_t>(index)] = label;
    }
    m_label1[0]->move(fromTwips(0, 0, 0, 0).topLeft());
    m_label1[0]->setAutoSize(true);
    m_label1[1]->setGeometry(fromTwips(360, 2640, 2385, 195));
    m_label1[1]->setWordWrap(true);
    m_label1[1]->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    m_label1[2]->move(fromTwips(4080, 1080, 0, 0).topLeft());
    m_label1[2]->setAutoSize(true);

    m_lblName = new FormLabel(QString(), this);
    m_lblName->setObjectName("lblName");
    m_lblName->setAutoFillBackground(true);
    m_lblName->move(fromTwips(2880, 240, 0, 0).topLeft());
    m_lblName->setAutoSize(true);

    createSlotLabels();

    m_fileINI = new FileListBox(kFilePattern, this);
    m_fileINI->setObjectName("fileINI");
    m_fileINI->setGeometry(fromTwips(0, 240, 2775, 1065));

    m_picture1 = new ColourChart(this);
    m_picture1->setObjectName("Picture1");
    m_picture1->setGeometry(fromTwips(0, 3120, 3900, 4095));

    createTextBoxes();

    m_command1 = new QPushButton("Save Changes", this);
    m_command1->setObjectName("Command1");
    m_command1->setAutoDefault(false);
    m_command1->setGeometry(fromTwips(5880, 1080, 1215, 255));
}

void Form1::createSlotLabels() {
    for (int index = 0; index < ColourSlotTable::kLabelCount; ++index) {
        auto* label = new FormLabel("Color Setting", this);
        label->setObjectName("lblColors");
        label->setProperty("index", index);
        label->setFont(boldDialogFont());
        label->setGeometry(fromTwips(kSlotLeft, slotTopTwips(index), kSlotWidth, kSlotHeight));
        m_lblColors[static_cast<std::size_t>(index)] = label;
    }
}

void Form1::createTextBoxes() {
    auto makeColourBox = [this](const char* name, const char* text, int top) {
        auto* box = new QLineEdit(text, this);
        box->setObjectName(name);
        box->setReadOnly(true);
        box->setFont(boldDialogFont());
        box->setGeometry(fromTwips(0, top, 3900, 285));
        box->setCursorPosition(0);
        setTextBoxColours(box, kColourBoxBackground, kWhite);
        return box;
    };
    m_text1 = makeColourBox("Text1", "Move mouse over color chart", 7200);
    m_txtSaved = makeColourBox("txtSaved", "This is your saved color!", 2880);

    m_text2 = new QPlainTextEdit(this);
    m_text2->setObjectName("Text2");
    m_text2->setPlainText(QString::fromLatin1(kInstructionsText).replace("\r\n", "\n"));
    m_text2->setReadOnly(true);
    m_text2->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    m_text2->setFocusPolicy(Qt::StrongFocus);
    m_text2->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    m_text2->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    m_text2->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_text2->setGeometry(fromTwips(0, 1320, 3855, 1335));
    m_text2->moveCursor(QTextCursor::Start);
}

// Labels and the image take no focus, so only these five are in the chain.
void Form1::setTabOrderAsDesigned() {
    setTabOrder(m_fileINI, m_picture1);
    setTabOrder(m_picture1, m_text1);
    setTabOrder(m_text1, m_txtSaved);
    setTabOrder(m_txtSaved, m_command1);
    setTabOrder(m_command1, m_text2);
}

void Form1::connectHandlers() {
    connect(m_fileINI, &FileListBox::selectionChangedTo, this, &Form1::loadSelectedFile);
    connect(m_command1, &QPushButton::clicked, this, &Form1::saveChanges);
    connect(m_picture1, &ColourChart::pointerMoved, this, &Form1::sampleColourAt);
    connect(m_picture1, &ColourChart::buttonReleased, this, &Form1::saveColourAt);
    for (int index = 0; index < ColourSlotTable::kLabelCount; ++index) {
        FormLabel* label = m_lblColors[static_cast<std::size_t>(index)];
        connect(label, &FormLabel::clicked, this, [this, index] { giveSavedColour(index); });
        connect(label, &FormLabel::doubleClicked, this,
                [this, index] { restoreOriginalColour(index); });
    }
    for (FormLabel* label : m_label1) {
        connect(label, &FormLabel::doubleClicked, this,
                [this] { m_table.SetCurrentIniPathFromSelection(*m_fileINI); });
    }
}

// The load step runs before the window exists: its messages have no parent.
void Form1::runLoadStep(const LoadStep& loadStep) {
    m_startup = loadStep();
    ShowMessages(nullptr, m_startup.messages);
    m_fileINI->setFolder(m_startup.OutputFolder);
}

UserMessages Form1::showCharacterName(const std::string& entryText) {
    m_lblName->setCaption(QString());
    const CharacterName found =
        LookupCharacterName(entryText, m_startup.OutputFolder, m_startup.ShortcutSections);
    m_lblName->setCaption(fromAnsi(found.name));
    return found.report ? UserMessages{*found.report} : UserMessages{};
}

void Form1::loadSelectedFile() {
    const std::optional<std::string> entry = SelectedEntry(*m_fileINI);
    if (!entry) {
        return;
    }
    UserMessages messages = showCharacterName(*entry);
    const UserMessages loaded = m_table.LoadSelectedFile(*m_fileINI);
    messages.insert(messages.end(), loaded.begin(), loaded.end());
    refreshSlotLabels();
    ShowMessages(this, messages);
}

void Form1::saveChanges() {
    const UserMessages messages = m_table.SaveColorSlots(*m_fileINI);
    refreshSlotLabels();
    ShowMessages(this, messages);
}

// Points off the chart (the pointer captured outside the box) change nothing.
void Form1::sampleColourAt(QPointF clientPosition) {
    const PackedColour colour = m_picture1->pixelAt(clientPosition);
    if (colour < 0) {
        return;
    }
    setTextBoxColours(m_text1, kColourBoxBackground, colour);
    m_text1->setText(colourFractionsText("Color Sample Settings R:", colour));
    m_text1->setCursorPosition(0);
}

void Form1::saveColourAt(QPointF clientPosition) {
    const PackedColour colour = m_picture1->pixelAt(clientPosition);
    if (colour < 0) {
        return;
    }
    m_savedColour = colour;
    setTextBoxColours(m_txtSaved, kColourBoxBackground, colour);
    m_txtSaved->setText(colourFractionsText("Saved Color: R:", colour));
    m_txtSaved->setCursorPosition(0);  // long texts show from their start
}

void Form1::giveSavedColour(int index) {
    m_table.GiveColour(index, m_savedColour);
    refreshSlotLabels();
}

void Form1::restoreOriginalColour(int index) {
    const UserMessages messages = m_table.RestoreOriginalColor(static_cast<std::int16_t>(index));
    refreshSlotLabels();
    ShowMessages(this, messages);
}

void Form1::refreshSlotLabels() {
    for (int index = 0; index < ColourSlotTable::kLabelCount; ++index) {
        const ColourSlot& slot = m_table.slot(index);
        FormLabel* label = m_lblColors[static_cast<std::size_t>(index)];
        label->setCaption(fromAnsi(slot.optionName));
        label->setForeColor(slot.colour);
        label->setToolTip(fromAnsi(slot.toolTipText()));
        label->setProperty("Tag", fromAnsi(slot.sectionName));
    }
}

}  // namespace orvex
