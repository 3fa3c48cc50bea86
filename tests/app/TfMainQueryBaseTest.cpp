#include "app/TfMain.h"
#include "StartedIn.h"
#include "support/ModalDriver.h"
#include "support/ScriptedDialogs.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>
#include <memory>

namespace dbfquery::app {
namespace {

using support::Answer;
using testing::whenModalShows;

class QueryBaseCommands : public ::testing::Test {
protected:
    void SetUp() override { start(); }

    void start() {
        window.reset();
        window = std::make_unique<TfMain>();
        window->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
    }

    QLineEdit* edit(const char* name) { return window->findChild<QLineEdit*>(QLatin1String(name)); }
    QCheckBox* autoBuild() { return window->findChild<QCheckBox*>(QStringLiteral("chbAuto")); }

    // Plans the name dialog: the name as if pasted (no type-ahead), then OK.
    void nameDialogAnswers(const QString& name) {
        whenModalShows<QDialog>([name](QDialog* dialog) {
            dialog->findChild<QLineEdit*>(QStringLiteral("NameSql"))->setText(name);
            QTest::keyClick(dialog, Qt::Key_Return);
        });
    }

    void saveAs(const QString& name) {
        nameDialogAnswers(name);
        window->actSaveSqlToDbExecute();
    }

    QString baseFile() const { return dir.filePath(QStringLiteral("Quorvel.cds")); }

    QTemporaryDir dir;
    StartedIn startedIn{dir.path()};
    testing::ScriptedDialogs dialogs;
    std::unique_ptr<TfMain> window;
};

TEST_F(QueryBaseCommands, StartUpCreatesAnEmptyBaseFile) {
    EXPECT_TRUE(QFile::exists(baseFile()));
    EXPECT_EQ(window->queryBase().count(), 0);
    EXPECT_TRUE(dialogs.messages().empty());
}

TEST_F(QueryBaseCommands, SavedQueriesSurviveARestart) {
    edit("ListFields")->setText(QStringLiteral("ИМЯ"));
    edit("ListFiles")->setText(QStringLiteral("ЛЮДИ"));
    saveAs(QStringLiteral("Люди"));
    EXPECT_EQ(window->statusMessage(), QStringLiteral("Сохранен в базе под именем Люди"));

    start();
    ASSERT_EQ(window->queryBase().count(), 1);
    const TQueryEntry& e = window->queryBase().entry(0);
    EXPECT_EQ(e.Name, QStringLiteral("Люди"));
    EXPECT_EQ(e.Select, QStringLiteral("ИМЯ"));
    EXPECT_EQ(e.From, QStringLiteral("ЛЮДИ"));
    EXPECT_TRUE(e.IsAuto);
    EXPECT_EQ(e.Text, QStringLiteral("Select\r\n  ИМЯ\r\nFrom\r\n  ЛЮДИ\r\n"));
}

TEST_F(QueryBaseCommands, SavingUnderAnExistingNameAsksIgnoringCase) {
    saveAs(QStringLiteral("Sales"));
    saveAs(QStringLiteral("Sales report"));

    dialogs.answer(Answer::No);
    saveAs(QStringLiteral("SALES"));
    EXPECT_EQ(window->queryBase().names(), (QStringList{"Sales", "Sales report"}));
    EXPECT_EQ(dialogs.messages().back().caption, QStringLiteral("Предупреждение!"));
    EXPECT_EQ(dialogs.messages().back().text,
              QStringLiteral("Запрос с именем\rSALES\rуже есть в базе запросов!\rПереписать?"));

    dialogs.answer(Answer::Yes);
    saveAs(QStringLiteral("SALES"));
    EXPECT_EQ(window->queryBase().names(), (QStringList{"SALES", "Sales report"}));

    // Only a whole-name match asks.
    const size_t asked = dialogs.messages().size();
    saveAs(QStringLiteral("Sales rep"));
    EXPECT_EQ(dialogs.messages().size(), asked);
    EXPECT_EQ(window->queryBase().count(), 3);
}

TEST_F(QueryBaseCommands, TypeAheadCompletesTheFirstNameAndSelectsTheTail) {
    saveAs(QStringLiteral("Stock"));
    saveAs(QStringLiteral("Sales"));
    whenModalShows<QDialog>([](QDialog* dialog) {
        auto* name = dialog->findChild<QLineEdit*>(QStringLiteral("NameSql"));
        auto* list = dialog->findChild<QComboBox*>(QStringLiteral("lCmbName"));
        name->clear();
        QTest::keyClick(name, Qt::Key_S);
        EXPECT_EQ(name->text(), QStringLiteral("Sales"));
        EXPECT_EQ(name->selectedText(), QStringLiteral("ales"));
        EXPECT_EQ(list->currentText(), QStringLiteral("Sales"));

        QTest::keyClick(name, Qt::Key_Backspace);
        EXPECT_EQ(name->text(), QStringLiteral("Sales"));
        EXPECT_EQ(name->selectedText(), QStringLiteral("ales"));

        name->setCursorPosition(5);
        QTest::keyClick(name, Qt::Key_T);
        EXPECT_EQ(name->text(), QStringLiteral("Salest"));
        QTest::keyClick(name, Qt::Key_Backspace);
        QTest::keyClick(name, Qt::Key_Shift);
        EXPECT_EQ(name->text(), QStringLiteral("Sales"));
        EXPECT_FALSE(name->hasSelectedText());
        EXPECT_EQ(name->cursorPosition(), 5);
        QTest::keyClick(dialog, Qt::Key_Escape);
    });
    window->actLoadSqlOnDbExecute();
    EXPECT_TRUE(dialogs.messages().empty());
}

TEST_F(QueryBaseCommands, LoadingAnEntrySavedWithTheFlagOffRestoresEverything) {
    autoBuild()->setChecked(false);
    edit("ListFields")->setText(QStringLiteral("A"));
    edit("ListWhere")->setText(QStringLiteral("A > 1"));
    window->setSqlLines({QStringLiteral("select a from t")});
    saveAs(QStringLiteral("Off"));

    dialogs.answer(Answer::Yes);   // the auto-build warning
    autoBuild()->setChecked(true);
    edit("ListWhere")->setText(QStringLiteral("OTHER"));

    dialogs.answer(Answer::Yes);   // "Загрузить запрос из базы ?"
    nameDialogAnswers(QStringLiteral("Off"));
    window->actLoadSqlOnDbExecute();
    EXPECT_FALSE(autoBuild()->isChecked());
    EXPECT_EQ(edit("ListFields")->text(), QStringLiteral("A"));
    EXPECT_EQ(edit("ListWhere")->text(), QStringLiteral("A > 1"));
    EXPECT_EQ(window->sqlLines(), QStringList{QStringLiteral("select a from t")});
    EXPECT_EQ(window->statusMessage(), QStringLiteral("Загружен из базы под именем Off"));
}

TEST_F(QueryBaseCommands, LoadingAnEntrySavedWithTheFlagOnAsksTheWarning) {
    edit("ListFields")->setText(QStringLiteral("B"));
    edit("ListWhere")->setText(QStringLiteral("B = 2"));
    saveAs(QStringLiteral("On"));
    const QStringList stored = window->sqlLines();

    for (const Answer warning : {Answer::Yes, Answer::No}) {
        autoBuild()->setChecked(false);
        edit("ListWhere")->setText(QStringLiteral("OLD"));
        window->setSqlLines({QStringLiteral("typed")});
        dialogs.answer(Answer::Yes); // load?
        dialogs.answer(warning);     // switch auto-building on?
        nameDialogAnswers(QStringLiteral("On"));
        window->actLoadSqlOnDbExecute();
        EXPECT_EQ(autoBuild()->isChecked(), warning == Answer::Yes);
        EXPECT_EQ(window->sqlLines(), stored);
        EXPECT_EQ(edit("ListWhere")->text(),
                  warning == Answer::Yes ? QStringLiteral("OLD") : QStringLiteral("B = 2"));
    }
}

TEST_F(QueryBaseCommands, LoadingATypedNameNoEntryBeginsWithLoadsTheCurrentOne) {
    edit("ListFields")->setText(QStringLiteral("C"));
    saveAs(QStringLiteral("Current"));
    edit("ListFields")->setText(QStringLiteral("D"));
    dialogs.answer(Answer::Yes);
    nameDialogAnswers(QStringLiteral("nothing like it"));
    window->actLoadSqlOnDbExecute();
    EXPECT_EQ(edit("ListFields")->text(), QStringLiteral("C"));
}

TEST_F(QueryBaseCommands, DeletingAsksAndRewritesTheFile) {
    whenModalShows<QDialog>([](QDialog* dialog) { QTest::keyClick(dialog, Qt::Key_Return); });
    window->actDelSqlOnDBExecute();
    EXPECT_TRUE(dialogs.messages().empty()) << "an empty base asks nothing";

    saveAs(QStringLiteral("Only"));
    dialogs.answer(Answer::Yes);
    whenModalShows<QDialog>([](QDialog* dialog) { QTest::keyClick(dialog, Qt::Key_Return); });
    window->actDelSqlOnDBExecute();
    EXPECT_EQ(dialogs.messages().back().caption, QStringLiteral("Удаление"));
    EXPECT_EQ(dialogs.messages().back().text, QStringLiteral("Удалить запрос из базы\r< Only >"));
    EXPECT_EQ(window->queryBase().count(), 0);

    start();
    EXPECT_EQ(window->queryBase().count(), 0);
}

class DamagedQueryBase : public QueryBaseCommands {
protected:
    void SetUp() override {
        QFile damaged(baseFile());
        ASSERT_TRUE(damaged.open(QIODevice::WriteOnly));
        damaged.write("this is no query base");
    }
};

TEST_F(DamagedQueryBase, IsReportedAndDeletedOnConfirmation) {
    dialogs.answer(Answer::Yes);
    start();
    const auto shown = dialogs.messages();
    ASSERT_EQ(shown.size(), 2u);
    EXPECT_EQ(shown[0].caption, QStringLiteral("Ошибка"));
    EXPECT_TRUE(shown[0].text.startsWith(QStringLiteral("Ошибка при загрузке данных\r")));
    EXPECT_TRUE(shown[0].text.endsWith(
        QStringLiteral("\rВзможно файл поврежден или нарушена его структура\rФайл с данными будет удален !")));
    EXPECT_EQ(shown[1].kind, support::MessageKind::QuestionDefaultNo);
    EXPECT_FALSE(QFile::exists(baseFile()));
    saveAs(QStringLiteral("New"));
    EXPECT_EQ(window->statusMessage(), QStringLiteral("Сохранен в базе под именем New"));
}

TEST_F(DamagedQueryBase, DeclinedIsSetAsideBeforeTheNextSave) {
    dialogs.answer(Answer::No);
    start();
    EXPECT_TRUE(QFile::exists(baseFile()));
    EXPECT_EQ(window->queryBase().count(), 0);
    saveAs(QStringLiteral("New"));
    EXPECT_EQ(window->statusMessage(),
              QStringLiteral("Сохранен в базе под именем New; поврежденный файл базы сохранен как ") +
                  baseFile() + QStringLiteral(".bad"));
    QFile kept(baseFile() + QStringLiteral(".bad"));
    ASSERT_TRUE(kept.open(QIODevice::ReadOnly));
    EXPECT_EQ(kept.readAll(), QByteArray("this is no query base"));
    start();
    EXPECT_EQ(window->queryBase().names(), QStringList{QStringLiteral("New")});
}

} // namespace
} // namespace dbfquery::app
