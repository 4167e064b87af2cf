#include "ui/file_list_box.h"

#include <QFile>
#include <QFocusEvent>
#include <QPainter>
#include <QTextOption>

#include "ui/qt_values.h"

namespace orvex {

FileListBox::FileListBox(QWidget* parent) : QListWidget(parent) {
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    connect(this, &QListWidget::itemSelectionChanged, this, [this] {
        if (selectedRow() >= 0) {
            emit rowSelected(selectedRow());
        }
    });
}

void FileListBox::show(const FileListModel& model) {
    const QSignalBlocker quiet(this);
    if (m_shown != model.entries()) {
        m_shown = model.entries();
        clear();
        for (const std::string& name : model.entries()) {
            addItem(fromAnsi(name));
        }
    }
    if (model.ListIndex() >= 0) {
        setCurrentRow(model.ListIndex());
    }
    // The hint names a folder of the host, whose names are in the locale's encoding.
#ifdef Q_OS_WIN
    m_emptyHint = fromAnsi(model.emptyHint());
#else
    m_emptyHint = QFile::decodeName(QByteArray::fromStdString(model.emptyHint()));
#endif
    viewport()->update();
}

int FileListBox::selectedRow() const {
    const QModelIndexList rows = selectionModel()->selectedRows();
    return rows.isEmpty() ? -1 : rows.first().row();
}

void FileListBox::paintEvent(QPaintEvent* event) {
    QListWidget::paintEvent(event);
    if (count() > 0) {
        return;
    }
    QPainter painter(viewport());
    painter.setPen(palette().color(QPalette::PlaceholderText));
    QTextOption wrapping(Qt::AlignLeft | Qt::AlignTop);
    wrapping.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);  // long folders too
    painter.drawText(QRectF(viewport()->rect().adjusted(3, 2, -3, -2)), m_emptyHint, wrapping);
}

// Gaining focus must not pick an entry: the first arrow key selects the first one.
void FileListBox::focusInEvent(QFocusEvent* event) {
    QListWidget::focusInEvent(event);
    if (selectedRow() < 0) {
        selectionModel()->setCurrentIndex(QModelIndex(), QItemSelectionModel::NoUpdate);
    }
}

// A list box always keeps its selected entry: a control-click or control-space
// on it selects it again instead of clearing the selection.
QItemSelectionModel::SelectionFlags FileListBox::selectionCommand(const QModelIndex& index,
                                                                  const QEvent* event) const {
    QItemSelectionModel::SelectionFlags command = QListWidget::selectionCommand(index, event);
    if (command & (QItemSelectionModel::Deselect | QItemSelectionModel::Toggle)) {
        return index.isValid() ? QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows
                               : QItemSelectionModel::NoUpdate;
    }
    return command;
}

}  // namespace orvex
