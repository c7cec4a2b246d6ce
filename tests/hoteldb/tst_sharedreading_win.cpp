// The hotel program keeps its databases open while the tool reads them: the tool opens them
// for shared reading, never locks them, and names a file another program holds for itself.

#include "dbengine.h"
#include "dberror.h"
#include "jetwriter.h"

#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <windows.h>

using namespace hoteldb;

namespace {

// Another process holding the file open in the given way, until it is destroyed.
class Holder
{
public:
    Holder(const QString &path, const QString &mode)
    {
        m_process.start(QStringLiteral(HOLDDATABASE_PATH), {QDir::toNativeSeparators(path), mode});
        m_open = m_process.waitForReadyRead(20000) && m_process.readAll().startsWith("aperto");
    }
    ~Holder()
    {
        m_process.closeWriteChannel();
        m_process.waitForFinished(20000);
    }
    bool isOpen() const { return m_open; }

private:
    QProcess m_process;
    bool m_open = false;
};

QString writeRooms(const QTemporaryDir &dir)
{
    jetwriter::Description description;
    description.tables = {{u"NumeriCamere"_qs, {{u"NumeroCamera"_qs, jetwriter::ColumnType::Text, 10}}, {{u"101"_qs}}}};
    const QString path = dir.filePath(u"NumeriCamere.mdb"_qs);
    jetwriter::writeDatabaseFile(description, path);
    return path;
}

} // namespace

class TestSharedReading : public QObject
{
    Q_OBJECT

private slots:
    void readsWhileTheHotelProgramHasItOpen()
    {
        QTemporaryDir dir;
        const QString path = writeRooms(dir);
        const Holder hotelProgram(path, u"shared"_qs);
        QVERIFY(hotelProgram.isOpen());
        Database database = DBEngine::instance().OpenDatabase(path);
        Recordset rooms = database.OpenRecordset(u"NumeriCamere"_qs);
        rooms.FindFirst(u"NumeroCamera = '101'"_qs);
        QVERIFY(!rooms.NoMatch());
        database.Close();
    }

    void leavesNoHandleOpen()
    {
        QTemporaryDir dir;
        const QString path = writeRooms(dir);
        Database database = DBEngine::instance().OpenDatabase(path);
        database.OpenRecordset(u"NumeriCamere"_qs);
        // Read and still open for the tool: the hotel program can still have the file to itself.
        const Holder hotelProgram(path, u"exclusive"_qs);
        QVERIFY(hotelProgram.isOpen());
        database.Close();
    }

    void fileHeldForItselfIsNamed()
    {
        QTemporaryDir dir;
        const QString path = writeRooms(dir);
        const Holder other(path, u"exclusive"_qs);
        QVERIFY(other.isOpen());
        try {
            DBEngine::instance().OpenDatabase(path).OpenRecordset(u"NumeriCamere"_qs);
            QFAIL("a file held by another program was read");
        } catch (const DbError &e) {
            QVERIFY2(e.message().contains(u"NumeriCamere.mdb"_qs), qPrintable(e.message()));
        }
    }
};

QTEST_GUILESS_MAIN(TestSharedReading)
#include "tst_sharedreading_win.moc"
