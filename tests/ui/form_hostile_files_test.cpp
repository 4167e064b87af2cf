// Form1 on files no game writes: selecting one in the list loads what can be shown,
// reports what cannot, keeps the window answering, and never crashes; saving never
// makes the file worse.
#include <sys/stat.h>
#include <unistd.h>

#include <QElapsedTimer>
#include <QListWidget>
#include <QPushButton>
#include <QTest>

#include "form_fixture.h"
#include "ui/file_list_box.h"
#include "ui/form_label.h"

using namespace orvex;
using namespace orvex::test;

namespace {

constexpr const char* kName = "player5_options.ini";

// How long a load takes is the benchmarks' business (bench/), where the machine is
// known; here the time is printed, and a load that hangs fails at Qt Test's watchdog.
constexpr char kNulFile[] = "[VECTOR3-000]\r\nOptionN\0ame=x\r\nOptionValue=1,\0,1\r\n";

QByteArray sections(int count) {
    QByteArray text;
    text.reserve(count * 16);
    for (int at = 0; at < count; ++at) {
        text += "[S" + QByteArray::number(at) + "]\r\nk=v\r\n";
    }
    return text;
}

QByteArray utf16(const QByteArray& ascii) {
    QByteArray text("\xFF\xFE", 2);
    for (char c : ascii) {
        text += c;
        text += '\0';
    }
    return text;
}

}  // namespace

class FormHostileFilesTest : public QObject {
    Q_OBJECT

    std::unique_ptr<FormFixture> m_fixture;

    QWidget* window() const { return m_fixture->form->client(); }
    FormLabel* slotLabel(int index) const {
        return m_fixture->control<FormLabel>("lblColors", index);
    }
    QListWidget* fileList() const { return m_fixture->control<FileListBox>("fileINI"); }
    int rowOf(const QString& name) const {
        const auto items = fileList()->findItems(name, Qt::MatchExactly);
        return items.isEmpty() ? -1 : fileList()->row(items.first());
    }
    void clickRow(int row) {
        QListWidget* list = fileList();
        const QPoint inList = list->visualItemRect(list->item(row)).center();
        QTest::mouseClick(window(), Qt::LeftButton, {}, list->viewport()->mapTo(window(), inList));
    }

  private slots:
    void init() { m_fixture = std::make_unique<FormFixture>(); }
    void cleanup() {
        QFile::setPermissions(m_fixture->file(kName), QFile::ReadOwner | QFile::WriteOwner);
        m_fixture.reset();
    }

    void loadingShowsWhatItCan_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("slot0Caption");
        QTest::addColumn<bool>("reported");
        const QByteArray colours = playerFile("Chat ", "0.5,0.5,0.5");
        QByteArray junk(1 << 16, '\0');
        for (int at = 0; at < junk.size(); ++at) {
            junk[at] = static_cast<char>((at * 7919 + 13) % 251);
        }
        QTest::newRow("binary junk") << junk << "Bad Read" << true;
        QTest::newRow("NULs in keys and values")
            << QByteArray(kNulFile, sizeof kNulFile - 1) << "Bad Read" << true;
        QTest::newRow("10 MB single line")
            << colours + "[Big]\r\nx=" + QByteArray(10 << 20, 'x') << "Chat 0" << false;
        QTest::newRow("100000 sections") << sections(100000) + colours << "Chat 0" << false;
        QTest::newRow("UTF-8 byte order mark") << "\xEF\xBB\xBF" + colours << "Chat 0" << false;
        QTest::newRow("UTF-16 text") << utf16(colours) << "Bad Read" << true;
        QTest::newRow("colour nan") << playerFile("Chat ", "nan") << "Chat 0" << true;
        QTest::newRow("colour inf") << playerFile("Chat ", "inf,inf,inf") << "Chat 0" << true;
        QTest::newRow("colour 1e308") << playerFile("Chat ", "1e308,0,0") << "Chat 0" << true;
        QTest::newRow("colour -0") << playerFile("Chat ", "-0,-0,-0") << "Chat 0" << false;
        QTest::newRow("colour 0x1") << playerFile("Chat ", "0x1,0x1,0x1") << "Chat 0" << true;
        QTest::newRow("colour with blanks")
            << playerFile("Chat ", " 1 , 1 , 1 ") << "Chat 0" << false;
    }
    void loadingShowsWhatItCan() {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, slot0Caption);
        QFETCH(bool, reported);
        m_fixture->write(kName, bytes);
        m_fixture->open();
        const int row = rowOf(kName);
        QVERIFY(row >= 0);
        ShownMessages& messages = m_fixture->messages;
        messages.clear();

        QElapsedTimer timer;
        timer.start();
        clickRow(row);
        qInfo("load: %lld ms", timer.elapsed());
        QCOMPARE(slotLabel(0)->text(), slot0Caption);
        QCOMPARE(messages.texts().size(), reported ? std::size_t{1} : std::size_t{0});
        QVERIFY(window()->isVisible());

        // A save either leaves the file as it was or keeps everything in it.
        messages.clear();
        QTest::mouseClick(m_fixture->control<QPushButton>("Command1"), Qt::LeftButton);
        QCOMPARE(messages.texts().size(), std::size_t{1});
        const QByteArray after = m_fixture->read(kName);
        if (messages.texts()[0] == "INI file saved") {
            QVERIFY(after.size() >= bytes.size() - 24 * 8);
            QCOMPARE(after.left(3), bytes.left(3));
        } else {
            QCOMPARE(after, bytes);
            QVERIFY(messages.texts()[0].find(kName) != std::string::npos);
        }
    }

    void notAFileIsReportedAndLeftAlone_data() {
        QTest::addColumn<QString>("kind");
        QTest::newRow("FIFO") << "fifo";
        QTest::newRow("folder") << "folder";
        QTest::newRow("unreadable file") << "unreadable";
    }
    void notAFileIsReportedAndLeftAlone() {
        QFETCH(QString, kind);
        const QString path = m_fixture->file(kName);
        if (kind == "fifo") {
            QCOMPARE(::mkfifo(QFile::encodeName(path).constData(), 0644), 0);
        } else if (kind == "folder") {
            QVERIFY(QDir(m_fixture->dir.path()).mkdir(kName));
        } else {
            if (::geteuid() == 0) {
                QSKIP("root reads every file");
            }
            m_fixture->write(kName, playerFile("Chat ", "1,0,0"));
            QFile::setPermissions(path, {});
        }
        m_fixture->open();
        const int row = rowOf(kName);
        if (kind != "unreadable") {
            QCOMPARE(row, -1);  // the list shows regular files only: nothing to select
            return;
        }
        QVERIFY(row >= 0);
        ShownMessages& messages = m_fixture->messages;
        messages.clear();
        clickRow(row);
        QCOMPARE(messages.texts().size(), std::size_t{1});
        QCOMPARE(slotLabel(0)->text(), QString("Bad Read"));

        messages.clear();
        QTest::mouseClick(m_fixture->control<QPushButton>("Command1"), Qt::LeftButton);
        QCOMPARE(messages.texts().size(), std::size_t{1});
        QVERIFY(messages.texts()[0] != "INI file saved");
    }
};

QTEST_MAIN(FormHostileFilesTest)
#include "form_hostile_files_test.moc"
