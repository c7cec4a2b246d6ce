#include "codelookup.h"
#include "dberror.h"
#include "hotelfixture.h"

#include <QTest>

using namespace movement;
using hotelfixture::Hotel;

namespace {
const QString kNine = QString(9, u' ');
} // namespace

class TestCodeLookup : public QObject
{
    Q_OBJECT

public:
    enum Kind { Municipality, CountryName, Abbreviation };
    Q_ENUM(Kind)

private:
    Hotel m_hotel;

private slots:
    void initTestCase()
    {
        m_hotel.codes += QList<QVariantList>{
            {"  MILANO ", 3, QVariant(), "015146000"},
            {"L'AQUILA", 3, QVariant(), "066049000"},
            {"SENZA CODICE", 3, QVariant(), QVariant()},
            {"SPAGNA", 0, "E", "100000239"},      // a country the country table lacks
            {"COSTA D'AVORIO", 0, "CI", "100000404"},
            {"TRIESTE", 0, "TS", "100000999"},    // listed as a country by mistake
            {QVariant(), 0, "XX", "100000998"},   // a country without a name
            {"BARLETTA", 3, QVariant(), "110002000"},
            {"VENEZIA", 3, "VE", "027042000"},
        };
        m_hotel.countries += QList<QVariantList>{{"COSTA D'AVORIO", "CI"}, {"TRIESTE", QVariant()}};
        m_hotel.write();
    }

    void lookups_data()
    {
        QTest::addColumn<Kind>("kind");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("code");
        const auto row = [](const char *tag, Kind kind, const QString &name, const QString &code) {
            QTest::newRow(tag) << kind << name << code;
        };
        row("municipality", Municipality, "ROMA", "058091000");
        // Both sides are compared without surrounding spaces; case follows the database's rules.
        row("municipality stored with spaces", Municipality, "  MILANO", "015146000");
        row("municipality in lower case", Municipality, "torino ", "001272000");
        row("municipality with an apostrophe", Municipality, "L'AQUILA", "066049000");
        row("a country is no municipality", Municipality, "ITALIA", kNine);
        row("unknown municipality", Municipality, "NAPOLI", kNine);
        row("empty municipality", Municipality, "", kNine);
        row("municipality without a code", Municipality, "SENZA CODICE", kNine);
        row("Barletta as Bari", Municipality, "BARLETTA", "072006000");
        row("Barletta Andria Trani as Bari", Municipality, "BARLETTA ANDRIA TRANI", "072006000");
        // Only the eight capitals at the very start count.
        row("Barletta in lower case", Municipality, "Barletta", "110002000");
        row("Barletta after a space", Municipality, " BARLETTA", "110002000");

        row("country", CountryName, "GERMANIA", "DE");
        row("country with an apostrophe", CountryName, "COSTA D'AVORIO", "CI");
        // The name is searched as it stands, trailing space included.
        row("country with a trailing space", CountryName, "GERMANIA ", kNine);
        row("country missing from the country table", CountryName, "SPAGNA", kNine);
        row("not a country of the code list", CountryName, "ROMA", kNine);
        row("country record without a code", CountryName, "TRIESTE", kNine);
        row("empty country", CountryName, "", kNine);

        row("abbreviation", Abbreviation, "I", "100000100");
        row("abbreviation of a country the country table lacks", Abbreviation, "E", "100000239");
        row("two-letter abbreviation", Abbreviation, "CI", "100000404");
        row("abbreviation with a trailing space", Abbreviation, "I ", kNine);
        row("unknown abbreviation", Abbreviation, "Q", kNine);
        row("a municipality's abbreviation is no country's", Abbreviation, "VE", kNine);
        row("apostrophe as abbreviation", Abbreviation, "'", kNine);
        row("empty abbreviation", Abbreviation, "", kNine);
    }

    void lookups()
    {
        QFETCH(Kind, kind);
        QFETCH(QString, name);
        QFETCH(QString, code);
        CodeLookup codes(m_hotel.dir.path());
        switch (kind) {
        case Municipality:
            QCOMPARE(codes.CodiceComune(name), code);
            break;
        case CountryName:
            QCOMPARE(codes.CodiceStato(name), code);
            break;
        case Abbreviation:
            QCOMPARE(codes.CodiceDaSigla(name), code);
            break;
        }
    }

    void missingCodeDatabases()
    {
        Hotel hotel;
        hotel.write({"DAVozIzi.mdb"});
        CodeLookup codes(hotel.dir.path());
        QCOMPARE(codes.CodiceDaSigla("D"), u"100000216"_qs);
        // The country table is opened before any search, so even a name the code list lacks fails.
        for (const QString &name : {u"GERMANIA"_qs, u"NESSUNO"_qs})
            hotelfixture::expectError<hoteldb::DbError>([&] { codes.CodiceStato(name); }, {"DAVozIzi.mdb"});
        QFile::remove(hotel.path("Comuni.mdb"));
        QVERIFY_THROWS_EXCEPTION(hoteldb::DbError, CodeLookup(hotel.dir.path()).CodiceComune("ROMA"));
    }

    void answersAreRememberedWithinOneCommand()
    {
        Hotel hotel;
        hotel.write();
        CodeLookup codes(hotel.dir.path());
        QCOMPARE(codes.CodiceComune("ROMA"), u"058091000"_qs);
        QCOMPARE(codes.CodiceDaSigla("D"), u"100000216"_qs);
        QVERIFY(QFile::remove(hotel.path("Comuni.mdb")));
        QCOMPARE(codes.CodiceComune("ROMA"), u"058091000"_qs);
        QCOMPARE(codes.CodiceDaSigla("D"), u"100000216"_qs);
        // The same text as another kind of name is a new question.
        QVERIFY_THROWS_EXCEPTION(hoteldb::DbError, codes.CodiceStato("D"));
    }
};

QTEST_GUILESS_MAIN(TestCodeLookup)
#include "tst_codelookup.moc"
