// The operator's override files for the rooms and beds available, "CamDispSPOT.txt" and
// "LettiDispSPOT.txt", with hostile content: each line gives the number it starts with (0 when
// none), and a file too short for the selected structure is reported, through the counts and
// through the window.

#include "hotelfixture.h"
#include "naxwindow.h"
#include "operatorerror.h"
#include "structurefigures.h"

#include <QCheckBox>
#include <QStringEncoder>

using namespace naxwindow;
using movement::StructureFigures;

namespace {

const QString kRooms = u"CamDispSPOT.txt"_qs;
const QString kBeds = u"LettiDispSPOT.txt"_qs;

QByteArray utf16(const QString &text)
{
    QStringEncoder encoder(QStringConverter::Utf16LE, QStringConverter::Flag::WriteBom);
    return encoder(text);
}

} // namespace

class TestHostileOverrides : public QObject
{
    Q_OBJECT

private slots:
    void figureOfAnyLine_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("selector");
        QTest::addColumn<qint64>("figure");
        QTest::newRow("a word") << QByteArray("venticinque\r\n") << u"-"_qs << qint64(0);
        QTest::newRow("binary") << QByteArray("\xFF\x00\x01\x7F", 4) << u"-"_qs << qint64(0);
        QTest::newRow("nul before the number") << QByteArray("\x00" "12\r\n", 4) << u"-"_qs << qint64(0);
        QTest::newRow("blanks before the number") << QByteArray(" \t12 camere\r\n") << u"-"_qs << qint64(12);
        QTest::newRow("no exponent") << QByteArray("1e5\r\n") << u"-"_qs << qint64(1);
        QTest::newRow("no hexadecimal") << QByteArray("0x1F\r\n") << u"-"_qs << qint64(0);
        QTest::newRow("line of 100,000 characters") << "7" + QByteArray(100000, ' ') + "\r\n" << u"-"_qs << qint64(7);
        QTest::newRow("bare line feeds") << QByteArray("12\n30\n") << u"2"_qs << qint64(30);
        QTest::newRow("bare carriage returns") << QByteArray("12\r30\r") << u"2"_qs << qint64(30);
        QByteArray many;
        for (int i = 1; i <= 50000; ++i)
            many += QByteArray::number(i) + "\r\n";
        QTest::newRow("50,000 lines") << many << u"10"_qs << qint64(10);
    }
    void figureOfAnyLine()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, selector);
        QFETCH(qint64, figure);
        // No database in the folder: a figure that does not come from its file would fail.
        for (const QString &file : {kRooms, kBeds}) {
            hotelfixture::Hotel hotel;
            hotel.writeFile(file, bytes);
            movement::MovementContext context = hotel.context();
            context.selector = selector;
            StructureFigures figures(context, {}, u"ZZZZZZ"_qs);
            QCOMPARE(file == kRooms ? figures.CamereDisponibili() : figures.LettiDisponibili(), figure);
        }
    }

    void numbersNoFigureCanBe_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<qint64>("asWritten");
        QTest::newRow("negative") << QByteArray("-3\r\n") << qint64(-3);
        QTest::newRow("beyond 16 bits") << QByteArray("40000\r\n") << qint64(40000);
        QTest::newRow("beyond 32 bits") << QByteArray("9999999999\r\n") << qint64(9999999999);
    }
    void numbersNoFigureCanBe()
    {
        // Either refused with a message naming the file, or the number as written: never one
        // wrapped around, cut to its low bits or turned into 0.
        QFETCH(QByteArray, bytes);
        QFETCH(qint64, asWritten);
        hotelfixture::Hotel hotel;
        hotel.writeFile(kRooms, bytes);
        try {
            QCOMPARE(StructureFigures(hotel.context(), {}, u"ZZZZZZ"_qs).CamereDisponibili(), asWritten);
        } catch (const core::OperatorError &e) {
            QVERIFY2(e.message().contains(kRooms), qPrintable(e.message()));
        }
    }

    void unicodeOverrideFromNotepad()
    {
        hotelfixture::Hotel hotel;
        hotel.writeFile(kRooms, utf16(u"12\r\n30\r\n"_qs));
        movement::MovementContext context = hotel.context();
        context.selector = u"2"_qs;
        QCOMPARE(StructureFigures(context, {}, u"ZZZZZZ"_qs).CamereDisponibili(), 30);
    }

    void shortOverrideIsReportedInTheWindow()
    {
        Hotel hotel;
        hotel.settings();
        hotel.endStartUp();
        hotel.write(u"VeluSetup.txt"_qs, "2\r\nCODE1\r\n,101,\r\nCODE2\r\n,102,\r\n");
        hotel.write(kRooms, "12"); // one line, no line end: structure 2 has none
        hotelfixture::Hotel data;
        data.rooms = {{1, "101", "DOP", 2}, {1, "102", "SIN", 1}};
        data.writeInto(QDir(hotel.dir.path()));

        auto window = openWindow(hotel);
        control<QComboBox>(window.get(), u"Combo1"_qs)->setCurrentIndex(1);
        Box box;
        pressCreaFile(window.get(), box);
        expectRefused(hotel, window.get(), box, kRooms);

        // Garbage in the other file is a figure of 0, and the file is written with it.
        hotel.write(kRooms, "12\r\n5 camere\r\n");
        hotel.write(kBeds, QByteArray("\x01\x02\r\n\xFF\xFE\r\n", 8));
        control<QComboBox>(window.get(), u"Combo1"_qs)->setCurrentIndex(1); // the box's closing reset it
        QTest::mouseClick(control<QPushButton>(window.get(), u"T0"_qs), Qt::LeftButton);
        QVERIFY(!window->isVisible());
        const QByteArray file = hotel.read(u"DuzizUzazi2024-02-29.xml"_qs);
        QVERIFY2(file.contains("<cameredisponibili>5</cameredisponibili>")
                     && file.contains("<lettidisponibili>0</lettidisponibili>"),
                 file.constData());
    }
};

QTEST_MAIN(TestHostileOverrides)
#include "tst_hostileoverrides.moc"
