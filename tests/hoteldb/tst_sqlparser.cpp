#include "dberror.h"
#include "sqlparser.h"

#include <QTest>

using namespace hoteldb;

class TestSqlParser : public QObject
{
    Q_OBJECT

private:
    static std::unique_ptr<SelectStatement> select(const QString &text)
    {
        return SqlParser::parseSelect(QueryText(text));
    }
    static std::unique_ptr<Expression> criteria(const QString &text)
    {
        return SqlParser::parseCriteria(QueryText(text));
    }

private slots:
    void hotelQueriesParse_data();
    void hotelQueriesParse();
    void occupancyQueryStructure();
    void subqueryWithExternalFile();
    void literals();
    void keywordsIgnoreCase();
    void longChainsStayFlat();
    void malformedTextIsRefusedWithPosition_data();
    void malformedTextIsRefusedWithPosition();
    void nestingIsBounded();
    void selectTextIsRecognised();
};

void TestSqlParser::hotelQueriesParse_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("table");
    QTest::addColumn<QStringList>("orderBy");
    QTest::newRow("arrivals")
        << "Select * From Scheda_Cliente Where NumeroHotel = 1 and NumeroCamera >= '' and NumeroCamera <= 'ZZZZZZ' "
           "and DataArrivo = '20261207' Order by NumeroProgressivo;"
        << "Scheda_Cliente" << QStringList{"NumeroProgressivo"};
    QTest::newRow("archived arrivals")
        << "Select * From Scheda_Cliente Where NumeroHotel = 1 and NomeCliente <> '*** ***' and NumeroCamera >= '1' "
           "and NumeroCamera <= '20' and DataArrivo = '20261207' Order by NumeroProgressivo;"
        << "Scheda_Cliente" << QStringList{"NumeroProgressivo"};
    QTest::newRow("presence")
        << "Select * From Scheda_Cliente Where NumeroHotel = 1 and NumeroCamera >= '1' and NumeroCamera <= '9' and "
           "DataArrivo < '20261207' and ((Partito = 'N' and DataPartenza >= '20261207') or (Partito = 'S' and "
           "DataPartenzaReale >= '20261207')) Order by NumeroProgressivo;"
        << "Scheda_Cliente" << QStringList{"NumeroProgressivo"};
    QTest::newRow("rooms available")
        << "Select * From NumeriCamere Where NumeroHotel = 1 and NumeroCamera >= '' and NumeroCamera <= 'ZZZZZZ' and "
           "TipoCamera In (Select Sigla From TipiCamere In 'TipiCamere.mdb' Where NumeroHotel = 1 and Tipologia = 'C')"
        << "NumeriCamere" << QStringList{};
    QTest::newRow("table only") << "select * from Stati" << "Stati" << QStringList{};
}

void TestSqlParser::hotelQueriesParse()
{
    QFETCH(QString, text);
    QFETCH(QString, table);
    QFETCH(QStringList, orderBy);
    const auto statement = select(text);
    QCOMPARE(statement->table.text, table);
    QVERIFY(statement->field.text.isEmpty());
    QStringList order;
    for (const auto &name : statement->orderBy)
        order << name.text;
    QCOMPARE(order, orderBy);
}

void TestSqlParser::occupancyQueryStructure()
{
    const QString text = "Select * From Scheda_Cliente Where NumeroHotel = 1 and Instr(Lingua,'*')=0 and "
                         "DataArrivo <= '20261207' and ((DataPartenza > '20261207' and Partito = 'N') or "
                         "(DataPartenzaReale > '20261207' and Partito = 'S')) Order by NumeroCamera,DataArrivo;";
    const auto statement = select(text);
    QCOMPARE(statement->orderBy.size(), size_t(2));
    QCOMPARE(statement->orderBy[1].text, QString("DataArrivo"));
    const Expression &where = *statement->where;
    QCOMPARE(where.kind, Expression::Kind::And);
    QCOMPARE(where.children.size(), size_t(4));

    const Expression &instr = *where.children[1];
    QCOMPARE(instr.kind, Expression::Kind::Comparison);
    QCOMPARE(instr.children[0]->kind, Expression::Kind::Instr);
    QCOMPARE(instr.children[0]->children[1]->text, QString("*"));
    QCOMPARE(instr.children[1]->number, Value::integer(0));

    const Expression &either = *where.children[3];
    QCOMPARE(either.kind, Expression::Kind::Or);
    QCOMPARE(either.children.size(), size_t(2));
    QCOMPARE(either.children[1]->kind, Expression::Kind::And);
    QCOMPARE(either.children[1]->children[0]->comparison, Expression::Comparison::Greater);
    // Positions are where the text of each part begins.
    QCOMPARE(either.children[1]->children[0]->position, text.indexOf("DataPartenzaReale >"));
}

void TestSqlParser::subqueryWithExternalFile()
{
    const auto statement = select("Select * From NumeriCamere Where TipoCamera In "
                                  "(Select Sigla From TipiCamere In 'TipiCamere.mdb' Where Tipologia = 'C')");
    const Expression &in = *statement->where;
    QCOMPARE(in.kind, Expression::Kind::InSubquery);
    QCOMPARE(in.children[0]->text, QString("TipoCamera"));
    QCOMPARE(in.subquery->field.text, QString("Sigla"));
    QCOMPARE(in.subquery->table.text, QString("TipiCamere"));
    QCOMPARE(in.subquery->externalFile.text, QString("TipiCamere.mdb"));
    QCOMPARE(in.subquery->where->children[1]->text, QString("C"));

    const auto sameFile = criteria("Sigla In (Select Sigla From TipiCamere)");
    QVERIFY(sameFile->subquery->externalFile.text.isEmpty());
    QVERIFY(!sameFile->subquery->where);
}

void TestSqlParser::literals()
{
    const auto quoted = criteria("Residenza = 'D''Annunzio ''' and Nome = ''''''");
    QCOMPARE(quoted->children[0]->children[1]->text, QString("D'Annunzio '"));
    QCOMPARE(quoted->children[1]->children[1]->text, QString("''"));

    const auto numbers = criteria("a = -12 or b = 2.5 or c = 99999999999999999999 or d=0");
    QCOMPARE(numbers->children[0]->children[1]->number, Value::integer(-12));
    QCOMPARE(numbers->children[1]->children[1]->number, Value::real(2.5));
    QCOMPARE(numbers->children[2]->children[1]->number, Value::real(1e20));
    QCOMPARE(numbers->children[3]->children[1]->number, Value::integer(0));

    const auto accented = criteria("Descrizione = 'CITTÀ' and Città = 'x'");
    QCOMPARE(accented->children[0]->children[1]->text, QString("CITTÀ"));
    QCOMPARE(accented->children[1]->children[0]->text, QString("Città"));
}

void TestSqlParser::keywordsIgnoreCase()
{
    const auto statement = select("sElEcT * FROM t wHeRe A = 1 AnD b = 2 oR TRIM(c) = 'x' ORDER BY a , B ;");
    QCOMPARE(statement->where->kind, Expression::Kind::Or);
    QCOMPARE(statement->where->children[1]->children[0]->kind, Expression::Kind::Trim);
    QCOMPARE(statement->orderBy.size(), size_t(2));
    QCOMPARE(criteria("INSTR(a, 'b') = 0")->children[0]->kind, Expression::Kind::Instr);
}

void TestSqlParser::longChainsStayFlat()
{
    QStringList terms;
    for (int i = 0; i < 20000; ++i)
        terms << QString("f%1 = %1").arg(i);
    const auto chain = criteria(terms.join(" and "));
    QCOMPARE(chain->children.size(), size_t(20000));
    const auto either = criteria(terms.join(" or "));
    QCOMPARE(either->kind, Expression::Kind::Or);
    QCOMPARE(either->children.size(), size_t(20000));
}

void TestSqlParser::malformedTextIsRefusedWithPosition_data()
{
    QTest::addColumn<bool>("isSelect");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("position");
    QTest::addColumn<QString>("detail");

    QTest::newRow("unclosed quote") << true << "Select * From T Where a = 'abc" << 27 << "non chiuso";
    QTest::newRow("unclosed after doubled quote") << false << "a = 'x''" << 5 << "non chiuso";
    QTest::newRow("double quotes") << false << "a = \"x\"" << 5 << "non ammesso";
    QTest::newRow("hash") << false << "a = #1/1/2026#" << 5 << "non ammesso";
    QTest::newRow("NUL character") << false << QString("a = 1") + QChar(0) + "and b = 2" << 6 << "codice 0";
    QTest::newRow("lone minus") << false << "a = -b" << 5 << "non ammesso";
    QTest::newRow("number glued to word") << false << "a = 12ab" << 5 << "numero non valido";
    QTest::newRow("two decimal points") << false << "a = 1.2.3" << 5 << "numero non valido";
    QTest::newRow("huge number") << false << "a = " + QString(400, '9') + ".5" << 5 << "troppo grande";
    QTest::newRow("empty criterion") << false << "" << 1 << "la fine del testo";
    QTest::newRow("blank criterion") << false << "   " << 4 << "la fine del testo";
    QTest::newRow("no operator") << false << "NumeroHotel 1" << 13 << "operatore di confronto";
    QTest::newRow("double operator") << false << "a = = 1" << 5 << "trovato \"=\"";
    QTest::newRow("missing right operand") << false << "a >=" << 5 << "la fine del testo";
    QTest::newRow("keyword as operand") << false << "and = 1" << 1 << "trovato \"and\"";
    QTest::newRow("dangling and") << false << "a = 1 and" << 10 << "la fine del testo";
    QTest::newRow("unknown function") << false << "Left(a, 2) = 'x'" << 5 << "operatore di confronto";
    QTest::newRow("instr with one argument") << false << "Instr(a) = 0" << 8 << "\",\"";
    QTest::newRow("trim without parenthesis") << false << "Trim a = 'x'" << 6 << "\"(\"";
    QTest::newRow("unclosed parenthesis") << false << "(a = 1 and (b = 2)" << 19 << "\")\"";
    QTest::newRow("stray parenthesis") << false << "a = 1)" << 6 << "la fine del testo";
    QTest::newRow("not is unknown") << false << "Not a = 1" << 5 << "operatore di confronto";
    QTest::newRow("semicolon in criterion") << false << "a = 1;" << 6 << "la fine del testo";
    QTest::newRow("bracketed name") << false << "[Numero Camera] = '1'" << 1 << "non ammesso";
    QTest::newRow("select without star") << true << "Select NumeroCamera From T" << 8 << "\"*\"";
    QTest::newRow("missing from") << true << "Select * T" << 10 << "\"from\"";
    QTest::newRow("missing table") << true << "Select * From Where a = 1" << 15 << "nome di una tabella";
    QTest::newRow("text after end") << true << "Select * From T; Delete" << 18 << "la fine del testo";
    QTest::newRow("order without by") << true << "Select * From T Order NumeroCamera" << 23 << "\"by\"";
    QTest::newRow("order by nothing") << true << "Select * From T Order by" << 25 << "nome di un campo";
    QTest::newRow("descending order") << true << "Select * From T Order by a desc" << 28 << "la fine del testo";
    QTest::newRow("where without condition") << true << "Select * From T Where" << 22 << "la fine del testo";
    QTest::newRow("top-level external file") << true << "Select * From T In 'x.mdb'" << 17 << "la fine del testo";
    QTest::newRow("subquery with star") << false << "a In (Select * From T)" << 14 << "campo della sottoquery";
    QTest::newRow("subquery with order") << false << "a In (Select b From T Order by b)" << 23 << "\")\"";
    QTest::newRow("in without parenthesis") << false << "a In Select b From T" << 6 << "\"(\"";
    QTest::newRow("in with a list") << false << "a In ('x', 'y')" << 7 << "\"select\"";
    QTest::newRow("external file not quoted") << false << "a In (Select b From T In x)" << 26 << "file tra apici";
}

void TestSqlParser::malformedTextIsRefusedWithPosition()
{
    QFETCH(bool, isSelect);
    QFETCH(QString, text);
    QFETCH(int, position);
    QFETCH(QString, detail);
    try {
        if (isSelect)
            select(text);
        else
            criteria(text);
        QFAIL("the text was accepted");
    } catch (const DbError &e) {
        QVERIFY2(e.message().startsWith("Errore di sintassi in \""), qPrintable(e.message()));
        QVERIFY2(e.message().contains(QString("alla posizione %1:").arg(position)), qPrintable(e.message()));
        QVERIFY2(e.message().contains(detail), qPrintable(e.message()));
    }
}

void TestSqlParser::nestingIsBounded()
{
    const int allowed = SqlParser::kMaxDepth - 1;
    QVERIFY(criteria(QString(allowed, '(') + "a = 1" + QString(allowed, ')')));

    for (const QString &text : {QString(100000, '(') + "a = 1" + QString(100000, ')'),
                                "Trim(" + QString(5000, 'T').replace("T", "Trim(") + "a" + QString(5001, ')') + " = 'x'",
                                QString("a In (Select b From T Where ").repeated(2000) + "c = 1" + QString(2000, ')')}) {
        try {
            criteria(text);
            QFAIL("a deeply nested text was accepted");
        } catch (const DbError &e) {
            QVERIFY2(e.message().contains("annidata troppo in profondità"), qPrintable(e.message()));
            // The message shows a bounded excerpt, not the whole text.
            QVERIFY(e.message().size() < 400);
        }
    }
}

void TestSqlParser::selectTextIsRecognised()
{
    QVERIFY(SqlParser::isSelectText("Select * From T"));
    QVERIFY(SqlParser::isSelectText("  SELECT\t* From T"));
    QVERIFY(!SqlParser::isSelectText("CodiciVari"));
    QVERIFY(!SqlParser::isSelectText("Selezioni"));
    QVERIFY(SqlParser::isSelectText("select"));
}

QTEST_GUILESS_MAIN(TestSqlParser)
#include "tst_sqlparser.moc"
