#include "app/TfMain.h"
#include "StartedIn.h"
#include "support/ScriptedDialogs.h"
#include "ui/UpperCaseEdit.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QKeyEvent>
#include <QLineEdit>
#include "editor/TSqlEdit.h"
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

namespace dbfquery::app {
namespace {

using support::Answer;

// Types text as the keyboard would, Cyrillic included (QTest's key clicks
// know ASCII only).
void typeText(QWidget* widget, const QString& text) {
    for (QChar c : text) {
        QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(c));
        QKeyEvent release(QEvent::KeyRelease, Qt::Key_unknown, Qt::NoModifier, QString(c));
        QApplication::sendEvent(widget, &press);
        QApplication::sendEvent(widget, &release);
    }
}

class MainWindow : public ::testing::Test {
protected:
    void SetUp() override {
        window.show();
        window.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    }

    QLineEdit* edit(const char* name) { return window.findChild<QLineEdit*>(QLatin1String(name)); }
    editor::TSqlEdit* sqlText() { return window.findChild<editor::TSqlEdit*>(QStringLiteral("SqlText")); }
    QCheckBox* autoBuild() { return window.findChild<QCheckBox*>(QStringLiteral("chbAuto")); }

    void setWizard(const QString& fields, const QString& files, const QString& where,
                   const QString& order) {
        edit("ListFields")->setText(fields);
        edit("ListFiles")->setText(files);
        edit("ListWhere")->setText(where);
        edit("ListOrder")->setText(order);
    }

    QTemporaryDir dir;
    StartedIn startedIn{dir.path()};
    testing::ScriptedDialogs dialogs;
    TfMain window;
};

TEST_F(MainWindow, StartsWithTheWorkingFolderAndTheSevenInitialLines) {
    EXPECT_EQ(edit("Path")->text(), dir.path());
    EXPECT_EQ(window.queryBasePath(), dir.path() + QStringLiteral("/Quorvel.cds"));
    EXPECT_EQ(window.sqlLines(), (QStringList{"Select", "", "From", "", "Where", "", "Order By"}));
    EXPECT_TRUE(autoBuild()->isChecked());
    EXPECT_EQ(window.statusMessage(), QString());
}

TEST_F(MainWindow, ChangingThePathNeverMovesTheQueryBase) {
    const QString base = window.queryBasePath();
    edit("Path")->setText(QStringLiteral("/somewhere/Else"));
    EXPECT_EQ(edit("Path")->text(), QStringLiteral("/somewhere/Else"));
    EXPECT_EQ(window.queryBasePath(), base);
}

struct BuildCase {
    const char* name;
    QString fields, files, where, order;
    QStringList lines;
    friend void PrintTo(const BuildCase& c, std::ostream* os) { *os << c.name; }
};

class AutoBuilder : public MainWindow, public ::testing::WithParamInterface<BuildCase> {};

TEST_P(AutoBuilder, WritesTheSqlTextFromTheWizardLines) {
    const BuildCase& c = GetParam();
    setWizard(QStringLiteral("X"), QStringLiteral("X"), QStringLiteral("X"), QStringLiteral("X"));
    setWizard(c.fields, c.files, c.where, c.order);
    EXPECT_EQ(window.sqlLines(), c.lines);
}

INSTANTIATE_TEST_SUITE_P(
    WizardLines, AutoBuilder,
    ::testing::Values(
        BuildCase{"AllEmpty", "", "", "", "", {"Select"}},
        BuildCase{"Full",
                  "NAME, AGE", "PEOPLE", "AGE > 30", "NAME DESC, AGE",
                  {"Select", "  NAME,", "  AGE", "From", "  PEOPLE", "Where", "  AGE > 30",
                   "Order By", "  NAME DESC,", "  AGE"}},
        BuildCase{"EmptyItemsDropped", "A,,B ,", " T1 , T2,", "", "",
                  {"Select", "  A,", "  B", "From", "  T1,", "  T2"}},
        BuildCase{"BlankOnlyItem", "A, ,B", "", "", "", {"Select", "  A,", "  ,", "  B"}},
        BuildCase{"WhereNotSplit", "", "T", "X=1, Y=2", "",
                  {"Select", "From", "  T", "Where", "  X=1, Y=2"}},
        BuildCase{"OnlyCommas", ",,", "T", "", "", {"Select", "From", "  T"}},
        BuildCase{"BlankOnlyLastItem", "", ", ,", "", "", {"Select", "From", "  "}},
        BuildCase{"Trimmed", " NAME ", "", "", "", {"Select", "  NAME"}},
        BuildCase{"UpperCased", "имя", "люди", "", "", {"Select", "  ИМЯ", "From", "  ЛЮДИ"}}),
    [](const auto& info) { return info.param.name; });

TEST_F(MainWindow, TypingIntoAWizardLineRebuildsAndKeepsTheCaret) {
    QLineEdit* files = edit("ListFiles");
    files->setText(QStringLiteral("PEOPLE"));
    files->setFocus();
    files->setCursorPosition(3);
    QTest::keyClicks(files, QStringLiteral("x"));
    EXPECT_EQ(files->text(), QStringLiteral("PEOXPLE"));
    EXPECT_EQ(files->cursorPosition(), 4);
    EXPECT_EQ(QApplication::focusWidget(), files);
    EXPECT_EQ(window.sqlLines(), (QStringList{"Select", "From", "  PEOXPLE"}));
}

TEST_F(MainWindow, UpperCaseLinesKeepTypedPastedAndSetTextUpper) {
    QLineEdit* fields = edit("ListFields");
    fields->setFocus();
    typeText(fields, QStringLiteral("имя, age"));
    EXPECT_EQ(fields->text(), QStringLiteral("ИМЯ, AGE"));
    fields->setCursorPosition(3);
    QApplication::clipboard()->setText(QStringLiteral("ёж"));
    fields->paste();
    EXPECT_EQ(fields->text(), QStringLiteral("ИМЯЁЖ, AGE"));
    EXPECT_EQ(fields->cursorPosition(), 5);
    fields->setText(QStringLiteral("straße"));
    EXPECT_EQ(fields->text(), QStringLiteral("STRAßE"));
    // The folder keeps its case: an upper-cased path names another folder.
    edit("Path")->setText(QStringLiteral("/home/ivan"));
    EXPECT_EQ(edit("Path")->text(), QStringLiteral("/home/ivan"));
}

TEST_F(MainWindow, TypingIntoTheEditorSwitchesAutoBuildOffButCommandKeysDoNot) {
    setWizard(QStringLiteral("NAME"), QStringLiteral("PEOPLE"), QString(), QString());
    sqlText()->setFocus();
    sqlText()->setCaretPos({3, 8});

    QApplication::clipboard()->setText(QStringLiteral(" ,AGE"));
    QTest::keyClick(sqlText(), Qt::Key_V, Qt::ControlModifier);
    QTest::keyClick(sqlText(), Qt::Key_Backspace);
    QTest::keyClick(sqlText(), Qt::Key_Return);
    EXPECT_TRUE(autoBuild()->isChecked());

    edit("ListWhere")->setText(QStringLiteral("AGE > 1"));
    EXPECT_EQ(window.sqlLines(), (QStringList{"Select", "  NAME", "From", "  PEOPLE", "Where", "  AGE > 1"}));

    sqlText()->setFocus();
    QTest::keyClicks(sqlText(), QStringLiteral("q"));
    EXPECT_FALSE(autoBuild()->isChecked());
    const QStringList typed = window.sqlLines();
    edit("ListOrder")->setText(QStringLiteral("NAME"));
    EXPECT_EQ(window.sqlLines(), typed);
    EXPECT_TRUE(dialogs.calls().empty());
}

TEST_F(MainWindow, SwitchingAutoBuildOnAsksAndNoLeavesItOff) {
    autoBuild()->setChecked(false);
    window.setSqlLines({QStringLiteral("select 1")});
    edit("ListFields")->setText(QStringLiteral("NAME"));

    dialogs.answer(Answer::No);
    autoBuild()->setChecked(true);
    EXPECT_FALSE(autoBuild()->isChecked());
    EXPECT_EQ(window.sqlLines(), QStringList{QStringLiteral("select 1")});
    ASSERT_EQ(dialogs.messages().size(), 1u);
    EXPECT_EQ(dialogs.messages()[0].kind, support::MessageKind::Question);
    EXPECT_EQ(dialogs.messages()[0].caption, QStringLiteral("Предупреждение"));
    EXPECT_EQ(dialogs.messages()[0].text,
              QStringLiteral("Внимание!\rпри включение автопостроения запрос\r"
                             "написанный вручную будет уничтожен.\r\r"
                             "Включить автопостроение зпроса?"));

    dialogs.answer(Answer::Yes);
    autoBuild()->setChecked(true);
    EXPECT_TRUE(autoBuild()->isChecked());
    EXPECT_EQ(window.sqlLines(), (QStringList{"Select", "  NAME"}));
    EXPECT_EQ(QApplication::focusWidget(), edit("ListFields"));
}

TEST_F(MainWindow, SettingALineToTheTextItHasIsNoChange) {
    edit("ListFields")->setText(QStringLiteral("NAME"));
    window.setSqlLines({QStringLiteral("kept")});
    edit("ListFields")->setText(QStringLiteral("NAME"));
    EXPECT_EQ(window.sqlLines(), QStringList{QStringLiteral("kept")});
}

TEST_F(MainWindow, ALoadedFileSwitchesAutoBuildOffAndItsLineBreaksAreKept) {
    edit("ListFields")->setText(QStringLiteral("NAME"));
    QFile file(dir.filePath("query.txt"));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("select *\nfrom \xcb\xfe\xe4\xe8\n");
    file.close();

    dialogs.choosePath(file.fileName());
    window.actLoadSqlOnFileExecute();
    EXPECT_EQ(window.sqlLines(), (QStringList{"select *", "from Люди"}));
    EXPECT_FALSE(autoBuild()->isChecked());
    EXPECT_EQ(window.statusMessage(), QStringLiteral("Загружено из файла ") + file.fileName());
    EXPECT_EQ(edit("ListFields")->text(), QStringLiteral("NAME"));

    edit("ListFiles")->setText(QStringLiteral("OTHER"));
    EXPECT_EQ(window.sqlLines(), (QStringList{"select *", "from Люди"}));

    const QString saved = dir.filePath("copy");
    dialogs.choosePath(saved);
    window.actSaveSqlToFileExecute();
    QFile copy(saved + ".txt");
    ASSERT_TRUE(copy.open(QIODevice::ReadOnly));
    EXPECT_EQ(copy.readAll(), QByteArray("select *\nfrom \xcb\xfe\xe4\xe8\n"));
    EXPECT_EQ(window.statusMessage(), QStringLiteral("Сохранен в файле ") + saved + ".txt");
}

} // namespace
} // namespace dbfquery::app
