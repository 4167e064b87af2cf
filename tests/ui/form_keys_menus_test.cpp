// The player's keyboard, menus, dialogs and screen-reader names through the Qt window.
#include <QCheckBox>
#include <QMenu>
#include <QMenuBar>

#include "form/scheme.h"
#include "form_fixture.h"
#include "ui/colour_chart.h"
#include "ui/qt_dialogs.h"

using namespace orvex;
using namespace orvex::test;

// player1_options.ini; a colour off the wheel's centre kept and given to "Say".
const QString kGiveToSay = "Down Tab Shift+Left Return Tab Tab Tab Tab Return";

class FormKeysMenusTest : public QObject {
    Q_OBJECT

    std::unique_ptr<FormFixture> m_fixture;

    QWidget* slot(int index) const { return m_fixture->control("lblColors", index); }
    // Real key events through the window system, to the focused widget: "Down Ctrl+S".
    void press(const QString& keys) const {
        for (const QString& key : keys.split(' ')) {
            QTest::keySequence(m_fixture->form->windowHandle(), QKeySequence(key));
        }
    }

  private slots:
    void init() {
        m_fixture = std::make_unique<FormFixture>();
        m_fixture->copySamples();
        m_fixture->open();
    }

    void keyboardAloneGivesRestoresAndSaves() {
        press("Down Tab Left Left Shift+Up Return");
        const PackedColour kept = m_fixture->controller->savedColour();
        QVERIFY(kept != kWhite);
        auto* chart = m_fixture->control<ColourChart>("Picture1");
        const ChartPoint cross = m_fixture->controller->chartCross();
        const QPoint arm = chart->contentsRect().topLeft() + QPoint(cross.x + 5, cross.y);
        QCOMPARE(chart->grab().toImage().pixelColor(arm), QColor(Qt::black));
        press("Tab Tab Tab Tab Return Down Space Down Return Home Del");
        QVERIFY(slot(0)->accessibleName().startsWith("Say"));
        QCOMPARE(m_fixture->control("slotColumn")->accessibleName(), slot(0)->accessibleName());
        const QImage framed = m_fixture->form->client()->grab(slot(0)->geometry()).toImage();
        QCOMPARE(framed.pixelColor(1, 0), QColor(Qt::white));
        press("Ctrl+S");
        const QByteArray file = m_fixture->read("player1_options.ini");
        const QByteArray given = "OptionValue=" + QByteArray::fromStdString(ColorToText(kept));
        QVERIFY(file.contains("OptionName=Say\r\nOptionValue=1,1,1\r\n"));
        QVERIFY(file.contains("OptionName=Tell\r\n" + given + "\r\n"));
        QVERIFY(file.contains("OptionName=Guild\r\n" + given + "\r\n"));
    }

    void menuItemsForwardTheirCommands_data() {
        QTest::addColumn<QStringList>("row");  // menu, item, shortcuts, what follows
        const auto row = [](const QStringList& cells) {
            QTest::newRow(qPrintable(cells[1])) << cells;
        };
        row({"&File", "&Import Scheme...", "", "schemeToImport"});
        row({"&File", "&Export Scheme...", "", "schemeToExport"});
        row({"&File", "&Apply to Other Characters...", "", "charactersToApply"});
        row({"&File", "&Save Changes", "Ctrl+S", "INI file saved"});
        row({"&File", "&Reload", "F5", "askToSave"});
        row({"&File", "E&xit", "", "closed"});
        row({"&Edit", "&Undo", "Ctrl+Z", "file's colour"});
        row({"&Edit", "&Redo", "Ctrl+Y; Ctrl+Shift+Z", "given colour"});
        row({"&Edit", "&Choose Saved Colour...", "", "chooseColour"});
        row({"&Edit", "Restore &All File Colours", "", "file's colour"});
        row({"&Help", "&About", "", QString::fromStdString(ProgramVersionText())});
    }
    // With a colour given to "Say"; a question to save is answered "Don't Save".
    void menuItemsForwardTheirCommands() {
        QFETCH(QStringList, row);
        press(row[1] == "&Redo" ? kGiveToSay + " Ctrl+Z" : kGiveToSay);
        const auto items = m_fixture->form->menuBar()->findChildren<QAction*>();
        const auto item = std::find_if(items.begin(), items.end(),
                                       [&](QAction* action) { return action->text() == row[1]; });
        QVERIFY(item != items.end());
        QCOMPARE(static_cast<QMenu*>((*item)->parent())->title(), row[0]);
        QCOMPARE(QKeySequence::listToString((*item)->shortcuts()), row[2]);
        m_fixture->dialogs.saveAnswers.push_back(SaveChoice::DontSave);
        row[2].isEmpty() ? (*item)->trigger()
                         : press(row[2].section("; ", -1));  // Qt shows the first
        const std::vector<std::string>& asked = m_fixture->dialogs.asked;
        const std::vector<std::string> said = m_fixture->messages.texts();
        QCOMPARE(!m_fixture->form->isVisible() ? "closed"
                 : !asked.empty() ? QString::fromStdString(asked.back()).section(':', 0, 0)
                 : !said.empty()  ? QString::fromStdString(said.front()).section('\n', 0, 0)
                 : slot(0)->property("ForeColor").toInt() == kWhite ? "file's colour"
                                                                    : "given colour",
                 row[3]);
    }

    void applyDialogSelectsAllAndReturnsTheChecked() {
        ApplyDialog dialog({{"player2_options.ini", "Thorne Kasrik"}, {"player3_options.ini", ""}},
                           nullptr);
        const auto boxes = dialog.findChildren<QCheckBox*>();
        QCOMPARE(boxes[1]->text(), QString("player2_options.ini (Thorne Kasrik)"));
        QCOMPARE(boxes[2]->text(), QString("player3_options.ini"));
        boxes[0]->click();
        QCOMPARE(dialog.chosen(), (std::vector<int>{0, 1}));
        boxes[1]->click();
        QVERIFY(!boxes[0]->isChecked());
        QCOMPARE(dialog.chosen(), std::vector<int>{1});
    }

    void closingWithEditsAsksAndCancelKeepsTheWindow() {
        press(kGiveToSay);
        QVERIFY(!m_fixture->form->close());
        QCOMPARE(m_fixture->dialogs.asked.size(), std::size_t{1});
        m_fixture->dialogs.saveAnswers.push_back(SaveChoice::DontSave);
        QVERIFY(m_fixture->form->close());
    }
};

QTEST_MAIN(FormKeysMenusTest)
#include "form_keys_menus_test.moc"
