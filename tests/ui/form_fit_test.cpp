// No text of the window is clipped or covered with the fonts the project installs.
// Prints each measured width beside the room it has.
#include <QLineEdit>
#include <QListWidget>
#include <QLocale>
#include <QPushButton>
#include <QStyleOptionButton>
#include <QStyleOptionFrame>

#include "form_fixture.h"
#include "ui/colour_chart.h"
#include "ui/form_label.h"
#include "ui/pictures.h"

using namespace orvex;

namespace {

int textRoom(const QLineEdit* box) {
    QStyleOptionFrame option;
    option.initFrom(box);
    option.lineWidth = box->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &option, box);
    const QRect text = box->style()->subElementRect(QStyle::SE_LineEditContents, &option, box);
    return text.width() - 2 * 2;  // QLineEdit's own margin on each side
}

int captionRoom(const QPushButton* button) {
    QStyleOptionButton option;
    option.initFrom(button);
    return button->style()->subElementRect(QStyle::SE_PushButtonContents, &option, button).width();
}

// "R:0.5 G:1 B:0" of a chart colour, as the colour boxes show it.
QString fractions(PackedColor colour) {
    std::int32_t rgb[3] = {};
    GetRGBfromPoint(colour, rgb[0], rgb[1], rgb[2]);
    const std::string point = QLocale().decimalPoint().toStdString();
    return QString::fromStdString("R:" + FractionText(Color255to1(rgb[0]), point) +
                                  " G:" + FractionText(Color255to1(rgb[1]), point) +
                                  " B:" + FractionText(Color255to1(rgb[2]), point));
}

}  // namespace

class FormFitTest : public QObject {
    Q_OBJECT

    test::FormFixture m_fixture;

    QWidget* window() const { return m_fixture.form.get(); }
    ColourChart* chart() const { return m_fixture.control<ColourChart>("Picture1"); }
    QPoint onChart(QPoint pixel) const {
        return chart()->mapTo(window(), chart()->contentsRect().topLeft() + pixel);
    }

    QPoint widestPixel(const QString& prefix, const QFontMetrics& metrics) const {
        QPoint widest;
        int widestWidth = -1;
        for (int y = 0; y < kChartHeight; ++y) {
            for (int x = 0; x < kChartWidth; ++x) {
                const int width =
                    metrics.horizontalAdvance(prefix + fractions(chart()->pixelAt(QPointF(x, y))));
                if (width > widestWidth) {
                    widestWidth = width;
                    widest = QPoint(x, y);
                }
            }
        }
        return widest;
    }

    // The caption fits, and nothing but labels and the texture lies under the label.
    void verifyFitsAndClear(const QLabel* label) const {
        const int width = QFontMetrics(label->font()).horizontalAdvance(label->text());
        qInfo("\"%s\": %d px in %d px", qPrintable(label->text()), width, label->width());
        QVERIFY(width <= label->width());
        QVERIFY(window()->rect().contains(label->geometry()));
        const auto others = window()->findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly);
        for (const QWidget* other : others) {
            QVERIFY2(qobject_cast<const QLabel*>(other) ||
                         !label->geometry().intersects(other->geometry()),
                     qPrintable(label->text() + " is under " + other->objectName()));
        }
    }

  private slots:
    void initTestCase() {
        m_fixture.copySamples();
        m_fixture.open();
        qInfo("face: %s", qPrintable(QFontInfo(m_fixture.control("Text1")->font()).family()));
    }

    void autoSizedLabelsFitAndStayClear() {
        verifyFitsAndClear(m_fixture.control<FormLabel>("Label1", 0));
        verifyFitsAndClear(m_fixture.control<FormLabel>("Label1", 2));
        auto* list = m_fixture.control<QListWidget>("fileINI");
        for (int row = 0; row < list->count(); ++row) {
            list->setCurrentRow(row);  // shows the character's name
            verifyFitsAndClear(m_fixture.control<FormLabel>("lblName"));
        }
    }

    void widestColourTextsFitTheirBoxes_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("prefix");
        QTest::addColumn<bool>("release");
        QTest::newRow("sample") << "Text1"
                                << "Color Sample Settings " << false;
        QTest::newRow("saved") << "txtSaved"
                               << "Saved Color: " << true;
    }
    void widestColourTextsFitTheirBoxes() {
        QFETCH(QString, name);
        QFETCH(QString, prefix);
        QFETCH(bool, release);
        auto* box = m_fixture.control<QLineEdit>(qPrintable(name));
        const QFontMetrics metrics(box->font());
        const QPoint pixel = widestPixel(prefix, metrics);
        QTest::mouseMove(window(), onChart(pixel));
        if (release) {
            QTest::mouseClick(window(), Qt::LeftButton, {}, onChart(pixel));
        }
        QCOMPARE(box->text(), prefix + fractions(chart()->pixelAt(pixel)));
        const int width = metrics.horizontalAdvance(box->text());
        qInfo("\"%s\": %d px in %d px", qPrintable(box->text()), width, textRoom(box));
        QVERIFY(width <= textRoom(box));
    }

    void buttonCaptionFits() {
        auto* button = m_fixture.control<QPushButton>("Command1");
        const int width = button->fontMetrics().horizontalAdvance(button->text());
        qInfo("\"%s\": %d px in %d px", qPrintable(button->text()), width, captionRoom(button));
        QVERIFY(width <= captionRoom(button));
    }
};

QTEST_MAIN(FormFitTest)
#include "form_fit_test.moc"
