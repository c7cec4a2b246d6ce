#include "benchmarkhotel.h"

#include "demohotel.h"
#include "jetwriter.h"

#include <QFile>
#include <QHash>

#include <array>
#include <random>
#include <stdexcept>

// The demo template comes in a static library, whose resources are not registered by themselves.
static void registerLayouts()
{
    Q_INIT_RESOURCE(benchmark);
}

namespace benchmark {

namespace {

// The fixed generator and its fixed use keep the hotel the same from one machine to the next.
class Random
{
public:
    int below(int n) { return int(m_engine() % quint32(n)); }
    bool chance(int percent) { return below(100) < percent; }
    // Low indexes far more often than high ones, as a few places give most of the guests.
    int skewed(int n) { return below(below(n) + 1); }

private:
    std::mt19937 m_engine{20261207u};
};

const std::array<const char *, 20> kSyllables{"BA", "CA", "DO", "FE", "GA", "LI", "MA", "NO", "PA", "RI",
                                              "SA", "TO", "VE", "ZA", "LU", "MO", "PE", "RO", "SI", "TE"};

// A distinct word for every number below 8000, and distinct again beyond.
QString word(int i)
{
    QString out;
    do {
        out += QLatin1String(kSyllables[size_t(i % 20)]);
        i /= 20;
    } while (i > 0);
    return out.size() < 6 ? out + QLatin1String("NO") : out;
}

struct Place
{
    QString name;
    QString province;
};

struct Country
{
    QString name;
    QString sigla;
};

QList<Place> places(int count)
{
    QList<Place> out;
    for (int i = 0; i < count; ++i) {
        QString name = i == 0 ? QStringLiteral("BARI") : i == 1 ? QStringLiteral("BARLETTA") : word(i);
        if (i > 1 && i % 11 == 0)
            name = QStringLiteral("SAN ") + name;
        if (i > 1 && i % 13 == 0)
            name += QStringLiteral(" DI ") + word(i / 13);
        out.append({name, QString(QChar(u'A' + i % 26)) + QChar(u'A' + (i / 26) % 26)});
    }
    return out;
}

QList<Country> countries(int count)
{
    static const std::array<std::pair<const char *, const char *>, 10> known{{
        {"ITALIA", "I"}, {"GERMANIA", "D"}, {"FRANCIA", "F"}, {"REGNO UNITO", "GB"}, {"AUSTRIA", "A"},
        {"SVIZZERA", "CH"}, {"PAESI BASSI", "NL"}, {"SPAGNA", "E"}, {"STATI UNITI", "USA"}, {"BELGIO", "B"}}};
    QList<Country> out;
    for (int i = 0; i < count; ++i) {
        if (size_t(i) < known.size())
            out.append({QLatin1String(known[size_t(i)].first), QLatin1String(known[size_t(i)].second)});
        else
            out.append({QStringLiteral("REPUBBLICA ") + word(i), QStringLiteral("X") + QChar(u'A' + i % 26)
                                                                     + QChar(u'A' + (i / 26) % 26)});
    }
    return out;
}

QString dayKey(QDate day)
{
    return day.toString(u"yyyyMMdd");
}

// One guest card, field by field, in the names of the guest tables.
using Card = QHash<QString, QVariant>;

// Rows in the column order of a table of the template, a Null for a field the card lacks.
void appendRow(jetwriter::Table &table, const Card &card)
{
    QVariantList row;
    row.reserve(table.columns.size());
    for (const jetwriter::Column &column : table.columns)
        row.append(card.value(column.name));
    table.rows.append(std::move(row));
}

class GuestBook
{
public:
    GuestBook(const HotelSize &size, Random &random)
        : m_size(size), m_random(random), m_places(places(size.municipalities)), m_countries(countries(size.countries))
    {
    }

    const QList<Place> &placeList() const { return m_places; }
    const QList<Country> &countryList() const { return m_countries; }

    // A party arriving on the day: a guest alone, a family in one room or a group over several.
    // Archived cards carry the year in their number; current ones do not.
    void party(QDate arrival, QDate today, bool archived, int maxCards, jetwriter::Table &table);

private:
    Card guest(QDate arrival, QDate departure, QDate today, bool archived, const QString &room);
    void setOrigin(Card &card, int country);

    const HotelSize &m_size;
    Random &m_random;
    QList<Place> m_places;
    QList<Country> m_countries;
    int m_year = 0;
    int m_number = 0; // guest numbers start again from 1 every year
};

QString roomNumber(int index)
{
    return QString::number((index / 30 + 1) * 100 + index % 30 + 1);
}

void GuestBook::setOrigin(Card &card, int country)
{
    static const std::array<const char *, 8> surnames{"ROSSI", "BIANCHI", "MUELLER", "DUPONT", "SMITH", "GRECO", "CONTE", "MARINO"};
    static const std::array<const char *, 8> names{"LUCA", "ANNA", "HANS", "MARIE", "JOHN", "SARA", "PAOLO", "ELENA"};
    const Country &nation = m_countries[country];
    card[QStringLiteral("NomeCliente")] = m_random.chance(1) ? QStringLiteral("*** ***")
                                           : QLatin1String(surnames[size_t(m_random.below(8))]) + u' '
                                                 + QLatin1String(names[size_t(m_random.below(8))]);
    card[QStringLiteral("Lingua")] = m_random.below(300) == 0 ? QStringLiteral("*") : nation.sigla;
    card[QStringLiteral("Nazione")] = nation.sigla;
    card[QStringLiteral("Stato")] = nation.sigla;
    const Place &birth = m_places[m_random.skewed(int(m_places.size()))];
    if (country == 0) {
        card[QStringLiteral("Residenza")] = m_places[m_random.skewed(int(m_places.size()))].name;
        card[QStringLiteral("LuogoNascita")] = birth.name + u' ' + birth.province + QStringLiteral(" I");
    } else {
        card[QStringLiteral("Residenza")] = nation.name;
        card[QStringLiteral("LuogoNascita")] = QStringLiteral("CITTA ") + word(m_random.below(500)) + u' ' + nation.sigla;
    }
}

Card GuestBook::guest(QDate arrival, QDate departure, QDate today, bool archived, const QString &room)
{
    if (arrival.year() != m_year) {
        m_year = arrival.year();
        m_number = 0;
    }
    ++m_number;
    const bool left = archived || departure <= today;
    Card card;
    card[QStringLiteral("NumeroHotel")] = m_random.below(200) == 0 ? 2 : 1;
    card[QStringLiteral("NumeroCamera")] = room;
    card[QStringLiteral("NumeroProgressivo")] = archived ? (arrival.year() % 100) * 1000000 + m_number : m_number;
    card[QStringLiteral("DataArrivo")] = dayKey(arrival);
    card[QStringLiteral("DataPartenza")] = dayKey(departure);
    // Now and then a guest leaves a day early.
    const QDate actual = m_random.chance(5) && departure > arrival.addDays(1) ? departure.addDays(-1) : departure;
    card[QStringLiteral("DataPartenzaReale")] = left ? dayKey(actual) : QString();
    card[QStringLiteral("Partito")] = left ? QStringLiteral("S") : QStringLiteral("N");
    card[QStringLiteral("CapoFamiglia")] = QStringLiteral("N");
    card[QStringLiteral("CapoGruppo")] = QStringLiteral("N");
    card[QStringLiteral("CodiceCapoFamiglia")] = 0;
    card[QStringLiteral("CodiceCapoGruppo")] = 0;
    card[QStringLiteral("Sesso")] = m_random.chance(50) ? QStringLiteral("F") : QStringLiteral("M");
    card[QStringLiteral("DataNascita")] = dayKey(arrival.addDays(-365 * (18 + m_random.below(60)) - m_random.below(365)));
    return card;
}

void GuestBook::party(QDate arrival, QDate today, bool archived, int maxCards, jetwriter::Table &table)
{
    const int kind = m_random.below(100);
    const int members = kind < 55 ? 0 : kind < 93 ? 1 + m_random.below(4) : 5 + m_random.below(20);
    const bool group = members >= 5;
    // Seven guests in ten are Italian; foreigners come mostly from a few countries.
    const int country = m_random.chance(70) ? 0 : 1 + m_random.skewed(int(m_countries.size()) - 1);
    const QDate departure = arrival.addDays(1 + m_random.below(7));
    const int firstRoom = m_random.below(m_size.rooms);

    Card head = guest(arrival, departure, today, archived, roomNumber(firstRoom));
    setOrigin(head, country);
    head[QStringLiteral("CapoFamiglia")] = members == 0 ? (m_random.chance(70) ? QStringLiteral("U") : QStringLiteral("N"))
                                           : group      ? QStringLiteral("N")
                                                        : QStringLiteral("S");
    head[QStringLiteral("CapoGruppo")] = group ? QStringLiteral("S") : QStringLiteral("N");
    const int headNumber = m_number;
    appendRow(table, head);
    for (int i = 0; i < members && i + 1 < maxCards; ++i) {
        // A group takes a room for every two guests, a family shares the head's.
        const int room = group ? (firstRoom + (i + 1) / 2) % m_size.rooms : firstRoom;
        Card member = guest(arrival, departure, today, archived, roomNumber(room));
        setOrigin(member, group && m_random.chance(20) ? 0 : country);
        member[group ? QStringLiteral("CodiceCapoGruppo") : QStringLiteral("CodiceCapoFamiglia")] = headNumber;
        appendRow(table, member);
    }
}

} // namespace

QDate referenceDay()
{
    return QDate(2026, 6, 15);
}

QList<std::pair<QString, jetwriter::Description>> benchmarkDatabases(const HotelSize &size)
{
    registerLayouts();
    QFile layouts(QStringLiteral(":/benchmark/hotel.json"));
    if (!layouts.open(QIODevice::ReadOnly))
        throw std::runtime_error("Il modello dell'hotel dimostrativo non è incluso nel programma.");
    QList<std::pair<QString, jetwriter::Description>> databases = demo::demoDatabases(layouts.readAll(), referenceDay());

    Random random;
    GuestBook book(size, random);
    const QDate today = referenceDay();
    for (auto &[fileName, description] : databases) {
        jetwriter::Table &table = description.tables.first();
        table.rows.clear();
        if (fileName == u"SchedaStoricoClienti.mdb") {
            // Evenly over the years, up to the fortnight of the current cards.
            const QDate first = today.addYears(-size.years);
            const qint64 days = first.daysTo(today.addDays(-15));
            for (qint64 day = 0; day < days; ++day) {
                const qint64 due = size.archivedCards * (day + 1) / days;
                while (table.rows.size() < due)
                    book.party(first.addDays(day), today, true, int(due - table.rows.size()), table);
            }
        } else if (fileName == u"Scheda_Cliente.mdb") {
            for (int day = 0; day < 15; ++day) {
                const qsizetype due = qsizetype(size.currentCards) * (day + 1) / 15;
                while (table.rows.size() < due)
                    book.party(today.addDays(day - 14), today, false, int(due - table.rows.size()), table);
            }
        } else if (fileName == u"NumeriCamere.mdb") {
            for (int room = 0; room < size.rooms; ++room) {
                const bool suite = room % 10 == 9;
                appendRow(table, {{QStringLiteral("NumeroHotel"), 1},
                                  {QStringLiteral("NumeroCamera"), roomNumber(room)},
                                  {QStringLiteral("TipoCamera"), suite ? QStringLiteral("SUI") : QStringLiteral("DOP")},
                                  {QStringLiteral("PostiLetto"), suite ? 4 : 2}});
            }
        } else if (fileName == u"TipiCamere.mdb") {
            for (const QString &type : {QStringLiteral("DOP"), QStringLiteral("SUI")})
                appendRow(table, {{QStringLiteral("NumeroHotel"), 1}, {QStringLiteral("Sigla"), type},
                                  {QStringLiteral("Tipologia"), QStringLiteral("C")}});
        } else if (fileName == u"Comuni.mdb") {
            int code = 400000001;
            for (const Place &place : book.placeList())
                appendRow(table, {{QStringLiteral("Descrizione"), place.name}, {QStringLiteral("Tipo"), 3},
                                  {QStringLiteral("CodicePS"), QString::number(code += 7)}});
            code = 100000100;
            for (const Country &country : book.countryList())
                appendRow(table, {{QStringLiteral("Descrizione"), country.name}, {QStringLiteral("Tipo"), 0},
                                  {QStringLiteral("Sigla"), country.sigla}, {QStringLiteral("CodicePS"), QString::number(++code)}});
        } else if (fileName == u"DAVozIzi.mdb") {
            int code = 100000100;
            for (const Country &country : book.countryList())
                appendRow(table, {{QStringLiteral("Descrizione"), country.name}, {QStringLiteral("Codice"), QString::number(++code)}});
        }
    }
    return databases;
}

void writeBenchmarkHotel(const HotelSize &size, const QDir &folder)
{
    for (const auto &[name, description] : benchmarkDatabases(size))
        jetwriter::writeDatabaseFile(description, folder.filePath(name));
}

} // namespace benchmark
