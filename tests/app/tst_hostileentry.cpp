// Field entry fed thousands of random texts: whatever the operator types, pastes or a broken
// keyboard sends, the cleaning, completing and checking of the fields keep their rules.
// The expected results are worked out independently, with QDate and strtod.

#include "daytext.h"
#include "fieldentry.h"
#include "numericvalue.h"

#include <QDate>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QTest>

#include <cmath>
#include <cstdlib>

using namespace app;

namespace {

constexpr int kCases = 20000;
constexpr quint32 kSeed = 20240229;

// A character of the kinds that reach a field: digits and separators most of all, letters,
// the apostrophe, control characters, accented and other non-ASCII letters, symbols beyond
// the basic plane.
QString randomCharacter(QRandomGenerator &rng)
{
    static const QString typed = QStringLiteral("0123456789/-.+ '\tabcxyzABCXYZeE");
    static const QString accented = QStringLiteral("àèéìòùÀÈÉßÿıİſµǅΣσςДжﬁ´€");
    static const char32_t beyond[] = {U'\U00010428', U'\U00010400', U'\U0001F600', U'\U0001D41A'};
    switch (rng.bounded(10)) {
    case 0:
        return QString(QChar(char16_t(rng.bounded(0x20))));
    case 1:
        return QString(accented[rng.bounded(accented.size())]);
    case 2: {
        // Any character of the basic plane that is not half of a surrogate pair.
        char16_t c;
        do
            c = char16_t(rng.bounded(0x80, 0x10000));
        while (QChar::isSurrogate(c));
        return QString(QChar(c));
    }
    case 3:
        return QString::fromUcs4(&beyond[rng.bounded(int(std::size(beyond)))], 1);
    default:
        return QString(typed[rng.bounded(typed.size())]);
    }
}

// A text of up to ten characters (a character beyond the basic plane takes two units).
QString randomText(QRandomGenerator &rng)
{
    QString text;
    const int length = rng.bounded(11);
    for (int i = 0; i < length; ++i)
        text += randomCharacter(rng);
    return text;
}

QDate randomDay(QRandomGenerator &rng)
{
    return QDate(1850, 1, 1).addDays(rng.bounded(365 * 300));
}

// A day as the operator may type it: any separator, sometimes padded with spaces, sometimes
// with one character changed, sometimes only its digits.
QString dayAsTyped(QRandomGenerator &rng)
{
    const QDate day = randomDay(rng);
    const QChar sep = QStringLiteral("/-.")[rng.bounded(3)];
    QString text = day.toString(u"dd%1MM%1yyyy"_qs.arg(sep));
    switch (rng.bounded(5)) {
    case 0:
        text = day.toString(rng.bounded(2) ? u"ddMMyy"_qs : u"ddMMyyyy"_qs);
        break;
    case 1:
        text.replace(rng.bounded(text.size()), 1, randomCharacter(rng));
        break;
    case 2:
        text = QString(rng.bounded(3), u' ') + text + QString(rng.bounded(3), u' ');
        break;
    default:
        break;
    }
    return text;
}

// The numeric value of a text, read as the entry rules describe it: leading blanks, then an
// optional sign, digits and one decimal point; no exponent, nothing else; 0 when no number starts the text.
double readNumber(const QString &text)
{
    static const QRegularExpression leading(QStringLiteral("^[ \\t]*([+-]?(?:[0-9]+\\.?[0-9]*|\\.[0-9]+))"));
    const QRegularExpressionMatch m = leading.match(text);
    return m.hasMatch() ? std::strtod(m.captured(1).toLatin1().constData(), nullptr) : 0.0;
}

QString withoutOuterSpaces(const QString &text)
{
    static const QRegularExpression outer(QStringLiteral("^ +| +\\z"));
    return QString(text).remove(outer);
}

// The calendar day from 1900 on that a text names as DD/MM/YYYY, with "/", "-" or "." between
// the parts; invalid when it names none.
QDate namedDay(const QString &text)
{
    static const QRegularExpression shape(QStringLiteral("^([0-9]{2})[/.-]([0-9]{2})[/.-]([0-9]{4})\\z"));
    const QRegularExpressionMatch m = shape.match(text);
    const QDate day = m.hasMatch() ? QDate(m.captured(3).toInt(), m.captured(2).toInt(), m.captured(1).toInt()) : QDate();
    return day.year() >= 1900 ? day : QDate();
}

QString shown(const QString &text)
{
    QString codes;
    for (const char32_t c : text.toUcs4())
        codes += u" U+%1"_qs.arg(quint32(c), 4, 16, QLatin1Char('0'));
    return u"«"_qs + text + u"» ("_qs + codes.trimmed() + u")"_qs;
}

} // namespace

class TestHostileEntry : public QObject
{
    Q_OBJECT

private slots:
    void cleaningKeepsItsPromises()
    {
        QRandomGenerator rng(kSeed);
        for (int i = 0; i < kCases; ++i) {
            const QString typed = randomText(rng);
            const QString cleaned = PulisciTesto(typed);
            const QString trimmed = withoutOuterSpaces(typed);
            const QString why = shown(typed) + u" -> "_qs + shown(cleaned);

            QVERIFY2(!cleaned.isEmpty() && !cleaned.contains(u'\''), qPrintable(why));
            if (trimmed.isEmpty()) {
                QVERIFY2(cleaned == u" ", qPrintable(why));
                continue;
            }
            QVERIFY2(cleaned.size() == trimmed.size(), qPrintable(why));
            QVERIFY2(!cleaned.startsWith(u' ') && !cleaned.endsWith(u' '), qPrintable(why));
            // Nothing is left that has a capital of its own, beyond the basic plane included.
            for (const char32_t c : cleaned.toUcs4())
                QVERIFY2(QChar::toUpper(c) == c, qPrintable(why));
            // What has no capital stays: digits, separators, inner spaces, control characters.
            for (qsizetype k = 0; k < trimmed.size(); ++k) {
                if (trimmed[k] == u'\'')
                    QVERIFY2(cleaned[k] == QChar(0xB4), qPrintable(why));
                else if (!trimmed[k].isSurrogate() && trimmed[k].toUpper() == trimmed[k])
                    QVERIFY2(cleaned[k] == trimmed[k], qPrintable(why));
            }
            QVERIFY2(PulisciTesto(cleaned) == cleaned, qPrintable(why));
        }
    }

    void completingOnlyInsertsSlashes()
    {
        QRandomGenerator rng(kSeed + 1);
        for (int i = 0; i < kCases; ++i) {
            const QString typed = rng.bounded(2) ? randomText(rng) : dayAsTyped(rng);
            const QString completed = CompletaData(typed);
            const QString why = shown(typed) + u" -> "_qs + shown(completed);
            if (typed.size() != 6 && typed.size() != 8) {
                QVERIFY2(completed == typed, qPrintable(why));
                continue;
            }
            QVERIFY2(completed.size() == 10 && completed[2] == u'/' && completed[5] == u'/', qPrintable(why));
            QVERIFY2(completed.mid(0, 2) == typed.mid(0, 2) && completed.mid(3, 2) == typed.mid(2, 2),
                     qPrintable(why));
            if (typed.size() == 8) {
                QVERIFY2(completed.mid(6) == typed.mid(4), qPrintable(why));
                continue;
            }
            const QString century = readNumber(typed.mid(4, 2)) < 35 ? u"20"_qs : u"19"_qs;
            QVERIFY2(completed.mid(6) == century + typed.mid(4, 2), qPrintable(why));
        }
    }

    void shortDaysCompleteToTheirCentury()
    {
        // Every two-digit year of every day typed as DDMMYY: 00 to 34 are this century's.
        for (QDate day(1935, 1, 1); day <= QDate(2034, 12, 31); day = day.addDays(1)) {
            const QString completed = CompletaData(day.toString(u"ddMMyy"));
            QCOMPARE(completed, day.toString(u"dd/MM/yyyy"));
            QCOMPARE(movement::readDay(completed).day, day);
        }
    }

    // The check of Enter in a date field, and of every typed day: exactly the texts that name a
    // calendar day, each read as that day.
    void checkingAcceptsExactlyTheCalendarDays()
    {
        QRandomGenerator rng(kSeed + 2);
        int accepted = 0;
        for (int i = 0; i < kCases; ++i) {
            const QString typed = rng.bounded(3) ? dayAsTyped(rng) : randomText(rng);
            const QDate expected = namedDay(typed);
            accepted += expected.isValid();
            QVERIFY2(movement::readDay(typed).day == expected,
                     qPrintable(shown(typed) + (expected.isValid() ? u" is a day"_qs : u" is no day"_qs)));
            // What Enter in a date field does: completing first never turns a day into another.
            const QString entered = CompletaData(PulisciTesto(typed));
            QVERIFY2(movement::readDay(entered).day == namedDay(entered), qPrintable(shown(entered)));
        }
        // The generator must reach both answers often, or the comparison above proves little.
        QVERIFY2(accepted > kCases / 5 && accepted < kCases * 4 / 5, qPrintable(QString::number(accepted)));
    }

    void numericValueOfAnyText()
    {
        QRandomGenerator rng(kSeed + 6);
        for (int i = 0; i < kCases; ++i) {
            const QString text = randomText(rng);
            const double value = core::numericValue(text);
            QVERIFY2(std::isfinite(value) && value == readNumber(text),
                     qPrintable(shown(text) + u" -> "_qs + QString::number(value)));
        }
        // However long the digits run, the number stays that large.
        const QString huge = u"1"_qs + QString(400, u'0');
        QVERIFY(core::numericValue(huge) > 1e300);
        QCOMPARE(core::wholeNumber(huge), core::wholeNumber(u"1"_qs + QString(20, u'0')));
        QCOMPARE(core::wholeNumber(u"-"_qs + huge), -core::wholeNumber(huge));
    }
};

QTEST_APPLESS_MAIN(TestHostileEntry)
#include "tst_hostileentry.moc"
