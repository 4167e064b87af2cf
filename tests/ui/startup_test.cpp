// The window found through a Proton prefix: start-up reads the registered icon path
// from the prefix's registry, lists the player files under drive_c whatever their
// case on disk, shows the character name and saves into that folder.
#include "install/startup.h"

#include <QDir>
#include <QFile>
#include <QListWidget>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include "form_fixture.h"
#include "platform/host_path.h"
#include "test_support.h"
#include "ui/colour_chart.h"
#include "ui/file_list_box.h"
#include "ui/form_label.h"

using namespace orvex;
using namespace orvex::test;

namespace {

// A system.reg as Wine writes it, with the game registered by a 32-bit installer.
const QByteArray kSystemReg =
    "WINE REGISTRY Version 2\n"
    ";; All keys relative to \\\\Machine\n"
    "\n"
    "#arch=win64\n"
    "\n"
    "[Software\\\\Wow6432Node\\\\Microsoft\\\\Windows\\\\CurrentVersion\\\\Uninstall\\\\"
    "{976666B5-4541-4FAA-BF1C-ED3E1421341D}] 1796690808\n"
    "#time=1dd86ad9b53411c\n"
    "\"DisplayIcon\"=\"C:\\\\Games\\\\X\\\\game.exe,0\"\n"
    "\"DisplayName\"=\"Orvex\"\n";

QByteArray playerFile(const QByteArray& firstOption) {
    QByteArray text = QByteArray::fromStdString(test::OptionsFile());
    return text.replace("OptionName=Option 0\r\n", "OptionName=" + firstOption + "\r\n");
}

void writeFile(const QString& path, const QByteArray& bytes) {
    QVERIFY(QDir().mkpath(QFileInfo(path).path()));
    QFile out(path);
    QVERIFY(out.open(QIODevice::WriteOnly));
    out.write(bytes);
}

}  // namespace

class StartupTest : public QObject {
    Q_OBJECT

    QTemporaryDir m_home;
    QString m_output;

  private slots:
    void initTestCase() {
        const QString prefix = m_home.filePath(".local/share/Steam/steamapps/compatdata/4242/pfx");
        writeFile(prefix + "/system.reg", kSystemReg);
        QVERIFY(QDir().mkpath(prefix + "/dosdevices"));
        QVERIFY(QDir().mkpath(prefix + "/drive_c"));
        QVERIFY(QFile::link("../drive_c", prefix + "/dosdevices/c:"));
        m_output = prefix + "/drive_c/games/x/DATA/client/output";
        writeFile(m_output + "/Player1_Options.ini", playerFile("Say"));
        writeFile(m_output + "/PLAYER2_OPTIONS.INI", playerFile("Tell"));
        writeFile(m_output + "/Shortcut.INI",
                  "[General]\r\nLastPlayer=2\r\n[Shortcut-1]\r\nName=Mira Quell\r\n"
                  "[Shortcut-2]\r\nName=Oskar Venn\r\n");
    }

    void gameInAProtonPrefixIsFoundListedNamedAndSaved() {
        SystemHost host({"", m_home.path().toStdString()});
        Form1Controller controller(host);
        ShownMessages messages;
        messages.add(controller.start({}).messages);
        Form1 form(controller,
                   [&messages](QWidget*, const UserMessages& shown) { messages.add(shown); });
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));

        QCOMPARE(controller.startup().InstallIconPath, std::string("C:\\Games\\X\\game.exe,0"));
        QCOMPARE(controller.fileList().Path(), std::string("C:\\Games\\X\\Data\\client\\output"));
        QCOMPARE(controller.startup().ShortcutSections,
                 (std::vector<std::string>{"General", "Shortcut-1", "Shortcut-2"}));

        auto* list = form.findChild<FileListBox*>("fileINI");
        QCOMPARE(list->count(), 2);
        QCOMPARE(list->item(0)->text(), QString("Player1_Options.ini"));
        QCOMPARE(list->item(1)->text(), QString("PLAYER2_OPTIONS.INI"));

        const QPoint entry = list->visualItemRect(list->item(1)).center();
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, entry);
        QCOMPARE(form.findChild<FormLabel*>("lblName")->text(), QString("Oskar Venn"));
        FormLabel* firstSlot = nullptr;
        for (FormLabel* label : form.findChildren<FormLabel*>("lblColors")) {
            if (label->property("index").toInt() == 0) {
                firstSlot = label;
            }
        }
        QCOMPARE(firstSlot->text(), QString("Tell"));

        // Grey 128 from the ramp below the wheel, given to the first slot, saved.
        auto* chart = form.findChild<ColourChart*>("Picture1");
        const QPoint grey128 = chart->contentsRect().topLeft() + QPoint(127, 260);
        QTest::mouseMove(chart, grey128);
        QTest::mouseClick(chart, Qt::LeftButton, {}, grey128);
        QTest::mouseClick(firstSlot, Qt::LeftButton);
        QTest::mouseClick(form.findChild<QPushButton*>("Command1"), Qt::LeftButton);

        QCOMPARE(messages.messages().size(), size_t(1));
        QCOMPARE(messages.messages()[0].text, std::string("INI file saved"));
        QFile saved(m_output + "/PLAYER2_OPTIONS.INI");
        QVERIFY(saved.open(QIODevice::ReadOnly));
        const QByteArray bytes = saved.readAll();
        QVERIFY(
            bytes.contains("[VECTOR3-000]\r\nOptionName=Tell\r\n"
                           "OptionValue=0.500000,0.500000,0.500000\r\n"));
        QVERIFY(bytes.contains("[VECTOR3-001]\r\nOptionName=Option 1\r\nOptionValue=1,1,1\r\n"));
        QVERIFY(!QFile::exists(m_output + "/player2_options.ini"));
    }
};

QTEST_MAIN(StartupTest)
#include "startup_test.moc"
