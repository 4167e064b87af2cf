// The generated pictures, the code-page decoder and the packed-colour helpers.
#include <QColor>
#include <QTest>
#include <cmath>

#include "ui/packed_colour.h"
#include "ui/picture_drawing.h"
#include "ui/pictures.h"
#include "ui/text_1252.h"

using namespace orvex;

namespace {

constexpr double kPi = 3.14159265358979323846;

// The chart point `radius` pixels from the wheel's centre, `degrees` clockwise from
// straight up.
QPoint wheelPoint(double degrees, double radius) {
    const double rad = degrees * kPi / 180.0;
    return QPoint(kWheelCentreX + int(std::lround(radius * std::sin(rad))),
                  kWheelCentreY - int(std::lround(radius * std::cos(rad))));
}

int chroma(QRgb pixel) {
    const int high = std::max({qRed(pixel), qGreen(pixel), qBlue(pixel)});
    const int low = std::min({qRed(pixel), qGreen(pixel), qBlue(pixel)});
    return high - low;
}

int brightest(QRgb pixel) {
    return std::max({qRed(pixel), qGreen(pixel), qBlue(pixel)});
}

int hueDistance(int a, int b) {
    const int d = std::abs(a - b) % 360;
    return std::min(d, 360 - d);
}

}  // namespace

class PiecesTest : public QObject {
    Q_OBJECT

  private slots:
    void chartHasTheBoxClientSize() {
        const QImage chart = colourChartImage();
        QCOMPARE(chart.size(), QSize(256, 269));
        QCOMPARE(chart, colourChartImage());
    }

    void greyRampRunsFromWhiteToBlack_data() {
        QTest::addColumn<int>("column");
        QTest::addColumn<int>("row");
        const int rows[] = {256, 262, 268};
        for (int column : {0, 1, 55, 127, 128, 253, 255}) {
            for (int row : rows) {
                QTest::addRow("column %d row %d", column, row) << column << row;
            }
        }
    }
    void greyRampRunsFromWhiteToBlack() {
        QFETCH(int, column);
        QFETCH(int, row);
        const int grey = 255 - column;
        QCOMPARE(colourChartImage().pixel(column, row), qRgb(grey, grey, grey));
    }

    void wheelCentreIsPureWhite() {
        const QImage chart = colourChartImage();
        QCOMPARE(chart.pixel(kWheelCentreX, kWheelCentreY), qRgb(255, 255, 255));
        QVERIFY(chroma(chart.pixel(kWheelCentreX + 6, kWheelCentreY)) < 40);
    }

    void hueRunsClockwiseFromMagentaAtTheTop_data() {
        QTest::addColumn<double>("degrees");
        QTest::addColumn<int>("hue");
        QTest::newRow("top: magenta") << 0.0 << 300;
        QTest::newRow("upper right: red") << 45.0 << 0;
        QTest::newRow("right: orange") << 90.0 << 30;
        QTest::newRow("lower right: yellow") << 135.0 << 60;
        QTest::newRow("bottom: green") << 180.0 << 120;
        QTest::newRow("lower left: cyan") << 225.0 << 180;
        QTest::newRow("left: blue") << 270.0 << 240;
    }
    void hueRunsClockwiseFromMagentaAtTheTop() {
        QFETCH(double, degrees);
        QFETCH(int, hue);
        const QPoint point = wheelPoint(degrees, 50);
        const QColor colour(colourChartImage().pixel(point));
        QVERIFY2(
            hueDistance(colour.hsvHue(), hue) <= 15,
            qPrintable(
                QString("hue %1 at %2,%3").arg(colour.hsvHue()).arg(point.x()).arg(point.y())));
    }

    void saturationPeaksFortyToSixtyPixelsOut_data() {
        QTest::addColumn<double>("degrees");
        for (double degrees = 0; degrees < 360; degrees += 30) {
            QTest::addRow("%g degrees", degrees) << degrees;
        }
    }
    void saturationPeaksFortyToSixtyPixelsOut() {
        QFETCH(double, degrees);
        const QImage chart = colourChartImage();
        int peakRadius = 0;
        int peak = -1;
        for (int radius = 0; radius <= 120; ++radius) {
            const int value = chroma(chart.pixel(wheelPoint(degrees, radius)));
            if (value > peak) {
                peak = value;
                peakRadius = radius;
            }
        }
        QVERIFY2(peakRadius >= 40 && peakRadius <= 60, qPrintable(QString::number(peakRadius)));
        QVERIFY(peak >= 240);
    }

    void wheelDarkensTowardsEdgesAndCorners_data() {
        QTest::addColumn<QPoint>("point");
        QTest::addColumn<int>("lowest");
        QTest::addColumn<int>("highest");
        QTest::newRow("top edge") << QPoint(kWheelCentreX, 0) << 35 << 75;
        QTest::newRow("left edge") << QPoint(0, kWheelCentreY) << 35 << 75;
        QTest::newRow("right edge") << QPoint(255, kWheelCentreY) << 35 << 75;
        QTest::newRow("bottom edge") << QPoint(kWheelCentreX, 250) << 35 << 75;
        QTest::newRow("top left corner") << QPoint(0, 0) << 0 << 20;
        QTest::newRow("top right corner") << QPoint(255, 0) << 0 << 20;
        QTest::newRow("bottom left corner") << QPoint(0, 255) << 0 << 20;
        QTest::newRow("bottom right corner") << QPoint(255, 255) << 0 << 20;
    }
    void wheelDarkensTowardsEdgesAndCorners() {
        QFETCH(QPoint, point);
        QFETCH(int, lowest);
        QFETCH(int, highest);
        const int value = brightest(colourChartImage().pixel(point));
        QVERIFY2(value >= lowest && value <= highest, qPrintable(QString::number(value)));
    }

    void textureIsADarkVioletMaroonMottle() {
        const QImage texture = textureImage();
        QCOMPARE(texture.size(), QSize(258, 198));
        QCOMPARE(texture, textureImage());
        double sums[3] = {0, 0, 0};
        int lowest = 255;
        int highest = 0;
        for (int y = 0; y < texture.height(); ++y) {
            for (int x = 0; x < texture.width(); ++x) {
                const QRgb pixel = texture.pixel(x, y);
                for (int c : {qRed(pixel), qGreen(pixel), qBlue(pixel)}) {
                    lowest = std::min(lowest, c);
                    highest = std::max(highest, c);
                }
                sums[0] += qRed(pixel);
                sums[1] += qGreen(pixel);
                sums[2] += qBlue(pixel);
            }
        }
        QVERIFY2(lowest >= 28 && highest <= 75,
                 qPrintable(QString("%1..%2").arg(lowest).arg(highest)));
        QVERIFY2(highest - lowest >= 25, "a mottle, not a flat colour");
        const double count = texture.width() * texture.height();
        const double expected[3] = {57, 40, 54};
        for (int c = 0; c < 3; ++c) {
            QVERIFY2(std::abs(sums[c] / count - expected[c]) <= 3,
                     qPrintable(QString("component %1 averages %2").arg(c).arg(sums[c] / count)));
        }
    }

    // The pixels compiled into the program are those the drawing code makes now.
    void compiledPicturesMatchTheirDrawing() {
        QCOMPARE(colourChartImage(), drawColourChart());
        QCOMPARE(textureImage(), drawTexture());
        QCOMPARE(iconImage(32), drawIcon(32));
    }

    void iconShowsTwoPlanetsAndAStar_data() {
        QTest::addColumn<int>("size");
        QTest::newRow("16 px") << 16;
        QTest::newRow("32 px") << 32;
        QTest::newRow("48 px") << 48;
        QTest::newRow("256 px") << 256;
    }
    void iconShowsTwoPlanetsAndAStar() {
        QFETCH(int, size);
        const QImage icon = iconImage(size);
        QCOMPARE(icon.size(), QSize(size, size));
        auto at = [&](double x, double y) {
            return icon.pixel(int(x * size / 32), int(y * size / 32));
        };
        const QRgb space = at(16, 29);
        QVERIFY(qBlue(space) > qRed(space) && brightest(space) < 140);
        const QRgb leftPlanet = at(8, 17);
        QVERIFY(qBlue(leftPlanet) > qRed(leftPlanet) && qBlue(leftPlanet) > 180);
        const QRgb rightPlanet = at(24.5, 18);
        QVERIFY(qRed(rightPlanet) > 200 && qBlue(rightPlanet) < 100);
        const QRgb star = at(16.5, 9);
        QVERIFY(qRed(star) > 220 && qGreen(star) > 220 && qBlue(star) > 200);
    }

    void ansiBytesDecodeAsWindows1252_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("text");
        QTest::newRow("plain ASCII") << QByteArray("Aeryn Valdis") << QString("Aeryn Valdis");
        QTest::newRow("empty") << QByteArray() << QString();
        QTest::newRow("Latin-1 range") << QByteArray(
                                              "Ren\xE9"
                                              "e \xFF")
                                       << QString::fromUtf8("Renée ÿ");
        QTest::newRow("euro sign 0x80") << QByteArray("\x80") << QString(QChar(0x20AC));
        QTest::newRow("quotes 0x91 to 0x94")
            << QByteArray("\x91\x92\x93\x94") << QString::fromUtf16(u"\u2018\u2019\u201C\u201D");
        QTest::newRow("last high control 0x9F") << QByteArray("\x9F") << QString(QChar(0x0178));
        QTest::newRow("undefined 0x81 kept as control")
            << QByteArray("\x81") << QString(QChar(0x81));
        QTest::newRow("non-breaking space 0xA0") << QByteArray("\xA0") << QString(QChar(0xA0));
    }
    void ansiBytesDecodeAsWindows1252() {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, text);
        QCOMPARE(fromAnsi(bytes.toStdString()), text);
    }

    void packedColoursAreBlueGreenRed_data() {
        QTest::addColumn<int>("packed");
        QTest::addColumn<QColor>("colour");
        QTest::newRow("red in the lowest byte") << 0x000000FF << QColor(255, 0, 0);
        QTest::newRow("blue in the third byte") << 0x00FF0000 << QColor(0, 0, 255);
        QTest::newRow("colour box background") << 0x002E282A << QColor(42, 40, 46);
        QTest::newRow("highest byte ignored") << int(0x7F804020) << QColor(0x20, 0x40, 0x80);
        QTest::newRow("-1 reads as white") << -1 << QColor(255, 255, 255);
    }
    void packedColoursAreBlueGreenRed() {
        QFETCH(int, packed);
        QFETCH(QColor, colour);
        QCOMPARE(toQColor(packed), colour);
        QCOMPARE(toPacked(colour), packed & 0x00FFFFFF);
    }
};

QTEST_MAIN(PiecesTest)
#include "pieces_test.moc"
