// The pictures wrapped for Qt, the code-page decoder and the packed-colour helpers.
#include <QColor>
#include <QTest>
#include <cstdint>

#include "ui/pictures.h"
#include "ui/qt_values.h"

using namespace orvex;

class PiecesTest : public QObject {
    Q_OBJECT

  private slots:
    // The pictures' rules are checked in tests/form; here only that Qt shows the
    // same pixels (those compiled in at build time included), red where it expects red.
    void imagesHoldThePicturesPixels_data() {
        QTest::addColumn<QImage>("image");
        QTest::addColumn<int>("picture");
        QTest::newRow("chart") << colourChartImage() << 0;
        QTest::newRow("texture") << textureImage() << 1;
        QTest::newRow("icon 16 px") << iconImage(16) << 16;
        QTest::newRow("icon 32 px") << iconImage(32) << 32;
        QTest::newRow("icon 48 px") << iconImage(48) << 48;
    }
    void imagesHoldThePicturesPixels() {
        QFETCH(QImage, image);
        QFETCH(int, picture);
        const RgbPicture pixels = picture == 0   ? ColourChartPicture()
                                  : picture == 1 ? TexturePicture()
                                                 : IconPicture(picture);
        QCOMPARE(image.size(), QSize(pixels.width, pixels.height));
        for (int y = 0; y < pixels.height; ++y) {
            for (int x = 0; x < pixels.width; ++x) {
                const std::uint32_t expected = pixels.at(x, y);
                if (image.pixel(x, y) !=
                    qRgb(int(expected >> 16), int(expected >> 8 & 0xFF), int(expected & 0xFF))) {
                    QFAIL(qPrintable(QString("pixel %1,%2").arg(x).arg(y)));
                }
            }
        }
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
