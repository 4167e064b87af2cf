// An empty file list says where it looked; a list with entries says nothing more.
#include <QFile>

#include "form_fixture.h"
#include "ui/file_list_box.h"

using namespace orvex;

namespace {

// Pixels of the viewport below row `rows` that differ from the list's background.
int markedPixelsBelow(FileListBox& list, int rows) {
    const QImage shot = list.viewport()->grab().toImage();
    const int top = rows > 0 ? list.visualItemRect(list.item(rows - 1)).bottom() + 1 : 0;
    int marked = 0;
    for (int y = top; y < shot.height(); ++y) {
        for (int x = 0; x < shot.width(); ++x) {
            marked += shot.pixel(x, y) != list.palette().color(QPalette::Base).rgb();
        }
    }
    return marked;
}

}  // namespace

class FileListHintTest : public QObject {
    Q_OBJECT

  private slots:
    void hintShowsOnlyWhileTheListIsEmpty() {
        QTemporaryDir folder;
        FileListBox list(Form1::kFilePattern);
        list.resize(185, 71);
        QVERIFY(list.setFolder(test::windowsFolder(folder.path())));
        QCOMPARE(list.emptyHint(),
                 "No player*_options.ini files in " + QDir(folder.path()).absolutePath());
        QVERIFY(markedPixelsBelow(list, 0) > 0);

        QVERIFY(QFile(folder.filePath("player1_options.ini")).open(QIODevice::WriteOnly));
        QVERIFY(list.setFolder(test::windowsFolder(folder.path())));
        QCOMPARE(markedPixelsBelow(list, 1), 0);
    }
};

QTEST_MAIN(FileListHintTest)
#include "file_list_hint_test.moc"
