#include "app/SqlTextFile.h"

#include "support/ScriptedDialogs.h"
#include "support/UserError.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

using dbfquery::app::LineBreak;
using dbfquery::testing::ScriptedDialogs;
namespace SqlTextFile = dbfquery::app::SqlTextFile;

QByteArray readAll(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
}

void writeAll(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

TEST(SqlTextFile, TxtExtensionIsAppendedUnlessPresentInAnyCase) {
    EXPECT_EQ(SqlTextFile::withTxtExtension("query"), "query.txt");
    EXPECT_EQ(SqlTextFile::withTxtExtension("a.sql"), "a.sql.txt");
    EXPECT_EQ(SqlTextFile::withTxtExtension("NOTE.TxT"), "NOTE.TxT");
    EXPECT_EQ(SqlTextFile::withTxtExtension("/tmp/dir.txt/query"), "/tmp/dir.txt/query.txt");
}

struct ReadCase {
    const char* name;
    QByteArray bytes;
    QStringList lines;
    LineBreak lineBreak;
    friend void PrintTo(const ReadCase& c, std::ostream* os) { *os << c.name; }
};

class SqlTextFileRead : public ::testing::TestWithParam<ReadCase> {};

TEST_P(SqlTextFileRead, SplitsLinesAndFindsTheBreakStyle) {
    const ReadCase& c = GetParam();
    const auto text = SqlTextFile::decode(c.bytes);
    EXPECT_EQ(text.lines, c.lines);
    EXPECT_EQ(text.lineBreak, c.lineBreak);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, SqlTextFileRead,
    ::testing::Values(
        ReadCase{"empty", QByteArray(), {}, LineBreak::CrLf},
        ReadCase{"crlf", "Select\r\n  NAME\r\nFrom\r\n", {"Select", "  NAME", "From"}, LineBreak::CrLf},
        ReadCase{"lfOnly", "a\nb\n", {"a", "b"}, LineBreak::Lf},
        ReadCase{"crOnly", "a\rb", {"a", "b"}, LineBreak::Cr},
        ReadCase{"mixedCountsAsCrLf", "a\nb\r\nc", {"a", "b", "c"}, LineBreak::CrLf},
        ReadCase{"noBreak", "a", {"a"}, LineBreak::CrLf},
        ReadCase{"emptyLinesKept", "a\n\n\nb\n", {"a", "", "", "b"}, LineBreak::Lf},
        ReadCase{"zeroByteEndsLine", QByteArray("ab\0cd", 5), {"ab", "cd"}, LineBreak::CrLf},
        ReadCase{"cp1251", "select * from \xEB\xFE\xE4\xE8\r\n", {"select * from люди"}, LineBreak::CrLf},
        ReadCase{"utf8WithoutMark", "\xD0\xBB\xD1\x8E\xD0\xB4\xD0\xB8\n", {"люди"}, LineBreak::Lf},
        ReadCase{"utf8Mark", "\xEF\xBB\xBFname = '\xE2\x82\xAC'\r\n", {"name = '€'"}, LineBreak::CrLf}));

TEST(SqlTextFile, WritesCp1251UnlessItCannotHoldTheText) {
    EXPECT_EQ(SqlTextFile::encode({"Select", "  NAME", "From"}, LineBreak::CrLf),
              QByteArray("Select\r\n  NAME\r\nFrom\r\n"));
    EXPECT_EQ(SqlTextFile::encode({"люди"}, LineBreak::Lf), QByteArray("\xEB\xFE\xE4\xE8\n"));
    // Characters code page 1251 lacks are kept, not turned into '?'.
    const QStringList wide{"where name = '中文'", "ё"};
    const QByteArray bytes = SqlTextFile::encode(wide, LineBreak::Cr);
    EXPECT_TRUE(bytes.startsWith("\xEF\xBB\xBF"));
    EXPECT_EQ(SqlTextFile::decode(bytes).lines, wide);
    EXPECT_EQ(SqlTextFile::decode(bytes).lineBreak, LineBreak::Cr);
}

class SqlTextFileCommands : public ::testing::Test {
protected:
    QString path(const QString& name) const { return QDir(dir.path()).filePath(name); }
    QTemporaryDir dir;
    ScriptedDialogs dialogs;
};

TEST_F(SqlTextFileCommands, SaveAppendsTxtAndReportsTheName) {
    dialogs.choosePath(path("query"));
    const auto status = SqlTextFile::saveSqlToFile({"Select", "  NAME", "From"}, LineBreak::CrLf);
    ASSERT_TRUE(status);
    EXPECT_EQ(*status, "Сохранен в файле " + path("query.txt"));
    EXPECT_EQ(readAll(path("query.txt")), QByteArray("Select\r\n  NAME\r\nFrom\r\n"));
    ASSERT_EQ(dialogs.calls().size(), 1u);
    EXPECT_EQ(dialogs.calls()[0].text, "Сохранение запроса");
    EXPECT_EQ(dialogs.calls()[0].caption, "Текстовые файлы|*.txt");
}

TEST_F(SqlTextFileCommands, OverwriteAsksAndNoLeavesTheFile) {
    writeAll(path("q.txt"), "old\r\n");
    dialogs.choosePath(path("q.txt"));
    dialogs.answer(dbfquery::support::Answer::No);
    EXPECT_FALSE(SqlTextFile::saveSqlToFile({"new"}, LineBreak::CrLf));
    EXPECT_EQ(readAll(path("q.txt")), QByteArray("old\r\n"));
    const auto shown = dialogs.messages();
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0].kind, dbfquery::support::MessageKind::Question);
    EXPECT_EQ(shown[0].text, "Файл уже существует\r" + path("q.txt") + "\rПереписать");
    EXPECT_EQ(shown[0].caption, "");

    dialogs.choosePath(path("q.txt"));
    dialogs.answer(dbfquery::support::Answer::Yes);
    EXPECT_TRUE(SqlTextFile::saveSqlToFile({"new"}, LineBreak::CrLf));
    EXPECT_EQ(readAll(path("q.txt")), QByteArray("new\r\n"));
}

TEST_F(SqlTextFileCommands, CancelledDialogsDoNothing) {
    dialogs.cancelDialog();
    EXPECT_FALSE(SqlTextFile::saveSqlToFile({"x"}, LineBreak::CrLf));
    dialogs.cancelDialog();
    bool cleared = false;
    EXPECT_FALSE(SqlTextFile::loadSqlFromFile([&] { cleared = true; }));
    EXPECT_FALSE(cleared);
    EXPECT_TRUE(QDir(dir.path()).isEmpty());
}

TEST_F(SqlTextFileCommands, LfFileLoadedThenSavedKeepsLf) {
    writeAll(path("in.txt"), "select *\nfrom t\n");
    dialogs.choosePath(path("in.txt"));
    bool cleared = false;
    const auto loaded = SqlTextFile::loadSqlFromFile([&] { cleared = true; });
    ASSERT_TRUE(loaded);
    EXPECT_TRUE(cleared);
    EXPECT_EQ(loaded->status, "Загружено из файла " + path("in.txt"));
    EXPECT_EQ(loaded->text.lines, QStringList({"select *", "from t"}));
    EXPECT_EQ(dialogs.calls()[0].text, "Загрузить запрос");
    EXPECT_EQ(dialogs.calls()[0].caption, "Текстовые файлы(*.txt)|*.txt");

    dialogs.choosePath(path("out.txt"));
    ASSERT_TRUE(SqlTextFile::saveSqlToFile(loaded->text.lines, loaded->text.lineBreak));
    EXPECT_EQ(readAll(path("out.txt")), QByteArray("select *\nfrom t\n"));
}

TEST_F(SqlTextFileCommands, FailedLoadClearsTheEditorAndThrows) {
    dialogs.choosePath(path("missing.txt"));
    bool cleared = false;
    try {
        SqlTextFile::loadSqlFromFile([&] { cleared = true; });
        FAIL() << "a missing file loaded";
    } catch (const dbfquery::support::UserError& e) {
        EXPECT_TRUE(e.message().contains(path("missing.txt"))) << e.message().toStdString();
    }
    EXPECT_TRUE(cleared);
}

TEST_F(SqlTextFileCommands, FailedSaveThrowsAndWritesNothing) {
    dialogs.choosePath(path("no/such/dir/q"));
    EXPECT_THROW(SqlTextFile::saveSqlToFile({"x"}, LineBreak::CrLf), dbfquery::support::UserError);
    // A folder named like the file cannot be replaced; nothing is left beside it.
    ASSERT_TRUE(QDir(dir.path()).mkdir("q.txt"));
    dialogs.choosePath(path("q.txt"));
    dialogs.answer(dbfquery::support::Answer::Yes);
    EXPECT_THROW(SqlTextFile::saveSqlToFile({"x"}, LineBreak::CrLf), dbfquery::support::UserError);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden),
              QStringList{"q.txt"});
}

} // namespace
