#include "data/ProviderMessages.h"
#include "data/SqliteConnection.h"
#include "data/TADOfoxproCon.h"
#include "data/TDynamicADOQuery.h"
#include "support/UserError.h"

#include <QDate>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <algorithm>
#include <future>
#include <memory>

namespace {

using namespace dbfquery::data;
using dbfquery::support::UserError;

// People.DBF (Visual FoxPro, cp866, memo, nulls, record 2 deleted) and
// cities.dbf (dBase III, cp1251), written by python-dbf into a temporary folder.
struct Folder {
    QTemporaryDir dir;
    QString failure;
    bool skip = false;
};

const Folder& fixtures() {
    static const std::unique_ptr<Folder> folder = [] {
        auto f = std::make_unique<Folder>();
        const QString script = QFileInfo(QStringLiteral(__FILE__)).dir().filePath(QStringLiteral("provider_fixtures.py"));
        QProcess python;
        python.start(QStringLiteral("/usr/bin/python3"), {script, f->dir.path()});
        if (!python.waitForFinished(120000) || python.exitCode() == 3) {
            f->skip = true;
            return f;
        }
        if (python.exitStatus() != QProcess::NormalExit || python.exitCode() != 0)
            f->failure = QString::fromUtf8(python.readAllStandardError());
        // A Cyrillic file name, to be found in either case.
        QFile::copy(f->dir.filePath(QStringLiteral("cities.dbf")), f->dir.filePath(QStringLiteral("Города.DBF")));
        return f;
    }();
    return *folder;
}

#define REQUIRE_FIXTURES()                                                                          \
    const Folder& folder = fixtures();                                                              \
    if (folder.skip)                                                                                \
        GTEST_SKIP() << "/usr/bin/python3 lacks python3-dbf";                                       \
    ASSERT_TRUE(folder.failure.isEmpty()) << folder.failure.toStdString()

// Runs SQL text the way the window does: through the template query.
std::shared_ptr<const ResultSet> run(TADOfoxproCon& con, const QString& sql) {
    TDynamicADOQuery query(&con);
    query.setSqlShablon(sql.split(QLatin1Char('\n')));
    query.Open();
    return query.Result();
}

std::shared_ptr<const ResultSet> run(const QString& folderPath, const QString& sql) {
    TADOfoxproCon con;
    con.setDefaultDatabase(folderPath);
    return run(con, sql);
}

QString failureOf(const std::function<void()>& f) {
    try {
        f();
    } catch (const UserError& e) {
        return e.message();
    }
    return QStringLiteral("<no failure>");
}

// Rows as sorted lines of "|"-joined stored values, for comparing two results
// whatever their column types.
QStringList dump(const ResultSet& rows) {
    QStringList lines;
    for (qsizetype r = 0; r < rows.rowCount(); ++r) {
        QStringList cells;
        for (int c = 0; c < static_cast<int>(rows.columns().size()); ++c) {
            const auto bytes = rows.bytes(r, c);
            cells << (rows.isNull(r, c)                          ? QStringLiteral("NULL")
                      : rows.cell(r, c) == ResultSet::Cell::Text ? QString::fromUtf8(bytes.data(), qsizetype(bytes.size()))
                                                                 : QString::number(rows.number(r, c), 'g', 17));
        }
        lines << cells.join(QLatin1Char('|'));
    }
    lines.sort();
    return lines;
}

TEST(Provider, TableNamesMatchFilesWithoutRegardToCase) {
    REQUIRE_FIXTURES();
    SqliteConnection connection(folder.dir.path());
    for (const char* sql : {"select * from people", "SELECT * FROM PEOPLE", "select * from People",
                            "select * from main.pEoPlE", "select * from \"people\""})
        EXPECT_EQ(connection.execute(QString::fromUtf8(sql), "Sql")->rowCount(), 4) << sql;
    EXPECT_EQ(connection.execute(QStringLiteral("select * from города"), "Sql")->rowCount(), 3);
    EXPECT_EQ(connection.execute(QStringLiteral("select * from ГОРОДА"), "Sql")->rowCount(), 3);
}

TEST(Provider, ColumnTypesAndNumericClasses) {
    REQUIRE_FIXTURES();
    const auto rows = run(folder.dir.path(),
                          "select name, salary, age, born, seen, active, code, ratio, pay, note, "
                          "salary * 2, count(*) over (), 3000000000 + age, upper(name), min(born) over () "
                          "from people");
    struct Expected { const char* name; FieldType type; int width; int decimals; NumericClass cls; };
    const Expected expected[] = {
        {"NAME", FieldType::Text, 30, 0, NumericClass::None},
        {"SALARY", FieldType::Decimal, 10, 2, NumericClass::Decimal},
        {"AGE", FieldType::Decimal, 3, 0, NumericClass::Decimal},
        {"BORN", FieldType::Date, 10, 0, NumericClass::None},
        {"SEEN", FieldType::DateTime, 19, 0, NumericClass::None},
        {"ACTIVE", FieldType::Logical, 1, 0, NumericClass::None},
        {"CODE", FieldType::Integer, 11, 0, NumericClass::Integer},
        {"RATIO", FieldType::Float, 20, 0, NumericClass::Float},
        {"PAY", FieldType::Currency, 20, 4, NumericClass::Float},
        {"NOTE", FieldType::Memo, 10, 0, NumericClass::None},
        {"SALARY * 2", FieldType::Float, 4, 0, NumericClass::Float},
        {"COUNT(*) OVER ()", FieldType::Integer, 1, 0, NumericClass::Integer},
        {"3000000000 + AGE", FieldType::BigInt, 10, 0, NumericClass::None},
        {"UPPER(NAME)", FieldType::Text, 15, 0, NumericClass::None},
        {"MIN(BORN) OVER ()", FieldType::Text, 10, 0, NumericClass::None},
    };
    ASSERT_EQ(rows->columns().size(), std::size(expected));
    for (std::size_t i = 0; i < std::size(expected); ++i) {
        const ResultColumn& c = rows->columns()[i];
        const Expected& e = expected[i];
        EXPECT_EQ(c.name, QString::fromUtf8(e.name));
        EXPECT_EQ(c.type, e.type) << e.name;
        EXPECT_EQ(c.width, e.width) << e.name;
        EXPECT_EQ(c.decimals, e.decimals) << e.name;
        EXPECT_EQ(c.numericClass(), e.cls) << e.name;
    }
}

TEST(Provider, ValuesNullsAndDeletedRecords) {
    REQUIRE_FIXTURES();
    const auto rows = run(folder.dir.path(), "select name, salary, born, seen, active, code, pay, note, bonus "
                                             "from people order by rowid");
    ASSERT_EQ(rows->rowCount(), 4); // Сидоров is deleted
    EXPECT_EQ(rows->value(0, 0), QVariant(QStringLiteral("Иванов Иван")));
    EXPECT_EQ(rows->value(0, 1), QVariant(1500.5));
    EXPECT_EQ(rows->value(0, 2), QVariant(QDate(1980, 1, 2)));
    EXPECT_EQ(rows->value(0, 3), QVariant(QDateTime(QDate(2020, 5, 6), QTime(7, 8, 9))));
    EXPECT_EQ(rows->value(0, 4), QVariant(true));
    EXPECT_EQ(rows->value(0, 5), QVariant(qint64(7)));
    EXPECT_DOUBLE_EQ(rows->number(0, 6), 12.34);
    EXPECT_EQ(rows->value(0, 7), QVariant(QStringLiteral("первая заметка")));
    EXPECT_EQ(rows->value(1, 4), QVariant(false));
    EXPECT_TRUE(rows->isNull(1, 8)) << "a Visual FoxPro null";
    EXPECT_EQ(rows->value(2, 0), QVariant(QStringLiteral("Кузнецова Ольга")));
    for (int blank : {1, 2, 4})
        EXPECT_TRUE(rows->isNull(2, blank)) << "a blank number, date or logical is null: column " << blank;
    EXPECT_EQ(rows->number(2, 1), 0);
    EXPECT_EQ(rows->value(3, 8), QVariant(7.25));

    TADOfoxproCon all;
    all.setConnectionString(QString(all.ConnectionString()).replace(QLatin1String("Deleted=Yes"), QLatin1String("Deleted=No")));
    all.setDefaultDatabase(folder.dir.path());
    EXPECT_EQ(run(all, "select * from people")->rowCount(), 5);
    EXPECT_EQ(run(all, "select * from people where city = 1")->rowCount(), 2);
}

// The table's own filtering and index lookups must agree with SQLite's on a
// native copy of the same rows, for every kind of constraint.
TEST(Provider, ConstraintsAndJoinsAgreeWithANativeCopy) {
    REQUIRE_FIXTURES();
    SqliteConnection connection(folder.dir.path());
    for (const char* copy : {"create table n_people as select * from people",
                             "create table n_cities as select * from cities"}) {
        const QString message = failureOf([&] { connection.execute(QString::fromUtf8(copy), "Sql"); });
        ASSERT_EQ(message, messages::noResultSet("Sql"));
    }
    const char* const queries[] = {
        "select * from people where salary > 1500",
        "select * from people where salary >= 1500.5 and age < 40",
        "select * from people where age = '40'",
        "select * from people where age = 40.0",
        "select * from people where name = 'Иванов Иван'",
        "select * from people where name > 'П'",
        "select * from people where name = 'ИВАНОВ ИВАН' collate nocase",
        "select * from people where born >= '1985-01-01'",
        "select * from people where born = 19800102",
        "select * from people where active = 1",
        "select * from people where code = 7.0",
        "select * from people where city in (1, 2, 9)",
        "select * from people where salary = null",
        "select * from people where bonus is null",
        "select * from people where pay = 12.34 or ratio < 0",
        "select * from people where salary = 1500.5 and city = 2",
        "select p.name, c.name from people p join cities c on c.id = p.city",
        "select p.name, c.name from people p left join cities c on c.id = p.city",
        "select p.name, c.name from cities c join people p on p.city = c.id where c.name = 'Казань'",
        "select c.name, count(p.name), sum(p.salary) from cities c left join people p on p.city = c.id group by c.name",
        "select p.name, q.name from people p join people q on q.salary = p.salary and q.name <> p.name",
    };
    for (const char* sql : queries) {
        QString native = QString::fromUtf8(sql);
        native.replace(QLatin1String("people"), QLatin1String("n_people"));
        native.replace(QLatin1String("cities"), QLatin1String("n_cities"));
        EXPECT_EQ(dump(*connection.execute(QString::fromUtf8(sql), "Sql")), dump(*connection.execute(native, "Sql")))
            << sql;
    }
}

struct ErrorCase {
    const char* name;
    const char* folder; // relative to the fixtures; nullptr: the fixtures
    const char* sql;
    QString message;    // the whole message, or its start when `prefix`
    bool prefix = false;
    friend void PrintTo(const ErrorCase& c, std::ostream* os) { *os << c.name; }
};

class ProviderErrors : public ::testing::TestWithParam<ErrorCase> {};

TEST_P(ProviderErrors, CarryTheProviderMessage) {
    REQUIRE_FIXTURES();
    const ErrorCase& c = GetParam();
    const QString path = c.folder ? folder.dir.filePath(QString::fromUtf8(c.folder)) : folder.dir.path();
    const QString expected = QString(c.message).replace(QLatin1String("$DIR"), path);
    const QString message = failureOf([&] { run(path, QString::fromUtf8(c.sql)); });
    if (c.prefix)
        EXPECT_TRUE(message.startsWith(expected)) << message.toStdString();
    else
        EXPECT_EQ(message, expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ProviderErrors,
    ::testing::Values(
        ErrorCase{"missingFolder", "nowhere", "select * from people", "Папка не найдена: $DIR"},
        ErrorCase{"missingTable", nullptr, "select * from nosuch", "Таблица не найдена: NOSUCH (папка $DIR)"},
        ErrorCase{"syntax", nullptr, "selec * from people", "Ошибка в запросе: near \"SELEC\": syntax error"},
        ErrorCase{"missingField", nullptr, "select nofield from people", "Поле не найдено: NOFIELD"},
        ErrorCase{"readOnly", nullptr, "delete from people",
                  "Таблица только для чтения: table PEOPLE may not be modified"},
        ErrorCase{"noRowSet", nullptr, "create table t(a)", "Sql: CommandText does not return a result set"},
        ErrorCase{"twoStatements", nullptr, "select 1; select 2", messages::notOneStatement()},
        ErrorCase{"commentOnlyTailIsFine", nullptr, "select 1; -- done", "<no failure>"},
        ErrorCase{"blankStatement", nullptr, "  ", "Sql: текст запроса не задан"}));

TEST(Provider, DamagedTableIsNamedInTheMessage) {
    QTemporaryDir dir;
    QFile bad(dir.filePath(QStringLiteral("bad.dbf")));
    ASSERT_TRUE(bad.open(QIODevice::WriteOnly));
    bad.write("\x30\x01\x02", 3);
    bad.close();
    const QString message = failureOf([&] { run(dir.path(), "select * from bad"); });
    EXPECT_TRUE(message.contains(QLatin1String("bad.dbf"))) << message.toStdString();
}

TEST(Connection, StringIsBuiltFromTheWorkingDirectory) {
    QTemporaryDir dir;
    const QString previous = QDir::currentPath();
    ASSERT_TRUE(QDir::setCurrent(dir.path()));
    TADOfoxproCon con;
    QDir::setCurrent(previous);
    EXPECT_EQ(con.ConnectionString(),
              "Provider=MSDASQL.1;Persist Security Info=False;Mode=ReadWrite;Extended Properties=\""
              "Driver={Microsoft Visual FoxPro Driver};UID=;SourceDB=" + QDir(dir.path()).canonicalPath()
                  + ";SourceType=DBF;Exclusive=No;BackgroundFetch=Yes;Collate=Machine;Null=Yes;Deleted=Yes;\"");
    EXPECT_FALSE(con.Connected());
    EXPECT_EQ(con.Provider(), "MSDASQL.1");
}

TEST(Connection, OpensWithTheQueryAndKeepsResultsWhenClosed) {
    REQUIRE_FIXTURES();
    TADOfoxproCon con;
    con.setDefaultDatabase(folder.dir.path());
    TDynamicADOQuery query(&con);
    query.setSqlShablon({"select name from people"});
    // The window opens the query on a worker thread.
    std::async(std::launch::async, [&] { query.Open(); }).get();
    EXPECT_TRUE(con.Connected());
    EXPECT_TRUE(query.Active());
    const auto rows = query.Result();
    // The same folder again does not reopen: the tables already used stay.
    con.setDefaultDatabase(folder.dir.path());
    EXPECT_EQ(con.connection().openedTables().size(), 1u);
    con.setConnected(false);
    con.setConnected(false);
    EXPECT_FALSE(con.Connected());
    EXPECT_EQ(rows->rowCount(), 4);
    EXPECT_TRUE(query.Active()) << "closing the connection leaves the query's rows";
    // Without a folder the connection string's SourceDB decides.
    TADOfoxproCon byString;
    byString.setConnectionString(TADOfoxproCon::connectionStringFor(folder.dir.path()));
    EXPECT_EQ(run(byString, "select * from cities")->rowCount(), 3);
}

struct RebuildCase {
    const char* name;
    QStringList lines;
    QString params;
    QStringList statement;
    friend void PrintTo(const RebuildCase& c, std::ostream* os) { *os << c.name; }
};

class TemplateRebuild : public ::testing::TestWithParam<RebuildCase> {};

TEST_P(TemplateRebuild, BuildsTheStatement) {
    const RebuildCase& c = GetParam();
    TDynamicADOQuery query;
    query.setSqlShablon({"select previous"});
    query.setSqlParams(c.params);
    query.setSqlShablon(c.lines);
    EXPECT_EQ(query.SQL(), c.statement);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, TemplateRebuild,
    ::testing::Values(
        RebuildCase{"upperCase", {"select * from t", "where name = 'abc'"}, "", {"SELECT * FROM T", "WHERE NAME = 'ABC'"}},
        RebuildCase{"cyrillicKept", {"select name from люди"}, "", {"SELECT NAME FROM люди"}},
        RebuildCase{"params", {"SELECT %S FROM %s"}, "NAME;PEOPLE", {"SELECT NAME FROM PEOPLE"}},
        RebuildCase{"extraParamUnused", {"SELECT %S FROM T"}, "A;B", {"SELECT A FROM T"}},
        RebuildCase{"tooFewParams", {"SELECT %S, %S FROM T"}, "x", {"SELECT x, %S FROM T"}},
        RebuildCase{"emptyFirstParam", {"SELECT %S FROM T"}, ";X", {"SELECT  FROM T"}},
        RebuildCase{"paramBringsPlaceholder", {"SELECT %S FROM T"}, "%S, B;A", {"SELECT A, B FROM T"}},
        RebuildCase{"blankKeepsPrevious", {"", "  \t"}, "X", {"SELECT PREVIOUS"}},
        RebuildCase{"lineBreakInLine", {"select a\rfrom t"}, "", {"SELECT A", "FROM T"}}));

TEST(Template, ParametersSplitAtSemicolons) {
    EXPECT_EQ(TDynamicADOQuery::splitParams("A;;B"), QStringList({"A", "", "B"}));
    EXPECT_EQ(TDynamicADOQuery::splitParams("A;"), QStringList({"A"}));
    EXPECT_EQ(TDynamicADOQuery::splitParams(";"), QStringList({""}));
    EXPECT_EQ(TDynamicADOQuery::splitParams(""), QStringList());
}

TEST(Template, ParamsWithBlankTemplateChangeNothingAndRebuildCloses) {
    REQUIRE_FIXTURES();
    TADOfoxproCon con;
    con.setDefaultDatabase(folder.dir.path());
    TDynamicADOQuery query(&con);
    EXPECT_EQ(failureOf([&] { query.Open(); }), "Sql: текст запроса не задан");
    query.setSqlShablon({"select count(*) from people"});
    query.Open();
    query.setSqlParams("X");
    EXPECT_FALSE(query.Active()) << "a rebuild closes the query";
    query.Open();
    query.clearSqlShablon();
    query.setSqlParams("Y");
    EXPECT_TRUE(query.Active()) << "a blank template changes nothing";
    EXPECT_EQ(query.SQL(), QStringList{"SELECT COUNT(*) FROM PEOPLE"});
}

} // namespace
