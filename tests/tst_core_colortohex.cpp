#include "editing/colortohex.h"
#include "platform/colornumber.h"

#include <QTest>

class TestColorToHex : public QObject
{
    Q_OBJECT

private slots:
    void digits_data()
    {
        QTest::addColumn<quint32>("color");
        QTest::addColumn<QString>("hex");
        QTest::newRow("red") << 255u << "FF0000";
        QTest::newRow("red 56 green 34 blue 12") << (0x56u | 0x34u << 8 | 0x12u << 16) << "563412";
        QTest::newRow("one") << 1u << "010000";
        QTest::newRow("black") << 0u << "000000";
        QTest::newRow("white") << 0xFFFFFFu << "FFFFFF";
        QTest::newRow("lower-case digits become upper case") << 0xabcdefu << "EFCDAB";
    }
    void digits()
    {
        QFETCH(quint32, color);
        QFETCH(QString, hex);
        QCOMPARE(zarvelo::ColorToHex(color), hex);
        // The colour dialog's RGB and back.
        QCOMPARE(zarvelo::colorNumberToRgb(color), hex.toInt(nullptr, 16));
        QCOMPARE(zarvelo::rgbToColorNumber(hex.toInt(nullptr, 16)), color);
    }
};

QTEST_APPLESS_MAIN(TestColorToHex)
#include "tst_core_colortohex.moc"
