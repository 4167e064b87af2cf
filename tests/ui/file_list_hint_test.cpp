// An empty file list says where it looked; entries take its place.
#include <QFile>

#include "form_fixture.h"
#include "ui/file_list_box.h"

using namespace orvex;

class FileListHintTest : public QObject {
    Q_OBJECT

    // Whether anything is drawn on the list's background below its entries.
    static bool drawsBelowEntries(FileListBox& list) {
        const QImage shot = list.viewport()->grab().toImage();
        const int top = list.count() > 0 ? list.visualItemRect(list.item(0)).bottom() + 1 : 0;
        const QImage below = shot.copy(0, top, shot.width(), shot.height() - top);
        QImage background = below;
        background.fill(list.palette().color(QPalette::Base));
        return below != background;
    }

  private slots:
    void hintShowsOnlyWhileTheListIsEmpty() {
        QTemporaryDir folder;
        SystemFileSystem files;
        FileListModel model;
        FileListBox list;
        list.resize(185, 71);
        QVERIFY(model.setFolder(test::windowsFolder(folder.path()), files));
        list.show(model);
        QCOMPARE(list.emptyHint(),
                 "No player*_options.ini files in " + QDir(folder.path()).absolutePath());
        QVERIFY(drawsBelowEntries(list));
        QVERIFY(QFile(folder.filePath("player1_options.ini")).open(QIODevice::WriteOnly));
        QVERIFY(model.setFolder(test::windowsFolder(folder.path()), files));
        list.show(model);
        QVERIFY(!drawsBelowEntries(list));
    }
};

QTEST_MAIN(FileListHintTest)
#include "file_list_hint_test.moc"
