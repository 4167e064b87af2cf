#pragma once

#include <QListWidget>
#include <string>
#include <vector>

#include "colour/colour_slots.h"

namespace orvex {

// The file list: the names of one folder's files that match a pattern, and the
// selection that the slot table loads from.
//
// Path() is the folder in Windows form, without a final backslash except for a
// root ("C:\", "\"), so that Path() + "\" + List(i) names the file. Until a folder
// is set it is the process's current folder (on POSIX hosts the absolute path with
// "/" written as "\"). selectionChangedTo() is emitted once for every change of the
// selected entry, by mouse or keyboard; the user cannot clear the selection.
class FileListBox : public QListWidget, public FileListView {
    Q_OBJECT

  public:
    explicit FileListBox(std::string pattern, QWidget* parent = nullptr);

    // Lists `windowsFolder` (made absolute against the current folder when
    // relative). Returns false and keeps the folder and entries shown when the
    // folder cannot be listed.
    bool setFolder(const std::string& windowsFolder);

    std::string Path() const override;
    int ListIndex() const override;
    int ListCount() const override;
    std::string List(int index) const override;

    // What the list says inside itself, in grey, while it has no entries:
    // "No <pattern> files in <folder>", the folder as a path of the host.
    QString emptyHint() const;

  signals:
    void selectionChangedTo(int index);

  protected:
    void paintEvent(QPaintEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    QItemSelectionModel::SelectionFlags selectionCommand(const QModelIndex& index,
                                                         const QEvent* event) const override;

  private:
    void reportSelection();

    std::string m_pattern;
    std::string m_path;
    std::vector<std::string> m_names;  // the entries as bytes, in list order
    int m_lastSelected = -1;
};

}  // namespace orvex
