#pragma once

#include <QDir>
#include <QHash>
#include <QString>

namespace movement {

// Official codes of places and countries from the hotel program's code tables ("Comuni.mdb",
// table CodiciVari, and "DAVozIzi.mdb", table Stati). A name that is not found, or whose record
// has no code, gives nine spaces. One lookup serves one command: the code tables do not change
// while the tool runs, so every answer is remembered.
class CodeLookup
{
public:
    explicit CodeLookup(QDir folder) : m_folder(std::move(folder)) {}

    // The code of a municipality; both sides are compared without surrounding spaces, and a
    // name beginning with "BARLETTA" is looked up as BARI.
    QString CodiceComune(const QString &name);
    // The code of a country given by its name, which the code list must hold as a country.
    QString CodiceStato(const QString &name);
    // The code of a country given by its abbreviation.
    QString CodiceDaSigla(const QString &abbreviation);

    static QString notFound() { return QString(9, u' '); }

private:
    QString comune(const QString &name) const;
    QString stato(const QString &name) const;
    QString daSigla(const QString &abbreviation) const;

    QDir m_folder;
    QHash<QString, QString> m_comuni;
    QHash<QString, QString> m_stati;
    QHash<QString, QString> m_sigle;
};

} // namespace movement
