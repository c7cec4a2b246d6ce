#include "codelookup.h"

#include "hoteldatabases.h"
#include "recordfields.h"
#include "trimspaces.h"

namespace movement {

namespace {

const QString kCodiciVari = QStringLiteral("CodiciVari");
const QString kDescrizione = QStringLiteral("Descrizione");

// The code field of the record found, or nine spaces when the search found none or the
// record holds no code.
QString foundCode(const hoteldb::Recordset &records, const QString &databaseName, const QString &field)
{
    if (records.NoMatch())
        return CodeLookup::notFound();
    const RecordFields fields(records, databaseName, kDescrizione);
    return fields.isNull(field) ? CodeLookup::notFound() : fields.text(field);
}

template<typename Lookup>
QString remembered(QHash<QString, QString> &answers, const QString &key, Lookup lookup)
{
    const auto it = answers.constFind(key);
    if (it != answers.cend())
        return *it;
    const QString code = lookup();
    answers.insert(key, code);
    return code;
}

} // namespace

QString CodeLookup::CodiceComune(const QString &name)
{
    return remembered(m_comuni, name, [&] { return comune(name); });
}

QString CodeLookup::CodiceStato(const QString &name)
{
    return remembered(m_stati, name, [&] { return stato(name); });
}

QString CodeLookup::CodiceDaSigla(const QString &abbreviation)
{
    return remembered(m_sigle, abbreviation, [&] { return daSigla(abbreviation); });
}

QString CodeLookup::comune(const QString &name) const
{
    const QString searched = name.startsWith(u"BARLETTA") ? QStringLiteral("BARI") : name;
    hoteldb::Database comuni = openDatabase(m_folder, kComuni);
    hoteldb::Recordset codes = comuni.OpenRecordset(kCodiciVari);
    codes.FindFirst(QStringLiteral("Trim(Descrizione) = '") + sqlText(core::trimSpaces(searched))
                    + QStringLiteral("' and Tipo = 3"));
    const QString code = foundCode(codes, kComuni, QStringLiteral("CodicePS"));
    comuni.Close();
    return code;
}

QString CodeLookup::stato(const QString &name) const
{
    // Both are opened before any search, so a missing country table is reported for every name.
    hoteldb::Database comuni = openDatabase(m_folder, kComuni);
    hoteldb::Recordset codes = comuni.OpenRecordset(kCodiciVari);
    hoteldb::Database stati = openDatabase(m_folder, kStati);
    hoteldb::Recordset countries = stati.OpenRecordset(QStringLiteral("Stati"));

    QString code = notFound();
    codes.FindFirst(QStringLiteral("Tipo = 0 and Descrizione = '") + sqlText(name) + u'\'');
    if (!codes.NoMatch() && !codes.Fields(kDescrizione).isNull()) {
        const QString description = RecordFields(codes, kComuni, kDescrizione).text(kDescrizione);
        countries.FindFirst(QStringLiteral("Descrizione = '") + sqlText(description) + u'\'');
        code = foundCode(countries, kStati, QStringLiteral("Codice"));
    }
    stati.Close();
    comuni.Close();
    return code;
}

QString CodeLookup::daSigla(const QString &abbreviation) const
{
    hoteldb::Database comuni = openDatabase(m_folder, kComuni);
    hoteldb::Recordset codes = comuni.OpenRecordset(kCodiciVari);
    codes.FindFirst(QStringLiteral("Tipo = 0 and Sigla = '") + sqlText(abbreviation) + u'\'');
    const QString code = foundCode(codes, kComuni, QStringLiteral("CodicePS"));
    comuni.Close();
    return code;
}

} // namespace movement
