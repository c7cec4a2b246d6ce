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
        };
        m_hotel.countries += QList<QVariantList>{{"COSTA D'AVORIO", "CI"}, {"TRIESTE", QVariant()}};
        m_hotel.write();
    }

    void municipalities()
    {
        CodeLookup codes(m_hotel.dir.path());
        QCOMPARE(codes.CodiceComune("ROMA"), u"058091000"_qs);
        // Both sides are compared without surrounding spaces; case follows the database's rules.
        QCOMPARE(codes.CodiceComune("  MILANO"), u"015146000"_qs);
        QCOMPARE(codes.CodiceComune("torino "), u"001272000"_qs);
        QCOMPARE(codes.CodiceComune("L'AQUILA"), u"066049000"_qs);
        // A country of the same name is no municipality.
        QCOMPARE(codes.CodiceComune("ITALIA"), kNine);
        QCOMPARE(codes.CodiceComune("NAPOLI"), kNine);
        QCOMPARE(codes.CodiceComune(""), kNine);
        QCOMPARE(codes.CodiceComune("SENZA CODICE"), kNine);
    }

    void barlettaIsLookedUpAsBari()
    {
        CodeLookup codes(m_hotel.dir.path());
        QCOMPARE(codes.CodiceComune("BARLETTA"), u"072006000"_qs);
        QCOMPARE(codes.CodiceComune("BARLETTA ANDRIA TRANI"), u"072006000"_qs);
        // Only the eight capitals at the very start count.
        QCOMPARE(codes.CodiceComune("Barletta"), u"110002000"_qs);
        QCOMPARE(codes.CodiceComune(" BARLETTA"), u"110002000"_qs);
    }

    void countriesByName()
    {
        CodeLookup codes(m_hotel.dir.path());
        QCOMPARE(codes.CodiceStato("GERMANIA"), u"DE"_qs);
        QCOMPARE(codes.CodiceStato("COSTA D'AVORIO"), u"CI"_qs);
        // The name is searched as it stands, trailing space included.
        QCOMPARE(codes.CodiceStato("GERMANIA "), kNine);
        QCOMPARE(codes.CodiceStato("SPAGNA"), kNine);   // not in the country table
        QCOMPARE(codes.CodiceStato("ROMA"), kNine);     // not a country of the code list
        QCOMPARE(codes.CodiceStato("TRIESTE"), kNine);  // country record without a code
        QCOMPARE(codes.CodiceStato(""), kNine);
    }

    void countriesByAbbreviation()
    {
        CodeLookup codes(m_hotel.dir.path());
        QCOMPARE(codes.CodiceDaSigla("I"), u"100000100"_qs);
        QCOMPARE(codes.CodiceDaSigla("E"), u"100000239"_qs);
        QCOMPARE(codes.CodiceDaSigla("CI"), u"100000404"_qs);
        QCOMPARE(codes.CodiceDaSigla("I "), kNine);
        QCOMPARE(codes.CodiceDaSigla("Q"), kNine);
        QCOMPARE(codes.CodiceDaSigla("'"), kNine);
        QCOMPARE(codes.CodiceDaSigla(""), kNine);
    }

    void missingCodeDatabases()
    {
        Hotel hotel;
        hotel.write({"DAVozIzi.mdb"});
        CodeLookup codes(hotel.dir.path());
        QCOMPARE(codes.CodiceDaSigla("D"), u"100000216"_qs);
        // The country table is opened before any search, so even a name the code list lacks fails.
        for (const QString &name : {u"GERMANIA"_qs, u"NESSUNO"_qs}) {
            try {
                codes.CodiceStato(name);
                QFAIL("a missing database was not reported");
            } catch (const hoteldb::DbError &e) {
                QVERIFY2(e.message().contains("DAVozIzi.mdb"), qPrintable(e.message()));
            }
        }
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
