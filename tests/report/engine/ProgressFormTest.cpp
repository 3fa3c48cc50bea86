#include "report/engine/TProgressForm.h"

#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>
#include <stdexcept>

namespace dbfquery::report {
namespace {

TEST(ProgressForm, RunsTheWorkOnScreenAndEscOrCancelSetsTheStopMark) {
    TProgressForm form;
    int cancels = 0;
    bool wasVisible = false;
    form.run(
        QStringLiteral("Подготовка отчета"), QStringLiteral("Формируется страница:  1"),
        [&] {
            wasVisible = form.isVisible();
            EXPECT_EQ(form.line(), "Формируется страница:  1");
            form.setLine(QStringLiteral("Формируется страница:  2"));
            QTest::keyClick(&form, Qt::Key_Escape);
            form.cancelButton()->click();
            EXPECT_TRUE(form.isVisible()); // the work closes it, not the button
        },
        [&] { ++cancels; });
    EXPECT_TRUE(wasVisible);
    EXPECT_EQ(cancels, 2);
    EXPECT_FALSE(form.isVisible());
    EXPECT_EQ(form.windowTitle(), "Подготовка отчета");
    EXPECT_EQ(form.cancelButton()->text(), "Отмена");
    EXPECT_EQ(form.line(), "Формируется страница:  2");
}

TEST(ProgressForm, AFailureOfTheWorkClosesTheWindowAndPropagates) {
    TProgressForm form;
    EXPECT_THROW(form.run(
                     QString(), QString(), [] { throw std::runtime_error("сбой"); }, [] {}),
                 std::runtime_error);
    EXPECT_FALSE(form.isVisible());
}

} // namespace
} // namespace dbfquery::report
