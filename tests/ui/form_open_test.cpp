// Form1 as it stands when it opens: controls, geometry, texts, fonts, colours,
// focus and tab order, drawing order, the instructions and the file list.
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>
#include <map>

#include "form/instructions.h"
#include "form_fixture.h"
#include "ui/colour_chart.h"
#include "ui/file_list_box.h"
#include "ui/form_label.h"
#include "ui/qt_values.h"

using namespace orvex;
using namespace orvex::test;

namespace {

QStringList instructionLines() {
    QStringList lines = QString::fromLatin1(kInstructionsText).split("\r\n");
    lines.removeLast();  // after the final line break
    return lines;
}

}  // namespace

class FormOpenTest : public QObject {
    Q_OBJECT

    FormFixture m_fixture;

    QWidget* named(const char* name, int index = -1) const {
        return m_fixture.control(name, index);
    }

  private slots:
    void initTestCase() {
        m_fixture.copySamples();
        m_fixture.open();
    }

    void windowIsFixedWithCloseButtonOnly() {
        Form1& form = *m_fixture.form;
        QCOMPARE(form.windowTitle(), QString("Brannic's Orvex Color Configuration"));
        QCOMPARE(form.client()->size(), QSize(474, 502));
        QCOMPARE(form.minimumSize(), form.maximumSize());
        const Qt::WindowFlags flags = form.windowFlags();
        QVERIFY(flags.testFlag(Qt::WindowCloseButtonHint));
        QVERIFY(flags.testFlag(Qt::WindowSystemMenuHint));
        QVERIFY(!flags.testFlag(Qt::WindowMinimizeButtonHint));
        QVERIFY(!flags.testFlag(Qt::WindowMaximizeButtonHint));
        QVERIFY(!form.windowIcon().isNull());
        QCOMPARE(form.windowIcon().availableSizes().size(), 2);
        form.resize(600, 600);
        QCOMPARE(form.size(), form.maximumSize());
    }

    // Where each control stands is the description's; here, that Qt puts it there
    // (an auto-sized label only its corner), takes no focus on labels and the image,
    // and lets the texture show through transparent labels.
    void controlsStandWhereDescribed() {
        for (const Control& control : Form1Controls()) {
            const std::string name(control.name);
            QWidget* widget = named(name.c_str(), control.index);
            QVERIFY2(widget, name.c_str());
            const PixelRect at = TwipsToPixels(control.twips);
            const QRect described(at.left, at.top, at.width, at.height);
            if (control.has(kAutoSize)) {
                QCOMPARE(widget->pos(), described.topLeft());
            } else {
                QCOMPARE(widget->geometry(), described);
            }
            QVERIFY(widget->isVisible() && widget->isEnabled());
            if (control.kind == ControlKind::Label || control.kind == ControlKind::Image) {
                QCOMPARE(widget->focusPolicy(), Qt::NoFocus);
            }
            if (control.kind == ControlKind::Label) {
                QCOMPARE(widget->autoFillBackground(), !control.has(kTransparent));
            }
        }
        // Client and picture coordinates agree only if the picture fills the chart.
        QCOMPARE(m_fixture.control<ColourChart>("Picture1")->contentsRect().size(),
                 QSize(kChartWidth, kChartHeight));
    }

    void autoSizedLabelsFitTheirCaption_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("index");
        QTest::addColumn<QString>("caption");
        QTest::newRow("Label1(0)") << "Label1" << 0 << "Select a Player INI file:";
        QTest::newRow("Label1(2)") << "Label1" << 2 << "Current Color Settings:";
        QTest::newRow("lblName, empty") << "lblName" << -1 << "";
    }
    void autoSizedLabelsFitTheirCaption() {
        QFETCH(QString, name);
        QFETCH(int, index);
        QFETCH(QString, caption);
        auto* label = m_fixture.control<FormLabel>(qPrintable(name), index);
        QVERIFY(label);
        QCOMPARE(label->text(), caption);
        const QFontMetrics metrics(label->font());
        QCOMPARE(label->width(), std::max(metrics.horizontalAdvance(caption), 3));
        QCOMPARE(label->height(), metrics.height());
    }

    void hintLabelShowsOnlyItsFirstLine() {
        auto* hint = m_fixture.control<FormLabel>("Label1", 1);
        QCOMPARE(hint->text(),
                 QString("Select a color from here and click on color texts to the right to "
                         "transfer it"));
        QVERIFY(hint->wordWrap());
        QVERIFY(hint->alignment().testFlag(Qt::AlignHCenter));
        QVERIFY(QFontMetrics(hint->font()).horizontalAdvance(hint->text()) > hint->width());
        QVERIFY(hint->heightForWidth(hint->width()) > hint->height());
    }

    void thereAreExactlyTheDesignedLabels() {
        QCOMPARE(m_fixture.form->findChildren<FormLabel*>("lblColors").size(), 25);
        QCOMPARE(m_fixture.form->findChildren<FormLabel*>("Label1").size(), 3);
    }

    void colourBoxesAreLockedAndDark_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("text");
        QTest::newRow("Text1") << "Text1"
                               << "Move mouse over color chart";
        QTest::newRow("txtSaved") << "txtSaved"
                                  << "This is your saved color!";
    }
    void colourBoxesAreLockedAndDark() {
        QFETCH(QString, name);
        QFETCH(QString, text);
        auto* box = m_fixture.control<QLineEdit>(qPrintable(name));
        QVERIFY(box);
        QCOMPARE(box->text(), text);
        QCOMPARE(box->palette().color(QPalette::Base), QColor(42, 40, 46));
        QCOMPARE(box->palette().color(QPalette::Text), QColor(255, 255, 255));
        QVERIFY(box->isReadOnly());
        box->setFocus();
        QTest::keyClicks(box, "typed");
        QTest::keyClick(box, Qt::Key_Backspace);
        QCOMPARE(box->text(), text);
        box->selectAll();
        QCOMPARE(box->selectedText(), text);  // locked, yet selectable and copyable
        box->deselect();
        m_fixture.control("fileINI")->setFocus();
    }

    void fontsAreSansSerifEightPoint_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("index");
        QTest::addColumn<bool>("bold");
        QTest::newRow("lblColors(0)") << "lblColors" << 0 << true;
        QTest::newRow("lblColors(24)") << "lblColors" << 24 << true;
        QTest::newRow("Text1") << "Text1" << -1 << true;
        QTest::newRow("txtSaved") << "txtSaved" << -1 << true;
        QTest::newRow("fileINI") << "fileINI" << -1 << false;
        QTest::newRow("Text2") << "Text2" << -1 << false;
        QTest::newRow("Command1") << "Command1" << -1 << false;
        QTest::newRow("Label1(0)") << "Label1" << 0 << false;
        QTest::newRow("lblName") << "lblName" << -1 << false;
    }
    void fontsAreSansSerifEightPoint() {
        QFETCH(QString, name);
        QFETCH(int, index);
        QFETCH(bool, bold);
        const QFont font = named(qPrintable(name), index)->font();
        QCOMPARE(font.family(), QString("MS Sans Serif"));
        QCOMPARE(font.pointSizeF(), 8.25);
        QCOMPARE(font.bold(), bold);
        QVERIFY(!QFontInfo(font).family().isEmpty());
    }

    void fileListShowsTheFilesWithFocusAndNothingSelected() {
        auto* list = m_fixture.control<FileListBox>("fileINI");
        QCOMPARE(QApplication::focusWidget(), list);
        QCOMPARE(list->currentRow(), -1);
        QCOMPARE(list->count(), 2);
        QCOMPARE(list->item(0)->text(), QString("player1_options.ini"));
        QCOMPARE(list->item(1)->text(), QString("player2_options.ini"));
    }

    // The order is the description's; Qt must follow it, take in no other control and
    // select no entry on the way.
    void tabVisitsTheDescribedControlsInTabOrder() {
        std::map<int, QString> described;
        for (const Control& control : Form1Controls()) {
            if (control.has(kTakesFocus)) {
                described[control.tabIndex] =
                    QString::fromUtf8(control.name.data(), qsizetype(control.name.size()));
            }
        }
        QStringList expected;
        for (const auto& [tabIndex, name] : described) {
            expected << name;
        }
        expected << expected.takeFirst();  // from the file list round to it again
        named("fileINI")->setFocus();
        QStringList visited;
        for (int step = 0; step < expected.size(); ++step) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            visited << QApplication::focusWidget()->objectName();
        }
        QCOMPARE(visited, expected);
        QCOMPARE(m_fixture.control<FileListBox>("fileINI")->currentRow(), -1);
    }

    // Qt stacks children in creation order: the texture lies behind the slot labels,
    // and every other control covers the labels.
    void childrenStackInTheDrawingOrder() {
        const QObjectList& stacked = m_fixture.form->client()->children();
        qsizetype below = -1;
        for (const Control* control : Form1DrawingOrder()) {
            const std::string name(control->name);
            const qsizetype at = stacked.indexOf(named(name.c_str(), control->index));
            QVERIFY2(at > below, name.c_str());
            below = at;
        }
        const QPoint insideLabel = named("lblColors", 3)->geometry().center();
        QCOMPARE(m_fixture.form->client()->childAt(insideLabel), named("lblColors", 3));
    }

    void instructionsCoverTheHintWhereTheyOverlap() {
        QWidget* text2 = named("Text2");
        const QRect overlap = text2->geometry().intersected(named("Label1", 1)->geometry());
        QCOMPARE(overlap.height(), 1);
        QWidget* top = m_fixture.form->client()->childAt(overlap.center());
        QVERIFY(top == text2 || text2->isAncestorOf(top));
    }

    void instructionsShowFromTheirFirstLine() {
        auto* text2 = m_fixture.control<QPlainTextEdit>("Text2");
        QCOMPARE(text2->toPlainText().split('\n').mid(0, 20), instructionLines());
        QVERIFY(text2->isReadOnly());
        QCOMPARE(text2->lineWrapMode(), QPlainTextEdit::WidgetWidth);
        QCOMPARE(text2->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
        QCOMPARE(text2->verticalScrollBar()->value(), 0);
        QVERIFY(text2->verticalScrollBar()->maximum() > 0);
        QCOMPARE(text2->cursorForPosition(QPoint(4, 4)).blockNumber(), 0);
        text2->setFocus();
        QTest::keyClicks(text2, "x");
        QCOMPARE(text2->toPlainText().split('\n').mid(0, 20), instructionLines());
        named("fileINI")->setFocus();
    }

    void cleanupTestCase() { m_fixture.form.reset(); }
};

QTEST_MAIN(FormOpenTest)
#include "form_open_test.moc"
