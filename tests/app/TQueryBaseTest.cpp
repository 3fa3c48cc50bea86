#include "app/TQueryBase.h"
#include "support/UserError.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <sqlite3.h>

namespace dbfquery::app {
namespace {

TQueryEntry named(const QString& name, const QString& select = QString()) {
    TQueryEntry e;
    e.Name = name;
    e.Select = select;
    return e;
}

TEST(QueryBase, KeepsEntriesInNameOrderIgnoringCaseAndMakesTheStoredOneCurrent) {
    TQueryBase base;
    base.reset();
    base.store(named("stock"), -1);
    base.store(named("Sales report"), -1);
    base.store(named("Анализ"), -1);
    base.store(named("Sales"), -1);
    EXPECT_EQ(base.names(), (QStringList{"Sales", "Sales report", "stock", "Анализ"}));
    EXPECT_EQ(base.current(), 0);

    EXPECT_EQ(base.findName("SALES"), 0);
    EXPECT_EQ(base.findName("Sale"), -1);
    EXPECT_EQ(base.findPrefix("s"), 0);
    EXPECT_EQ(base.findPrefix("ST"), 2);
    EXPECT_EQ(base.findPrefix("x"), -1);
}

TEST(QueryBase, ReplacingAnEntryTakesTheNewNameAndItsPlace) {
    TQueryBase base;
    base.reset();
    base.store(named("Sales", "A"), -1);
    base.store(named("Stock"), -1);
    base.store(named("ZETA", "B"), base.findName("sales"));
    EXPECT_EQ(base.names(), (QStringList{"Stock", "ZETA"}));
    EXPECT_EQ(base.currentEntry().Select, "B");
}

TEST(QueryBase, CutsValuesToTheirFieldsWithoutAMessage) {
    TQueryBase base;
    base.reset();
    TQueryEntry e;
    e.Name = QString(250, u'N');
    e.Where = QString(300, u'W');
    e.Path = QString(201, u'P');
    e.Text = QString(5000, u'T');
    base.store(e, -1);
    EXPECT_EQ(base.entry(0).Name.size(), 200);
    EXPECT_EQ(base.entry(0).Where, QString(255, u'W'));
    EXPECT_EQ(base.entry(0).Path.size(), 200);
    EXPECT_EQ(base.entry(0).Text.size(), 5000);
}

TEST(QueryBase, RemovingKeepsACurrentEntryWhileAnyIsLeft) {
    TQueryBase base;
    base.reset();
    base.store(named("A"), -1);
    base.store(named("B"), -1);
    base.remove(1);
    EXPECT_EQ(base.current(), 0);
    base.remove(0);
    EXPECT_EQ(base.current(), -1);
    EXPECT_EQ(base.currentEntry().Name, QString());
    EXPECT_FALSE(base.currentEntry().IsAuto);
}

class QueryBaseFile : public ::testing::Test {
protected:
    QTemporaryDir dir;
    QString file = dir.filePath("Quorvel.cds");
};

TEST_F(QueryBaseFile, SurvivesASaveAndALoadWhole) {
    TQueryBase base;
    base.reset();
    TQueryEntry e{"Продажи", "ИМЯ, СУММА", "ПРОДАЖИ", "СУММА > 0", "ИМЯ", true, "/data/Dbf",
                  "Select\r\n  ИМЯ\r\n"};
    base.store(e, -1);
    base.store(named("sales"), -1);
    base.store(named("Sales"), -1);
    base.saveToFile(file);
    EXPECT_FALSE(QFile::exists(file + ".tmp"));

    TQueryBase read;
    read.loadFromFile(file);
    ASSERT_TRUE(read.isOpen());
    EXPECT_EQ(read.names(), (QStringList{"sales", "Sales", "Продажи"}));
    const TQueryEntry& back = read.entry(2);
    EXPECT_EQ(back.Select, e.Select);
    EXPECT_EQ(back.From, e.From);
    EXPECT_EQ(back.Where, e.Where);
    EXPECT_EQ(back.OrderBy, e.OrderBy);
    EXPECT_TRUE(back.IsAuto);
    EXPECT_EQ(back.Path, e.Path);
    EXPECT_EQ(back.Text, e.Text);
}

TEST_F(QueryBaseFile, ADamagedOrForeignFileIsADataError) {
    for (const QByteArray& content : {QByteArray("not a database at all, just text"),
                                      QByteArray()}) {
        QFile f(file);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(content.isEmpty() ? QByteArray(4096, '\xAB') : content);
        f.close();
        TQueryBase base;
        EXPECT_THROW(base.loadFromFile(file), TQueryBase::DataError);
        EXPECT_FALSE(base.isOpen());
    }
}

TEST_F(QueryBaseFile, AnSqliteFileWithoutOurTableIsADataError) {
    sqlite3* db = nullptr;
    ASSERT_EQ(sqlite3_open(QFile::encodeName(file).constData(), &db), SQLITE_OK);
    ASSERT_EQ(sqlite3_exec(db, "CREATE TABLE other (x)", nullptr, nullptr, nullptr), SQLITE_OK);
    sqlite3_close(db);
    TQueryBase base;
    EXPECT_THROW(base.loadFromFile(file), TQueryBase::DataError);
}

TEST_F(QueryBaseFile, AFileThatCannotBeOpenedIsNoDataError) {
    TQueryBase base;
    EXPECT_THROW(base.loadFromFile(dir.filePath("missing/Quorvel.cds")), support::UserError);
}

TEST_F(QueryBaseFile, AFileThatCannotBeWrittenLeavesTheOldOneWhole) {
    TQueryBase base;
    base.reset();
    base.store(named("Kept"), -1);
    base.saveToFile(file);
    base.store(named("Lost"), -1);
    EXPECT_THROW(base.saveToFile(dir.filePath("no/such/folder/Quorvel.cds")), support::UserError);
    TQueryBase read;
    read.loadFromFile(file);
    EXPECT_EQ(read.names(), QStringList{"Kept"});
}

} // namespace
} // namespace dbfquery::app
