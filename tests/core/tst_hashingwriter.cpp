// The checksum taken while a file is written: every byte reaches the target, and the hash is that
// of all of them however they were cut, whether the writer was faster or slower than the hash.

#include "hashingwriter.h"

#include <QBuffer>
#include <QRandomGenerator>
#include <QTest>

class TestHashingWriter : public QObject
{
    Q_OBJECT

private slots:
    void hashOfEveryByte_data()
    {
        QTest::addColumn<qsizetype>("total");
        QTest::addColumn<qsizetype>("piece");
        QTest::newRow("nothing") << qsizetype(0) << qsizetype(1);
        QTest::newRow("short lines") << qsizetype(3 * 1024 * 1024 + 7) << qsizetype(41);
        QTest::newRow("pieces larger than a block") << qsizetype(5 * 1024 * 1024) << qsizetype(700 * 1024);
    }
    void hashOfEveryByte()
    {
        QFETCH(qsizetype, total);
        QFETCH(qsizetype, piece);
        QByteArray bytes(total, Qt::Uninitialized);
        QRandomGenerator generator(7);
        for (char &c : bytes)
            c = char(generator.bounded(256));
        QBuffer target;
        target.open(QIODevice::WriteOnly);
        core::HashingWriter hashed(target, QCryptographicHash::Sha256);
        for (qsizetype at = 0; at < total; at += piece)
            QCOMPARE(hashed.write(bytes.mid(at, piece)), std::min(piece, total - at));
        QCOMPARE(hashed.written(), total);
        QCOMPARE(hashed.result(), QCryptographicHash::hash(bytes, QCryptographicHash::Sha256));
        QCOMPARE(target.data(), bytes);
    }

    // A target that takes nothing (a full disk): nothing is counted or hashed, and the writer is told.
    void refusedBytesAreNotHashed()
    {
        QBuffer closed;
        core::HashingWriter hashed(closed, QCryptographicHash::Sha256);
        QCOMPARE(hashed.write("abc"), qint64(-1));
        QCOMPARE(hashed.written(), 0);
        QCOMPARE(hashed.result(), QCryptographicHash::hash({}, QCryptographicHash::Sha256));
    }
};

QTEST_GUILESS_MAIN(TestHashingWriter)
#include "tst_hashingwriter.moc"
