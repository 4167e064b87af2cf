#pragma once

#include <QWidget>
#include <array>
#include <functional>
#include <string>
#include <vector>

#include "colour/colour_slots.h"
#include "install/startup.h"

class QLineEdit;
class QPlainTextEdit;
class QPushButton;

namespace orvex {

class ColourChart;
class FileListBox;
class FormLabel;

// The one window. Every control carries its given name as objectName; members of
// the label arrays "lblColors" (0..24) and "Label1" (0..2) share a name and carry
// their index in the int property "index". The slot labels also carry the slot's
// section name in the text property "Tag".
//
// The constructor runs the load step once, before the window is shown: it keeps
// what the step found and points the file list at OutputFolder (a refusal is
// ignored, the list then stays on the current folder).
class Form1 : public QWidget {
    Q_OBJECT

  public:
    using LoadStep = std::function<StartupState()>;
    static constexpr const char* kFilePattern = "player*_options.ini";

    explicit Form1(const LoadStep& loadStep, QWidget* parent = nullptr);

    const std::string& InstallIconPath() const { return m_startup.InstallIconPath; }
    const std::string& OutputFolder() const { return m_startup.OutputFolder; }
    const std::vector<std::string>& ShortcutSections() const { return m_startup.ShortcutSections; }
    const ColourSlotTable& slotTable() const { return m_table; }

    // The saved colour, shown as the text colour of txtSaved.
    PackedColour savedColour() const { return m_savedColour; }

  private:
    void createControls();
    void createSlotLabels();
    void createTextBoxes();
    void setTabOrderAsDesigned();
    void connectHandlers();
    void runLoadStep(const LoadStep& loadStep);

    UserMessages showCharacterName(const std::string& entryText);
    void loadSelectedFile();
    void saveChanges();
    void sampleColourAt(QPointF clientPosition);
    void saveColourAt(QPointF clientPosition);
    void giveSavedColour(int index);
    void restoreOriginalColour(int index);
    void refreshSlotLabels();

    StartupState m_startup;
    ColourSlotTable m_table;
    PackedColour m_savedColour = kWhite;

    FileListBox* m_fileINI = nullptr;
    std::array<FormLabel*, 3> m_label1{};
    FormLabel* m_lblName = nullptr;
    std::array<FormLabel*, ColourSlotTable::kLabelCount> m_lblColors{};
    ColourChart* m_picture1 = nullptr;
    QLineEdit* m_text1 = nullptr;
    QLineEdit* m_txtSaved = nullptr;
    QPlainTextEdit* m_text2 = nullptr;
    QPushButton* m_command1 = nullptr;
};

// Geometry in pixels of a rectangle given in twips (15 to the pixel).
QRect fromTwips(int left, int top, int width, int height);

// The fonts of the window: the dialog font, and the bold one of the slot labels and
// colour boxes; "MS Sans Serif" 8.25 pt, or a similar sans-serif where it is missing.
QFont dialogFont();
QFont boldDialogFont();

}  // namespace orvex
