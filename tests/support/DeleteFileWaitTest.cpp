#include "FakeWaitClock.h"
#include "support/DeleteFileWait.h"
#include "support/ScriptedDialogs.h"
#include "support/TWaitForm.h"
#include "support/TWaitProcess.h"

#include <QApplication>
#include <QFile>
#include <QPushButton>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <system_error>
#include <unistd.h>

namespace dbfquery::support {
namespace {

using testing::FakeWaitClock;
using testing::ScriptedDialogs;

// What the wait window looked like at one sleep.
struct Seen {
    bool window = false;
    QString message;
    QString caption;
    bool cancelButton = false;
    QColor colour;
};

class DeleteFileWaitTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        path = dir.filePath(QStringLiteral("Quorvel.cds"));
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("x");
        clock.onSleep = [this](int sleep) {
            Seen now;
            if (TWaitForm* form = GlobalWaitProcess()->form()) {
                now = {true, form->message(), form->windowTitle(), form->CancelButton()->isVisible(),
                       form->messageColour()};
            }
            seen.push_back(now);
            if (atSleep)
                atSleep(sleep);
        };
    }
    void TearDown() override { EXPECT_EQ(GlobalWaitProcess(), nullptr); }

    // A delete call that fails its first `failures` attempts.
    ScopedFileRemover lockedFor(int failures) {
        return ScopedFileRemover([this, failures](const QString& name) {
            if (attempts++ < failures)
                throw std::system_error(EACCES, std::generic_category());
            removeFileOrThrow(name);
        });
    }

    void confirmCancelAtSleep(int which) {
        atSleep = [this, which](int sleep) {
            if (sleep == which) {
                dialogs.answer(Answer::Yes);
                GlobalWaitProcess()->form()->CancelButton()->click();
            }
        };
    }

    QTemporaryDir dir;
    QString path;
    ScriptedDialogs dialogs;
    FakeWaitClock clock;
    std::vector<Seen> seen;
    std::function<void(int)> atSleep;
    int attempts = 0;
};

TEST_F(DeleteFileWaitTest, MissingFileIsDoneAtOnce) {
    EXPECT_TRUE(DeleteFileWait(dir.filePath(QStringLiteral("nothing.cds")), QString(), true, true));
    EXPECT_TRUE(DeleteFileWait(dir.path(), QString(), true, true)) << "a folder is no file";
    EXPECT_TRUE(dialogs.calls().empty());
    EXPECT_TRUE(clock.sleeps.empty());
}

TEST_F(DeleteFileWaitTest, AsksFirstAndKeepsTheFileOnNo) {
    dialogs.answer(Answer::No);
    EXPECT_FALSE(DeleteFileWait(path, QStringLiteral("Подождите ..."), true, true));
    EXPECT_TRUE(QFile::exists(path));
    ASSERT_EQ(dialogs.messages().size(), 1u);
    const Message asked = dialogs.messages().front();
    EXPECT_EQ(asked.kind, MessageKind::QuestionDefaultNo);
    EXPECT_EQ(asked.text, QStringLiteral("Удалить Файл\r") + path + u'?');
    EXPECT_EQ(asked.caption, QStringLiteral("Удаление файла"));
}

TEST_F(DeleteFileWaitTest, DeletableFileGoesWithoutAWindow) {
    dialogs.answer(Answer::Yes);
    EXPECT_TRUE(DeleteFileWait(path, QString(), true, true));
    EXPECT_FALSE(QFile::exists(path));
    EXPECT_TRUE(clock.sleeps.empty());
    EXPECT_TRUE(DeleteFileWait(path, QString(), false, false)) << "now missing";
}

TEST_F(DeleteFileWaitTest, LockedFileShowsTheWindowAfterTheFirstPauseAndBlinks) {
    const ScopedFileRemover remover = lockedFor(4);
    EXPECT_TRUE(DeleteFileWait(path, QString(), false, true));
    EXPECT_FALSE(QFile::exists(path));
    EXPECT_EQ(clock.sleeps, (std::vector<int>{500, 500, 500, 500}));
    ASSERT_EQ(seen.size(), 4u);
    EXPECT_FALSE(seen[0].window) << "shown only after the first pause";
    for (std::size_t i = 1; i < seen.size(); ++i) {
        EXPECT_TRUE(seen[i].window);
        EXPECT_EQ(seen[i].message, QStringLiteral("Файл ") + path + QStringLiteral("\r временно недоступен для удаления"));
        EXPECT_EQ(seen[i].caption, QStringLiteral("Удаляем файл"));
        EXPECT_TRUE(seen[i].cancelButton);
    }
    EXPECT_NE(seen[1].colour, seen[2].colour);
    EXPECT_NE(seen[2].colour, seen[3].colour);
}

TEST_F(DeleteFileWaitTest, WithoutCancelTheWindowHasNoButton) {
    const ScopedFileRemover remover = lockedFor(2);
    EXPECT_TRUE(DeleteFileWait(path, QStringLiteral("Подождите ..."), false, false));
    ASSERT_EQ(seen.size(), 2u);
    EXPECT_EQ(seen[1].message, QStringLiteral("Подождите ..."));
    EXPECT_FALSE(seen[1].cancelButton);
}

TEST_F(DeleteFileWaitTest, ConfirmedCancelStopsAtTheNextAttemptAndKeepsTheFile) {
    const ScopedFileRemover remover = lockedFor(1'000);
    confirmCancelAtSleep(3);
    EXPECT_FALSE(DeleteFileWait(path, QString(), false, true));
    EXPECT_TRUE(QFile::exists(path));
    EXPECT_EQ(clock.sleeps.size(), 3u);
    EXPECT_EQ(attempts, 3);
}

TEST_F(DeleteFileWaitTest, FileRemovedByAnotherProgramEndsTheWaitAsNotDeleted) {
    const ScopedFileRemover remover = lockedFor(1'000);
    atSleep = [this](int sleep) {
        if (sleep == 2)
            ::unlink(QFile::encodeName(path).constData());
    };
    EXPECT_FALSE(DeleteFileWait(path, QString(), false, true));
    EXPECT_EQ(clock.sleeps.size(), 2u);
}

TEST_F(DeleteFileWaitTest, FileThatCannotBeDeletedIsRetriedUntilCancelled) {
    // Root deletes in a read-only folder, but not in /proc.
    const bool root = ::geteuid() == 0;
    const QString locked = root ? QStringLiteral("/proc/self/status") : path;
    if (!root) {
        ASSERT_TRUE(QFile::setPermissions(dir.path(), QFile::ReadOwner | QFile::ExeOwner));
    }
    confirmCancelAtSleep(2);
    EXPECT_FALSE(DeleteFileWait(locked, QString(), false, true));
    QFile::setPermissions(dir.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    EXPECT_TRUE(QFile::exists(locked));
    ASSERT_EQ(seen.size(), 2u);
    EXPECT_FALSE(seen[0].window);
    EXPECT_TRUE(seen[1].window);
}

TEST_F(DeleteFileWaitTest, AnErrorInTheWaitStillClosesIt) {
    const ScopedFileRemover remover = lockedFor(1'000);
    atSleep = [](int sleep) {
        if (sleep == 2)
            throw std::runtime_error("broken");
    };
    EXPECT_THROW(DeleteFileWait(path, QString(), false, true), std::runtime_error);
    for (QWidget* window : QApplication::topLevelWidgets())
        EXPECT_EQ(qobject_cast<TWaitForm*>(window), nullptr);
}

// Regression: a deletion started from an event handled during another one
// ended the shared wait, and the outer loop then stepped a destroyed helper.
TEST_F(DeleteFileWaitTest, NestedDeletionSharesTheWaitAndLeavesItRunning) {
    const QString other = dir.filePath(QStringLiteral("other.cds"));
    QFile(other).open(QIODevice::WriteOnly);
    const ScopedFileRemover remover = lockedFor(3);
    bool nested = false;
    atSleep = [&](int sleep) {
        if (sleep == 2)
            nested = DeleteFileWait(other, QString(), false, true);
    };
    EXPECT_TRUE(DeleteFileWait(path, QString(), false, true));
    EXPECT_TRUE(nested);
    EXPECT_FALSE(QFile::exists(other));
    EXPECT_FALSE(QFile::exists(path));
}

TEST(GlobalWait, AStartedWaitKeepsItsSettings) {
    FakeWaitClock clock;
    StartGlobalWait(QStringLiteral("первое"), QStringLiteral("Удаляем файл"), true);
    TWaitProcess* first = GlobalWaitProcess();
    StartGlobalWait(QStringLiteral("второе"), QStringLiteral("другое"), false);
    EXPECT_EQ(GlobalWaitProcess(), first);
    EXPECT_EQ(first->Step(), WaitGoOn);
    EXPECT_EQ(clock.sleeps, std::vector<int>{500});
    ASSERT_NE(first->form(), nullptr);
    EXPECT_EQ(first->form()->message(), QStringLiteral("первое"));
    EXPECT_TRUE(first->form()->CancelButton()->isVisible());
    StopGlobalWait();
    EXPECT_EQ(GlobalWaitProcess(), nullptr);
    StopGlobalWait();
}

} // namespace
} // namespace dbfquery::support
