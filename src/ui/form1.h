#pragma once

#include <QWidget>
#include <array>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "colour/colour_slots.h"
#include "form/form1_controls.h"
#include "form/form1_state.h"
#include "install/startup.h"

class QLineEdit;

namespace orvex {

class ColourChart;
class FileListBox;
class FormLabel;

// The one window, built from its description (form/form1_controls.h); what its
// events do is Form1State's. Every control carries its given name as objectName;
// members of the label arrays "lblColors" (0..24) and "Label1" (0..2) share a name
// and carry their index in the int property "index". The slot labels also carry
// the slot's section name in the text property "Tag".
//
// The constructor runs the load step once, before the window is shown: it keeps
// what the step found and points the file list at OutputFolder (a refusal is
// ignored, the list then stays on the current folder).
class Form1 : public QWidget {
    Q_OBJECT

  public:
    using LoadStep = std::function<StartupState()>;
    static constexpr const char* kFilePattern = orvex::kFilePattern;

    explicit Form1(const LoadStep& loadStep, QWidget* parent = nullptr);

    const std::string& InstallIconPath() const { return m_state.startup().InstallIconPath; }
    const std::string& OutputFolder() const { return m_state.startup().OutputFolder; }
    const std::vector<std::string>& ShortcutSections() const {
        return m_state.startup().ShortcutSections;
    }
    const ColourSlotTable& slotTable() const { return m_state.slotTable(); }

    // The saved colour, shown as the text colour of txtSaved.
    PackedColour savedColour() const { return m_state.savedColour(); }

  private:
    void setUpWindow();
    void createControls();
    QWidget* createControl(const Control& control);
    QWidget* createLabel(const Control& control);
    QWidget* createTextBox(const Control& control);
    QWidget* createInstructions(const Control& control);
    QWidget* createImage(const Control& control);
    QWidget* control(std::string_view name, int index = -1) const;
    void setTabOrderAsDesigned();
    void connectHandlers();
    void runLoadStep(const LoadStep& loadStep);

    void loadSelectedFile();
    void saveChanges();
    void sampleColourAt(QPointF clientPosition);
    void saveColourAt(QPointF clientPosition);
    void giveSavedColour(int index);
    void restoreOriginalColour(int index);
    void refreshSlotLabels();

    Form1State m_state;
    std::vector<std::pair<const Control*, QWidget*>> m_controls;  // in drawing order

    FileListBox* m_fileList = nullptr;
    std::array<FormLabel*, 3> m_headings{};
    FormLabel* m_characterName = nullptr;
    std::array<FormLabel*, ColourSlotTable::kLabelCount> m_slotLabels{};
    ColourChart* m_chart = nullptr;
    QLineEdit* m_sampleBox = nullptr;
    QLineEdit* m_savedBox = nullptr;
};

// Geometry in pixels of a rectangle given in twips, at the standard 96 DPI.
QRect fromTwips(const TwipsRect& twips);

// A font of the description; the dialog default is Form1Window().font. "MS Sans
// Serif" where the system has it, else a similar sans-serif face.
QFont fontFor(const FontDescription& described);
// The window's dialog font, and the bold one of the slot labels and colour boxes.
QFont dialogFont();
QFont boldDialogFont();

}  // namespace orvex
