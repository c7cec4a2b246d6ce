#include "outputfile.h"

#include "daytext.h"
#include "linewriter.h"
#include "operatorerror.h"

#include <QFileInfo>
#include <QRegularExpression>

#include <algorithm>

namespace movement {

namespace {

// Whether the file starts as every movement file starts (an empty one included) and lacks the
// closing line that ends every complete one.
bool isUnfinishedMovementFile(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    const QByteArray declaration = kXmlDeclaration.toUtf8() + "\r\n";
    if (!declaration.startsWith(file.read(declaration.size())))
        return false;
    const QByteArray closing = "</movimenti>\r\n";
    return file.size() < closing.size() || !file.seek(file.size() - closing.size())
        || file.read(closing.size()) != closing;
}

} // namespace

QString outputFilePath(const QDir &folder, const QString &percorsoFile, QDate day)
{
    if (percorsoFile.size() < 4)
        throw core::OperatorError(u"Il percorso del file da generare «%1» è troppo corto: deve terminare con "
                                  u"un'estensione di quattro caratteri, per esempio «.xml». Correggerlo dal menu «Impostazioni».",
                                  {percorsoFile});
    // The system would cut the name at a NUL and write the file under another name.
    const auto control = std::find_if(percorsoFile.begin(), percorsoFile.end(), [](QChar c) { return c < u' '; });
    if (control != percorsoFile.end())
        throw core::OperatorError(u"Il percorso del file da generare «%1» contiene in posizione %2 il carattere di controllo "
                                  u"U+%3, che un nome di file non può contenere. Correggerlo dal menu «Impostazioni».",
                                  {percorsoFile, QString::number(control - percorsoFile.begin() + 1), core::codePoint(*control)});
    const QString path = folder.absoluteFilePath(percorsoFile.chopped(4) + dashedDay(day) + QStringLiteral(".xml"));
    const QDir target = QFileInfo(path).absoluteDir();
    if (!target.exists())
        throw core::OperatorError(u"La cartella «%1» del file da generare non esiste: correggere il percorso «%2» dal menu "
                                  u"«Impostazioni».",
                                  {QDir::toNativeSeparators(target.path()), percorsoFile});
    return path;
}

void removeLeftovers(const QDir &folder, const QString &percorsoFile)
{
    if (percorsoFile.size() < 4)
        return;
    // The save's temporary name is the target's, "." and six characters (QSaveFile's pattern).
    const QFileInfo stem(folder.absoluteFilePath(percorsoFile.chopped(4)));
    const QRegularExpression leftover(QRegularExpression::anchoredPattern(
        QRegularExpression::escape(stem.fileName()) + QStringLiteral("[0-9]{4}-[0-9]{2}-[0-9]{2}\\.xml\\.[A-Za-z0-9]{6}")));
    for (const QFileInfo &entry : stem.absoluteDir().entryInfoList(QDir::Files | QDir::Hidden)) {
        if (leftover.match(entry.fileName()).hasMatch() && isUnfinishedMovementFile(entry.filePath()))
            QFile::remove(entry.filePath());
    }
}

} // namespace movement
