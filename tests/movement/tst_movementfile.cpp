#include "hotelfixture.h"
#include "movementfile.h"
#include "operatorerror.h"

#include <QCryptographicHash>
#include <QTemporaryDir>
#include <QTest>

using namespace movement;

class TestMovementFile : public QObject
{
    Q_OBJECT

private:
    static MovementContext context(const QTemporaryDir &dir)
    {
        MovementContext c;
        c.folder = QDir(dir.path());
        c.PercorsoFile = u"DuzizUzazi.xml"_qs;
        c.CodiceStruttura = u"ABC123"_qs;
        c.selector = u"-"_qs;
        return c;
    }

    static QStringList files(const QTemporaryDir &dir)
    {
        return QDir(dir.path()).entryList(QDir::Files | QDir::Hidden);
    }

private slots:
    void closedFileIsSavedInTheWorkingFolder()
    {
        QTemporaryDir dir;
        const QString path = createMovementFile(FileKind::Closed, context(dir),
                                                {u"30/12/2026"_qs, u"02/01/2027"_qs, {}, u"ZZZZZZ"_qs});
        QCOMPARE(path, dir.filePath(u"DuzizUzazi2026-12-30.xml"_qs));
        const QByteArray bytes = readBytes(path);
        QVERIFY(bytes.startsWith("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n<movimenti>\r\n  <codice>ABC123</codice>\r\n"));
        QCOMPARE(bytes.count("<movimento>"), 4);
        QVERIFY(bytes.endsWith("   </movimento>\r\n</movimenti>\r\n"));
    }

    void failureKeepsTheEarlierFile()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(u"DuzizUzazi2026-12-30.xml"_qs);
        writeBytes(path, "earlier");
        MovementContext c = context(dir);
        c.selector = u"12"_qs;
        QVERIFY_THROWS_EXCEPTION(core::OperatorError, createMovementFile(FileKind::Closed, c,
                                                                         {u"30/12/2026"_qs, u"02/01/2027"_qs, {}, {}}));
        QVERIFY_THROWS_EXCEPTION(core::OperatorError, createMovementFile(FileKind::Closed, context(dir),
                                                                         {u"30/12/2026"_qs, u"2/1/2027"_qs, {}, {}}));
        QCOMPARE(readBytes(path), QByteArray("earlier"));
        QCOMPARE(files(dir), QStringList{u"DuzizUzazi2026-12-30.xml"_qs});
    }

    void dailyFilesAreNamedAfterTheirDay()
    {
        hotelfixture::Hotel hotel;
        hotelfixture::Card guest = hotelfixture::present("1", 15, "20261230", "20270102");
        guest.CapoFamiglia = u"U"_qs;
        hotel.current << guest;
        hotel.write();
        MovementContext c = hotel.context();
        const GeneratorArgs args{u"31/12/2026"_qs, u"01/01/2027"_qs, {}, u"ZZZZZZ"_qs};
        QCOMPARE(createMovementFile(FileKind::Classic, c, args), hotel.path(u"DuzizUzazi2026-12-31.xml"_qs));
        // The start-up file reports the night before the typed day.
        QCOMPARE(createMovementFile(FileKind::Schema, c, args), hotel.path(u"DuzizUzazi2026-12-30.xml"_qs));
        QCOMPARE(hotel.read(u"DuzizUzazi2026-12-31.xml"_qs).count("<movimento>"), 2);
        QVERIFY(hotel.read(u"DuzizUzazi2026-12-30.xml"_qs).contains("<codiceclientesr>15</codiceclientesr>"));
    }

    // What a written file reports is handed on as the file has it, for the register.
    void reportedFiguresAreTheFilesOwn()
    {
        hotelfixture::Hotel hotel;
        hotel.rooms = {{1, "1", "DOP", 2}, {1, "2", "DOP", 2}, {1, "3", "SIN", 1}};
        for (hotelfixture::Card card : {hotelfixture::present("1", 15, "20261230", "20270102"),
                                        hotelfixture::present("1", 16, "20261231", "20270102"),
                                        hotelfixture::present("3", 19, "20261231", "20270101"),
                                        hotelfixture::departed("2", 17, "20261229", "20261231")}) {
            card.CapoFamiglia = u"U"_qs;
            hotel.current << card;
        }
        hotel.archived << hotelfixture::departed("2", 26000018, "20261228", "20261230");
        hotel.write();
        const GeneratorArgs args{u"30/12/2026"_qs, u"31/12/2026"_qs, {}, u"ZZZZZZ"_qs};
        const auto lastFigure = [](const QByteArray &bytes, const QByteArray &element) {
            const qsizetype at = bytes.lastIndexOf('<' + element + '>') + element.size() + 2;
            return bytes.mid(at, bytes.indexOf('<', at) - at).toLongLong();
        };

        // The size and SHA-256 taken while the file was written are those of its bytes on the disk.
        const auto written = [&](FileKind kind) {
            WrittenFile file;
            const QByteArray bytes = readBytes(createMovementFile(kind, hotel.context(), args, &file));
            [&] {
                QCOMPARE(file.size, bytes.size());
                QCOMPARE(file.sha256, QCryptographicHash::hash(bytes, QCryptographicHash::Sha256).toHex());
            }();
            return std::pair(file.figures, bytes);
        };

        const auto [daily, classic] = written(FileKind::Classic);
        QCOMPARE(std::pair(daily.first, daily.last), std::pair(QDate(2026, 12, 30), QDate(2026, 12, 31)));
        QCOMPARE(daily.arrivals, classic.count("<arrivo>\r\n")); // a departure names its arrival in <arrivo>DATE
        QCOMPARE(daily.departures, classic.count("<partenza>"));
        QCOMPARE(daily.roomsOccupied, lastFigure(classic, "camereoccupate"));
        QCOMPARE(daily.roomsOccupied, 2); // rooms 1 and 3 in the night of the 31st
        QCOMPARE(daily.guestsPresent, 3);

        const auto [startUp, night] = written(FileKind::Schema);
        QCOMPARE(std::pair(startUp.first, startUp.last), std::pair(QDate(2026, 12, 29), QDate(2026, 12, 29)));
        QCOMPARE(startUp.guestsPresent, night.count("<codiceclientesr>"));
        QCOMPARE(startUp.arrivals, startUp.guestsPresent);
        QCOMPARE(startUp.departures, 0);
        QCOMPARE(startUp.roomsOccupied, lastFigure(night, "camereoccupate"));

        const FileFigures closed = written(FileKind::Closed).first;
        QCOMPARE(std::pair(closed.first, closed.last), std::pair(QDate(2026, 12, 30), QDate(2026, 12, 31)));
        QCOMPARE(closed.arrivals + closed.departures + closed.guestsPresent + closed.roomsOccupied, 0);
    }

    void databaseFailureKeepsTheEarlierFile()
    {
        hotelfixture::Hotel hotel;
        hotelfixture::Card guest = hotelfixture::present("1", 15, "20261231", "20270102");
        guest.CapoFamiglia = u"U"_qs;
        hotel.current << guest;
        hotel.write({u"Comuni.mdb"_qs});
        hotel.writeFile(u"DuzizUzazi2026-12-30.xml"_qs, "earlier");
        // The classic file's first day is written before the arrival's codes are needed; the
        // start-up file for 01/01/2027 lists the guest.
        const QList<std::pair<FileKind, QString>> runs{{FileKind::Classic, u"30/12/2026"_qs},
                                                       {FileKind::Schema, u"01/01/2027"_qs}};
        for (const auto &[kind, from] : runs) {
            try {
                createMovementFile(kind, hotel.context(), {from, u"31/12/2026"_qs, {}, u"ZZZZZZ"_qs});
                QFAIL("a missing code database was not reported");
            } catch (const std::runtime_error &e) {
                QVERIFY2(QString::fromUtf8(e.what()).contains(u"Comuni.mdb"), e.what());
            }
        }
        QCOMPARE(hotel.read(u"DuzizUzazi2026-12-30.xml"_qs), QByteArray("earlier"));
        QCOMPARE(QDir(hotel.dir.path()).entryList({u"*.xml"_qs}, QDir::Files | QDir::Hidden),
                 QStringList{u"DuzizUzazi2026-12-30.xml"_qs});
    }
};

QTEST_GUILESS_MAIN(TestMovementFile)
#include "tst_movementfile.moc"
