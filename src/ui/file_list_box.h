#pragma once

#include <QListWidget>
#include <string>
#include <vector>

#include "form/file_list_model.h"

namespace orvex {

// The file list as a list box: shows the model's entries (or, in grey, its empty
// hint) and reports each row the user selects, by mouse or keyboard. The user
// cannot clear the selection.
class FileListBox : public QListWidget {
    Q_OBJECT

  public:
    explicit FileListBox(QWidget* parent = nullptr);

    void show(const FileListModel& model);
    QString emptyHint() const { return m_emptyHint; }

  signals:
    void rowSelected(int row);

  protected:
    void paintEvent(QPaintEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    QItemSelectionModel::SelectionFlags selectionCommand(const QModelIndex& index,
                                                         const QEvent* event) const override;

  private:
    int selectedRow() const;

    std::vector<std::string> m_shown;
    QString m_emptyHint;
};

}  // namespace orvex
