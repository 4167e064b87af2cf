#include "file_list_box.h"

#include <QFile>
#include <QFocusEvent>
#include <QPainter>
#include <QTextOption>
#include <algorithm>
#include <filesystem>
#include <system_error>
#include <utility>

#include "form/form1_controls.h"
#include "platform/file_list.h"
#include "platform/host_path.h"
#include "platform/windows_path.h"
#include "text_1252.h"

namespace orvex {

FileListBox::FileListBox(std::string pattern, QWidget* parent)
    : QListWidget(parent), m_pattern(std::move(pattern)) {
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    connect(this, &QListWidget::itemSelectionChanged, this, &FileListBox::reportSelection);
    if (!setFolder(CurrentFolder())) {
        m_path = FolderShownFor(CurrentFolder());
    }
}

bool FileListBox::setFolder(const std::string& windowsFolder) {
    const std::string folder = FolderShownFor(windowsFolder);
    const FolderListing listing = ListMatchingFiles(HostPath(folder, {}), m_pattern);
    if (!listing.ok) {
        return false;
    }
    const QSignalBlocker quiet(this);
    clear();
    m_lastSelected = -1;
    m_path = folder;
    m_names = listing.names;
    for (const std::string& name : m_names) {
        addItem(fromAnsi(name));
    }
    return true;
}

QString FileListBox::emptyHint() const {
#ifdef Q_OS_WIN
    return fromAnsi(EmptyListHint(m_pattern, m_path));
#else
    return QFile::decodeName(
        QByteArray::fromStdString(EmptyListHint(m_pattern, HostPath(m_path, {}))));
#endif
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
    painter.drawText(QRectF(viewport()->rect().adjusted(3, 2, -3, -2)), emptyHint(), wrapping);
}

std::string FileListBox::Path() const {
    return m_path;
}

int FileListBox::ListIndex() const {
    const QModelIndexList rows = selectionModel()->selectedRows();
    return rows.isEmpty() ? -1 : rows.first().row();
}

int FileListBox::ListCount() const {
    return static_cast<int>(m_names.size());
}

std::string FileListBox::List(int index) const {
    if (index < 0 || index >= ListCount()) {
        return {};
    }
    return m_names[static_cast<std::size_t>(index)];
}

void FileListBox::reportSelection() {
    const int selected = ListIndex();
    if (selected == m_lastSelected) {
        return;
    }
    m_lastSelected = selected;
    if (selected >= 0) {
        emit selectionChangedTo(selected);
    }
}

// Gaining focus must not pick an entry: the first arrow key selects the first one.
void FileListBox::focusInEvent(QFocusEvent* event) {
    QListWidget::focusInEvent(event);
    if (ListIndex() < 0) {
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
