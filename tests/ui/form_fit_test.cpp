// No text of the window is clipped or covered with the fonts the project installs:
// the auto-sized labels, the widest sample and saved texts the chart can give, and
// the button's caption. Prints each measured width beside the room it has.
#include <QLineEdit>
#include <QListWidget>
#include <QLocale>
#include <QPushButton>
#include <QStyleOptionButton>
#include <QStyleOptionFrame>
#include <QTest>

#include "form_fixture.h"
#include "ui/colour_chart.h"
#include "ui/file_list_box.h"
#include "ui/form_label.h"
#include "ui/pictures.h"

using namespace orvex;
using namespace orvex::test;

namespace {

// QLineEdit keeps this margin on each side inside its contents rectangle.
constexpr int kLineEditMargin = 2;

int textRoom(const QLineEdit* box) {
    QStyleOptionFrame option;
    option.initFrom(box);
    option.rect = box->rect();
    option.lineWidth = box->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &option, box);
    const QRect contents = box->style()->subElementRect(QStyle::SE_LineEditContents, &option, box);
    const QMargins margins = box->textMargins();
    return contents.width() - margins.left() - margins.right() - 2 * kLineEditMargin;
}

int captionRoom(const QPushButton* button) {
    QStyleOptionButton option;
    option.initFrom(button);
    option.rect = button->rect();
    option.text = button->text();
    return button->style()->subElementRect(QStyle::SE_PushButtonContents, &option, button).width();
}

// The fraction text of a chart colour as the boxes show it: "R:0.5 G:1 B:0".
QString fractions(PackedColor colour) {
    std::int32_t red = 0;
    std::int32_t green = 0;
    std::int32_t blue = 0;
    GetRGBfromPoint(colour, red, green, blue);
    const std::string separator = QLocale().decimalPoint().toStdString();
    return QString::fromStdString("R:" + FractionText(Color255to1(red), separator) +
                                  " G:" + FractionText(Color255to1(green), separator) +
                                  " B:" + FractionText(Color255to1(blue), separator));
}

}  // namespace

class FormFitTest : public QObject {
    Q_OBJECT

    FormFixture m_fixture;

    QWidget* window() const { return m_fixture.form.get(); }
    ColourChart* chart() const { return m_fixture.control<ColourChart>("Picture1"); }

    // The chart pixel whose text, after `prefix`, is widest in `font`.
    QPoint widestPixel(const QString& prefix, const QFont& font) const {
        const QFontMetrics metrics(font);
        QPoint widest;
        int widestWidth = -1;
        for (int y = 0; y < kChartHeight; ++y) {
            for (int x = 0; x < kChartWidth; ++x) {
                const QString text = prefix + fractions(chart()->pixelAt(QPointF(x, y)));
                const int width = metrics.horizontalAdvance(text);
                if (width > widestWidth) {
                    widestWidth = width;
                    widest = QPoint(x, y);
                }
            }
        }
        return widest;
    }
    QPoint onChart(QPoint pixel) const {
        return chart()->mapTo(window(), chart()->contentsRect().topLeft() + pixel);
    }

    // Nothing but labels and the texture may lie under a label.
    void verifyClearOfControls(const QLabel* label) const {
        QVERIFY(window()->rect().contains(label->geometry()));
        for (const QWidget* other :
             window()->findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly)) {
            if (qobject_cast<const QLabel*>(other) == nullptr) {
                QVERIFY2(!label->geometry().intersects(other->geometry()),
                         qPrintable(label->text() + " reaches under " + other->objectName()));
            }
        }
    }

  private slots:
    void initTestCase() {
        m_fixture.copySamples();
        m_fixture.open();
        qInfo("bold face: %s; regular face: %s",
              qPrintable(QFontInfo(m_fixture.control("Text1")->font()).family()),
              qPrintable(QFontInfo(m_fixture.control("Command1")->font()).family()));
    }

    void headingsFitAndStayClear_data() {
        QTest::addColumn<int>("index");
        QTest::newRow("Label1(0)") << 0;
        QTest::newRow("Label1(2)") << 2;
    }
    void headingsFitAndStayClear() {
        QFETCH(int, index);
        auto* label = m_fixture.control<FormLabel>("Label1", index);
        const int width = QFontMetrics(label->font()).horizontalAdvance(label->text());
        qInfo("\"%s\": %d px, right edge %d", qPrintable(label->text()), width,
              label->geometry().right());
        QVERIFY(width <= label->contentsRect().width());
        verifyClearOfControls(label);
    }

    void characterNamesFitAndStayClear() {
        auto* list = m_fixture.control<QListWidget>("fileINI");
        auto* name = m_fixture.control<FormLabel>("lblName");
        for (int row = 0; row < list->count(); ++row) {
            list->setCurrentRow(row);
            QVERIFY(!name->text().isEmpty());
            QVERIFY(QFontMetrics(name->font()).horizontalAdvance(name->text()) <=
                    name->contentsRect().width());
            verifyClearOfControls(name);
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
        const QPoint pixel = widestPixel(prefix, box->font());
        QTest::mouseMove(window(), onChart(pixel));
        if (release) {
            QTest::mouseClick(window(), Qt::LeftButton, {}, onChart(pixel));
        }
        QCOMPARE(box->text(), prefix + fractions(chart()->pixelAt(pixel)));
        const int width = QFontMetrics(box->font()).horizontalAdvance(box->text());
        qInfo("\"%s\": %d px in %d px", qPrintable(box->text()), width, textRoom(box));
        QVERIFY(width <= textRoom(box));
    }

    void buttonCaptionFits() {
        auto* button = m_fixture.control<QPushButton>("Command1");
        const QFontMetrics metrics(button->font());
        const int width = metrics.horizontalAdvance(button->text());
        qInfo("\"%s\": %d px in %d px", qPrintable(button->text()), width, captionRoom(button));
        QVERIFY(width <= captionRoom(button));
        QVERIFY(metrics.height() <= button->height());
    }
};

QTEST_MAIN(FormFitTest)
#include "form_fit_test.moc"
