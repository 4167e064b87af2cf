// Form1 at work: picking colours from the chart, giving them to slot labels,
// loading files from the list by mouse and keyboard, and saving.
#include <QLineEdit>
#include <QListWidget>
#include <QLocale>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include "colour/colour_values.h"
#include "form_fixture.h"
#include "ui/colour_chart.h"
#include "ui/file_list_box.h"
#include "ui/form_label.h"
#include "ui/qt_values.h"

using namespace orvex;
using namespace orvex::test;

namespace {

constexpr PackedColour grey(int value) {
    return value | (value << 8) | (value << 16);
}

}  // namespace

class FormEditingTest : public QObject {
    Q_OBJECT

    std::unique_ptr<FormFixture> m_fixture;

    ColourChart* chart() const { return m_fixture->control<ColourChart>("Picture1"); }
    QLineEdit* box(const char* name) const { return m_fixture->control<QLineEdit>(name); }
    FormLabel* slotLabel(int index) const {
        return m_fixture->control<FormLabel>("lblColors", index);
    }
    FileListBox* fileList() const { return m_fixture->control<FileListBox>("fileINI"); }
    QWidget* window() const { return m_fixture->form->client(); }

    // A chart pixel in the chart's own coordinates, as a point of the window.
    QPoint onChart(QPoint pixel) const {
        return chart()->mapTo(window(), chart()->contentsRect().topLeft() + pixel);
    }
    void moveOverChart(QPoint pixel) { QTest::mouseMove(window(), onChart(pixel)); }
    void pickFromChart(QPoint pixel, Qt::MouseButton button = Qt::LeftButton) {
        moveOverChart(pixel);
        QTest::mouseClick(window(), button, {}, onChart(pixel));
    }
    void clickSlot(int index) {
        QTest::mouseClick(window(), Qt::LeftButton, {}, slotLabel(index)->geometry().center());
    }
    void doubleClickSlot(int index) {
        QTest::mouseDClick(window(), Qt::LeftButton, {}, slotLabel(index)->geometry().center());
    }
    void clickEntry(int row) {
        QListWidget* list = fileList();
        const QPoint inList = list->visualItemRect(list->item(row)).center();
        QTest::mouseClick(window(), Qt::LeftButton, {}, list->viewport()->mapTo(window(), inList));
    }

  private slots:
    void init() {
        m_fixture = std::make_unique<FormFixture>();
        m_fixture->copySamples();
        m_fixture->open();
    }
    void cleanup() { m_fixture.reset(); }

    // Ramp columns differ by one grey each: a pointer mapped a pixel off shows another.
    void pointerOverChartShowsSample() {
        moveOverChart(QPoint(200, 200));  // start from another colour
        moveOverChart(QPoint(55, 260));
        QCOMPARE(box("Text1")->text(), QString("Color Sample Settings R:0.78 G:0.78 B:0.78"));
        QCOMPARE(toPacked(box("Text1")->palette().color(QPalette::Text)), grey(200));
        QCOMPARE(box("txtSaved")->text(), QString("This is your saved color!"));
        QCOMPARE(m_fixture->controller->savedColour(), kWhite);
    }

    void sampleUsesTheRegionalDecimalSeparator() {
        const QLocale previous;
        QLocale::setDefault(QLocale::German);
        moveOverChart(QPoint(127, 262));
        QLocale::setDefault(previous);
        QCOMPARE(box("Text1")->text(), QString("Color Sample Settings R:0,5 G:0,5 B:0,5"));
    }

    void releaseOfAnyButtonSavesTheColour_data() {
        QTest::addColumn<Qt::MouseButton>("button");
        QTest::newRow("left") << Qt::LeftButton;
        QTest::newRow("right") << Qt::RightButton;
        QTest::newRow("middle") << Qt::MiddleButton;
    }
    void releaseOfAnyButtonSavesTheColour() {
        QFETCH(Qt::MouseButton, button);
        pickFromChart(QPoint(55, 263), button);
        QCOMPARE(box("txtSaved")->text(), QString("Saved Color: R:0.78 G:0.78 B:0.78"));
        QCOMPARE(m_fixture->controller->savedColour(), grey(200));
    }

    // A button held over the chart keeps the pointer, so the chart is told of points
    // off its picture: on its frame and past its edge. They change nothing.
    void pointsOffTheChartChangeNothing_data() {
        QTest::addColumn<QPoint>("offChart");  // in chart coordinates
        QTest::newRow("right, over the slot labels") << QPoint(300, 100);
        QTest::newRow("on the sunken border") << QPoint(-1, 100);
    }
    void pointsOffTheChartChangeNothing() {
        QFETCH(QPoint, offChart);
        pickFromChart(QPoint(127, 260));
        moveOverChart(QPoint(55, 260));
        QTest::mousePress(window(), Qt::LeftButton, {}, onChart(QPoint(55, 260)));
        QTest::mouseMove(window(), onChart(offChart));
        QCOMPARE(box("Text1")->text(), QString("Color Sample Settings R:0.78 G:0.78 B:0.78"));
        QTest::mouseRelease(window(), Qt::LeftButton, {}, onChart(offChart));
        QCOMPARE(box("txtSaved")->text(), QString("Saved Color: R:0.5 G:0.5 B:0.5"));
        QCOMPARE(m_fixture->controller->savedColour(), grey(128));
        QCOMPARE(toPacked(box("Text1")->palette().color(QPalette::Text)), grey(200));
    }

    void releaseOverChartOfAPressElsewhereIsIgnored() {
        QTest::mousePress(window(), Qt::LeftButton, {}, box("Text1")->geometry().center());
        QTest::mouseMove(window(), onChart(QPoint(127, 260)));
        QTest::mouseRelease(window(), Qt::LeftButton, {}, onChart(QPoint(127, 260)));
        QCOMPARE(m_fixture->controller->savedColour(), kWhite);
        QCOMPARE(box("txtSaved")->text(), QString("This is your saved color!"));
    }

    // Each label reports its own index, the spare one and those placed bottom-up too.
    void clickColoursTheLabelClicked() {
        pickFromChart(QPoint(127, 260));
        const QList<int> clicked = {0, 5, 17, 24, 18};
        for (int index : clicked) {
            clickSlot(index);
        }
        for (int index = 0; index < 25; ++index) {
            QCOMPARE(slotLabel(index)->foreColor(), clicked.contains(index) ? grey(128) : kWhite);
        }
    }

    // Qt reports a press, a release, then the double-click: the label ends in the
    // file's colour, not the saved one.
    void doubleClickEndsInTheFilesColour() {
        clickEntry(0);
        pickFromChart(QPoint(127, 260));
        doubleClickSlot(1);
        QCOMPARE(slotLabel(1)->foreColor(), ColorFromText("0.5,0.25,1").colour);
        QCOMPARE(m_fixture->controller->savedColour(), grey(128));
    }

    void clickingAnEntryLoadsItsSlotsAndName() {
        clickEntry(0);
        QCOMPARE(m_fixture->control<FormLabel>("lblName")->text(), QString("Aeryn Valdis"));
        QCOMPARE(slotLabel(0)->text(), QString("Say"));
        QCOMPARE(slotLabel(0)->toolTip(), QString("Original Colors: 1,1,1"));
        QCOMPARE(slotLabel(0)->property("Tag").toString(), QString("VECTOR3-000"));
        QCOMPARE(slotLabel(1)->foreColor(), ColorFromText("0.5,0.25,1").colour);
        const QFontMetrics metrics(m_fixture->control("lblName")->font());
        QCOMPARE(m_fixture->control("lblName")->width(), metrics.horizontalAdvance("Aeryn Valdis"));
    }

    // A control-click would clear a QListWidget's selection.
    void controlClickOnTheSelectedEntryKeepsIt() {
        clickEntry(0);
        pickFromChart(QPoint(127, 260));
        clickSlot(0);
        QTest::mouseClick(window(), Qt::LeftButton, Qt::ControlModifier,
                          fileList()->viewport()->mapTo(
                              window(), fileList()->visualItemRect(fileList()->item(0)).center()));
        QCOMPARE(m_fixture->controller->fileList().ListIndex(),
                 0);  // the selection cannot be cleared
        QCOMPARE(slotLabel(0)->foreColor(), grey(128));
    }

    void arrowKeysLoadEachNewlySelectedFile() {
        m_fixture->form.reset();
        for (const char* name : {"player1_options.ini", "player2_options.ini"}) {
            QFile::remove(m_fixture->file(name));
        }
        m_fixture->write("player1_options.ini", playerFile("One ", "1,0,0"));
        m_fixture->write("player2_options.ini", playerFile("Two ", "0,1,0"));
        m_fixture->write("player3_options.ini", playerFile("Three ", "0,0,1"));
        m_fixture->open();
        QWidget* list = fileList();
        QCOMPARE(QApplication::focusWidget(), list);
        const QList<QPair<Qt::Key, QString>> steps = {{Qt::Key_Down, "One 0"},
                                                      {Qt::Key_Down, "Two 0"},
                                                      {Qt::Key_Down, "Three 0"},
                                                      {Qt::Key_Up, "Two 0"},
                                                      {Qt::Key_Home, "One 0"}};
        for (const auto& [key, caption] : steps) {
            QTest::keyClick(list, key);
            QCOMPARE(slotLabel(0)->text(), caption);
        }
    }

    void saveWritesTheFileAndConfirmsInAMessageBox() {
        m_fixture->form.reset();
        m_fixture->form = std::make_unique<Form1>(*m_fixture->controller);  // real message boxes
        m_fixture->form->show();
        QVERIFY(QTest::qWaitForWindowActive(window()));
        clickEntry(0);
        pickFromChart(QPoint(127, 260));
        clickSlot(0);
        QString shownText;
        QString shownTitle;
        QWidget* shownParent = nullptr;
        QTimer::singleShot(0, this, [&] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (!box) {
                return;
            }
            shownText = box->text();
            shownTitle = box->windowTitle();
            shownParent = box->parentWidget();
            QCOMPARE(box->buttons().size(), 1);
            box->button(QMessageBox::Ok)->click();
        });
        QTest::mouseClick(m_fixture->control<QPushButton>("Command1"), Qt::LeftButton);
        QCOMPARE(shownText, QString("INI file saved"));
        QCOMPARE(shownTitle, QString("Brannic's Orvex Color Configuration"));
        QCOMPARE(shownParent, m_fixture->form.get());
        const std::string path = m_fixture->file("player1_options.ini").toStdString();
        QCOMPARE(
            ReadINIEntry(path, "VECTOR3-000", "OptionValue", std::nullopt, m_fixture->host.files())
                .value.text,
            std::string("0.500000,0.500000,0.500000"));
    }

    void fileNamesAndTextsAreDecodedForDisplay() {
        m_fixture->form.reset();
        m_fixture->write("shortcut.ini",
                         "[Shortcut-5]\r\nName=Ren\xE9"
                         "e\r\n");
        m_fixture->write("player5_options.ini", playerFile("Caf\xE9 ", "1,1,1"));
        m_fixture->open();
        clickEntry(2);
        QCOMPARE(m_fixture->controller->fileList().List(2), std::string("player5_options.ini"));
        QCOMPARE(m_fixture->control<FormLabel>("lblName")->text(), QString::fromUtf8("Renée"));
        QCOMPARE(slotLabel(0)->text(), QString::fromUtf8("Café 0"));
    }
};

QTEST_MAIN(FormEditingTest)
#include "form_editing_test.moc"
