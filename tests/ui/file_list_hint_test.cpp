// The file list says where it looked when it found no player files, and stays
// silent once it lists some.
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include "form_fixture.h"
#include "ui/file_list_box.h"

using namespace orvex;

namespace {

// Pixels of the list's viewport below its first row that differ from its background.
int markedPixelsBelowFirstRow(FileListBox& list) {
    const QImage shot = list.viewport()->grab().toImage();
    const QRgb background = list.palette().color(QPalette::Base).rgb();
    const int top = list.count() > 0 ? list.visualItemRect(list.item(0)).bottom() + 1 : 0;
    int marked = 0;
    for (int y = top; y < shot.height(); ++y) {
        for (int x = 0; x < shot.width(); ++x) {
            marked += shot.pixel(x, y) != background ? 1 : 0;
        }
    }
    return marked;
}

}  // namespace

class FileListHintTest : public QObject {
    Q_OBJECT

  private slots:
    void emptyListNamesTheFolderItLookedIn() {
        QTemporaryDir empty;
        FileListBox list(Form1::kFilePattern);
        list.resize(185, 71);
        QVERIFY(list.setFolder(test::windowsFolder(empty.path())));
        QCOMPARE(list.emptyHint(),
                 "No player*_options.ini files in " + QDir(empty.path()).absolutePath());
        QVERIFY(markedPixelsBelowFirstRow(list) > 0);
    }

    void listWithFilesShowsNoHint() {
        QTemporaryDir folder;
        QFile player(folder.filePath("player1_options.ini"));
        QVERIFY(player.open(QIODevice::WriteOnly));
        player.close();
        FileListBox list(Form1::kFilePattern);
        list.resize(185, 71);
        QVERIFY(list.setFolder(test::windowsFolder(folder.path())));
        QCOMPARE(list.count(), 1);
        QCOMPARE(markedPixelsBelowFirstRow(list), 0);
    }
};

QTEST_MAIN(FileListHintTest)
#include "file_list_hint_test.moc"
