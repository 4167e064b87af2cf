// No text of the window is clipped or covered with the fonts the project installs;
// prints each width beside its room.
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QLocale>
#include <QPushButton>
#include <QStyleOptionButton>
#include <QStyleOptionFrame>

#include "form_fixture.h"
#include "ui/colour_chart.h"
#include "ui/pictures.h"

using namespace orvex;

class FormFitTest : public QObject {
    Q_OBJECT

    test::FormFixture m_fixture;

    QWidget* window() const { return m_fixture.form->client(); }
    ColourChart* chart() const { return m_fixture.control<ColourChart>("Picture1"); }

    // The chart pixel whose fractions ("R:0.5 G:1 B:0") are widest in `metrics`.
    QPoint widestPixel(const QFontMetrics& metrics) const {
        const std::string point = QLocale().decimalPoint().toStdString();
        QPoint widest;
        for (int at = 0, widestWidth = -1; at < kChartWidth * kChartHeight; ++at) {
            std::int32_t c[3] = {};
            const QPoint pixel(at % kChartWidth, at / kChartWidth);
            GetRGBfromPoint(chart()->pixelAt(pixel), c[0], c[1], c[2]);
            const int width = metrics.horizontalAdvance(
                QString::fromStdString("R:" + FractionText(Color255to1(c[0]), point) +
                                       " G:" + FractionText(Color255to1(c[1]), point) +
                                       " B:" + FractionText(Color255to1(c[2]), point)));
            if (width > widestWidth) {
                widestWidth = width;
                widest = pixel;
            }
        }
        return widest;
    }

    void verifyFits(const QString& text, const QFontMetrics& metrics, int room) const {
        const int width = metrics.horizontalAdvance(text);
        qInfo("\"%s\": %d px in %d px", qPrintable(text), width, room);
        QVERIFY(width <= room);
    }

    // Fits its caption, and nothing but labels lies under it.
    void verifyLabel(const QLabel* label) const {
        verifyFits(label->text(), label->fontMetrics(), label->width());
        for (const QWidget* other :
             window()->findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly)) {
            QVERIFY2(qobject_cast<const QLabel*>(other) ||
                         !label->geometry().intersects(other->geometry()),
                     qPrintable(label->text() + " is under " + other->objectName()));
        }
    }

  private slots:
    void initTestCase() {
        m_fixture.copySamples();
        m_fixture.open();
    }

    void autoSizedLabelsFitAndStayClear() {
        verifyLabel(m_fixture.control<QLabel>("Label1", 0));
        verifyLabel(m_fixture.control<QLabel>("Label1", 2));
        auto* list = m_fixture.control<QListWidget>("fileINI");
        for (int row = 0; row < list->count(); ++row) {
            list->setCurrentRow(row);  // shows the character's name
            verifyLabel(m_fixture.control<QLabel>("lblName"));
        }
    }

    // The sample and saved texts of the widest colour, shown by moving over it and
    // releasing the button there.
    void widestColourTextsFitTheirBoxes() {
        auto* sample = m_fixture.control<QLineEdit>("Text1");
        const QPoint pixel = widestPixel(sample->fontMetrics());
        const QPoint at = chart()->mapTo(window(), chart()->contentsRect().topLeft() + pixel);
        QTest::mouseMove(window(), at);
        QTest::mouseClick(window(), Qt::LeftButton, {}, at);
        for (auto* box : {sample, m_fixture.control<QLineEdit>("txtSaved")}) {
            QStyleOptionFrame option;
            option.initFrom(box);
            option.lineWidth =
                box->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &option, box);
            const int room =
                box->style()->subElementRect(QStyle::SE_LineEditContents, &option, box).width() -
                2 * 2;  // QLineEdit's own margins
            verifyFits(box->text(), box->fontMetrics(), room);
        }
    }

    void buttonCaptionFits() {
        auto* button = m_fixture.control<QPushButton>("Command1");
        QStyleOptionButton option;
        option.initFrom(button);
        verifyFits(button->text(), button->fontMetrics(),
                   button->style()
                       ->subElementRect(QStyle::SE_PushButtonContents, &option, button)
                       .width());
    }
};

QTEST_MAIN(FormFitTest)
#include "form_fit_test.moc"
