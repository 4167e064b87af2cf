#include "ui/qt_dialogs.h"

#include <QClipboard>
#include <QColorDialog>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QGuiApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QVBoxLayout>

#include "form/form1_controls.h"
#include "ui/qt_values.h"

namespace orvex {

namespace {

constexpr const char* kSchemeFilter = "Colour schemes (*.ini)";

std::optional<std::string> hostPath(const QString& path) {
    if (path.isEmpty()) {
        return std::nullopt;  // cancelled
    }
    return QFile::encodeName(path).toStdString();
}

QString choiceText(const CharacterChoice& choice) {
    const QString file = fromAnsi(choice.file);
    return choice.characterName.empty() ? file : file + " (" + fromAnsi(choice.characterName) + ")";
}

}  // namespace

SaveChoice QtDialogs::askToSave(const std::string& question) {
    QMessageBox box(QMessageBox::NoIcon, fromAnsi(kApplicationTitle), fromAnsi(question),
                    QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel, m_window);
    box.button(QMessageBox::Discard)->setText("Don't Save");
    box.setDefaultButton(QMessageBox::Save);
    const int answer = box.exec();
    return answer == QMessageBox::Save      ? SaveChoice::Save
           : answer == QMessageBox::Discard ? SaveChoice::DontSave
                                            : SaveChoice::Cancel;
}

std::optional<std::string> QtDialogs::schemeToImport() {
    return hostPath(QFileDialog::getOpenFileName(m_window, "Import Scheme", {}, kSchemeFilter));
}

std::optional<std::string> QtDialogs::schemeToExport(const std::string& suggestedName) {
    return hostPath(QFileDialog::getSaveFileName(m_window, "Export Scheme", fromAnsi(suggestedName),
                                                 kSchemeFilter));
}

std::optional<std::vector<int>> QtDialogs::charactersToApply(
    const std::vector<CharacterChoice>& choices) {
    ApplyDialog dialog(choices, m_window);
    if (dialog.exec() != QDialog::Accepted) {
        return std::nullopt;
    }
    return dialog.chosen();
}

std::optional<PackedColour> QtDialogs::chooseColour(PackedColour initial,
                                                    const std::string& title) {
    const QColor chosen = QColorDialog::getColor(toQColor(initial), m_window, fromAnsi(title));
    return chosen.isValid() ? std::optional(toPacked(chosen)) : std::nullopt;
}

std::string QtDialogs::clipboardText() {
    return QGuiApplication::clipboard()->text().toStdString();
}

void QtDialogs::setClipboardText(const std::string& text) {
    QGuiApplication::clipboard()->setText(QString::fromStdString(text));
}

ApplyDialog::ApplyDialog(const std::vector<CharacterChoice>& choices, QWidget* parent)
    : QDialog(parent), m_all(new QCheckBox("Select all", this)) {
    setWindowTitle("Apply to Other Characters");
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_all);
    for (const CharacterChoice& choice : choices) {
        m_choices.push_back(new QCheckBox(choiceText(choice), this));
        layout->addWidget(m_choices.back());
        connect(m_choices.back(), &QCheckBox::toggled, this,
                [this] { m_all->setChecked(chosen().size() == m_choices.size()); });
    }
    connect(m_all, &QCheckBox::clicked, this, [this](bool all) {
        for (QCheckBox* choice : m_choices) {
            choice->setChecked(all);
        }
    });
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    layout->addWidget(buttons);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
}

std::vector<int> ApplyDialog::chosen() const {
    std::vector<int> checked;
    for (std::size_t index = 0; index < m_choices.size(); ++index) {
        if (m_choices[index]->isChecked()) {
            checked.push_back(static_cast<int>(index));
        }
    }
    return checked;
}

}  // namespace orvex
