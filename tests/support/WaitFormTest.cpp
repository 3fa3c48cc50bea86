#include "support/ApplicationTitle.h"
#include "support/DesignFont.h"
#include "support/SearchAnimation.h"
#include "support/TWaitForm.h"
#include "support/UserError.h"
#include "support/ScriptedDialogs.h"

#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <gtest/gtest.h>
#include <set>

namespace dbfquery::support {
namespace {

using testing::ScriptedDialogs;

int halfScreen() { return QGuiApplication::primaryScreen()->geometry().width() / 2; }

bool anyWaitFormLeft() {
    for (QWidget* window : QApplication::topLevelWidgets())
        if (qobject_cast<TWaitForm*>(window))
            return true;
    return false;
}

class WaitWindow : public ::testing::Test {
protected:
    void TearDown() override { EXPECT_FALSE(anyWaitFormLeft()); }
    ScriptedDialogs dialogs;
};

struct ArrangeCase {
    const char* name;
    TWaitOptions options;
    int heightBelowLabel; // client height minus the label's height
    friend void PrintTo(const ArrangeCase& c, std::ostream* os) { *os << c.name; }
};

class WaitWindowArrange : public WaitWindow, public ::testing::WithParamInterface<ArrangeCase> {};

TEST_P(WaitWindowArrange, StacksShownControlsUnderACentredMessage) {
    const ArrangeCase& c = GetParam();
    const ScopedWaitForm form = showScopedWaitForm(QStringLiteral("Сохранение..."), QString(), c.options);
    const QLabel* label = form->WaitLabel();
    EXPECT_EQ(form->width(), 384);
    EXPECT_EQ(label->x(), (384 - label->width()) / 2);
    EXPECT_EQ(label->y(), 10);
    EXPECT_EQ(form->height(), label->height() + c.heightBelowLabel);
    EXPECT_EQ(form->CancelButton()->isVisible(), bool(c.options & woCancelButton));
    EXPECT_EQ(form->WaitAnimate()->isVisible(), bool(c.options & woAnimation));
    EXPECT_EQ(form->WaitAnimate()->isPlaying(), bool(c.options & woAnimation));
    if (c.options & woCancelButton) {
        const int barBottom = label->height() + 20 + (c.options & woAnimation ? 43 : 0) +
                              (c.options & woProgressBar ? 16 : 0);
        EXPECT_EQ(form->CancelButton()->geometry(), QRect(138, barBottom + 5, 105, 29));
    }
}

INSTANTIATE_TEST_SUITE_P(
    OptionSets, WaitWindowArrange,
    ::testing::Values(ArrangeCase{"None", {}, 20}, ArrangeCase{"CancelButton", woCancelButton, 59},
                      ArrangeCase{"Animation", woAnimation, 63},
                      ArrangeCase{"CancelAndAnimation", woCancelButton | woAnimation, 102},
                      ArrangeCase{"ProgressBar", woProgressBar, 36},
                      ArrangeCase{"StaticLabel", woStaticLabel, 38},
                      ArrangeCase{"All", woCancelButton | woAnimation | woProgressBar | woStaticLabel, 136}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(WaitWindow, PutsOneSpaceAfterEveryCommaAndPlus) {
    const ScopedWaitForm form = showScopedWaitForm(QStringLiteral("a,b+c"), QString(), {});
    EXPECT_EQ(form->message(), QStringLiteral("a, b+ c"));
    form->Arrange(); // laying out again does not add more
    EXPECT_EQ(form->message(), QStringLiteral("a, b+ c"));
    EXPECT_EQ(form->WaitLabel()->text(), QStringLiteral("a, b+ c"));
}

TEST_F(WaitWindow, WrapsAWideMessageToHalfTheScreen) {
    const int W = halfScreen();
    QString message;
    while (QFontMetrics(designFont(11)).horizontalAdvance(message) < 3 * W)
        message += QStringLiteral("слово ");
    const ScopedWaitForm form = showScopedWaitForm(message, QString(), {});
    const QLabel* label = form->WaitLabel();
    EXPECT_TRUE(form->messageWrapped());
    EXPECT_EQ(label->width(), W - 20);
    EXPECT_EQ(label->x(), 10);
    EXPECT_EQ(form->width(), W);
    EXPECT_GE(label->height(), 3 * QFontMetrics(label->font()).height());
    EXPECT_EQ(form->height(), label->height() + 20);
}

TEST_F(WaitWindow, ShowsAWordLongerThanTheLineOnOneLineCutOff) {
    const int W = halfScreen();
    const ScopedWaitForm form = showScopedWaitForm(QString(W, u'Ш'), QString(), {});
    const QLabel* label = form->WaitLabel();
    EXPECT_FALSE(form->messageWrapped());
    EXPECT_EQ(label->width(), W - 20);
    EXPECT_EQ(label->height(), QFontMetrics(label->font()).height());
    EXPECT_EQ(form->width(), W);
}

TEST_F(WaitWindow, BreaksLinesAtCarriageReturns) {
    const ScopedWaitForm form = showScopedWaitForm(QStringLiteral("Файл a\r временно"), QString(), {});
    EXPECT_EQ(form->WaitLabel()->text(), QStringLiteral("Файл a\n временно"));
    EXPECT_EQ(form->WaitLabel()->height(), 2 * QFontMetrics(form->WaitLabel()->font()).height());
}

TEST_F(WaitWindow, CaptionIsGivenOrTheTitleWithTheActiveWindow) {
    {
        const ScopedWaitForm form = showScopedWaitForm(QStringLiteral("x"), QStringLiteral("Ждите!"), {});
        EXPECT_EQ(form->windowTitle(), QStringLiteral("Ждите!"));
    }
    ASSERT_EQ(QApplication::activeWindow(), nullptr);
    {
        const ScopedWaitForm form = showScopedWaitForm(QStringLiteral("x"), QString(), {});
        EXPECT_EQ(form->windowTitle(), applicationTitle());
        EXPECT_EQ(form->PrevActiveForm(), nullptr);
    }
    QWidget main;
    main.setWindowTitle(QStringLiteral("Main"));
    main.show();
    main.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&main));
    const ScopedWaitForm form = showScopedWaitForm(QStringLiteral("x"), QString(), {});
    EXPECT_EQ(form->windowTitle(), applicationTitle() + QStringLiteral(" (Main)"));
}

TEST_F(WaitWindow, DisablesOtherWindowsThenEnablesAllAndReturnsFocus) {
    QWidget main;
    main.setWindowTitle(QStringLiteral("Main"));
    QWidget disabledBefore;
    disabledBefore.setEnabled(false);
    QWidget hidden;
    main.show();
    disabledBefore.show();
    main.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&main));

    TWaitForm* form = ShowWaitForm(QStringLiteral("Выполняю Ваш запрос..."), QStringLiteral("Ждите!"), woAnimation);
    EXPECT_TRUE(form->isVisible());
    EXPECT_TRUE(form->isEnabled());
    EXPECT_FALSE(main.isEnabled());
    EXPECT_FALSE(hidden.isEnabled());
    EXPECT_EQ(form->PrevActiveForm(), &main);
    ASSERT_TRUE(QTest::qWaitForWindowActive(form));

    CloseWaitForm(form);
    EXPECT_TRUE(main.isEnabled());
    EXPECT_TRUE(disabledBefore.isEnabled());
    EXPECT_TRUE(hidden.isEnabled());
    EXPECT_TRUE(QTest::qWaitForWindowActive(&main));
    CloseWaitForm(nullptr);
}

TEST_F(WaitWindow, CancelAsksAndOnlyYesSetsTheFlag) {
    const ScopedWaitForm form = showScopedWaitForm(QStringLiteral("x"), QString(), woCancelButton);
    EXPECT_EQ(form->CancelButton()->text(), QStringLiteral("Отмена (Esc)"));
    dialogs.answer(Answer::No);
    form->CancelButton()->click();
    EXPECT_FALSE(form->Cancelled());

    dialogs.answer(Answer::Yes);
    QTest::keyClick(form.get(), Qt::Key_Escape);
    EXPECT_TRUE(form->Cancelled());
    EXPECT_TRUE(form->isVisible());

    ASSERT_EQ(dialogs.messages().size(), 2u);
    for (const Message& asked : dialogs.messages()) {
        EXPECT_EQ(asked.kind, MessageKind::QuestionDefaultNo);
        EXPECT_EQ(asked.text, QStringLiteral("Прервать операцию?"));
        EXPECT_EQ(asked.caption, applicationTitle());
    }
}

TEST_F(WaitWindow, TheUserCannotCloseIt) {
    const ScopedWaitForm form = showScopedWaitForm(QStringLiteral("x"), QString(), {});
    QTest::keyClick(form.get(), Qt::Key_F4, Qt::AltModifier);
    QTest::keyClick(form.get(), Qt::Key_Escape); // no Cancel button: nothing is asked
    EXPECT_FALSE(form->close());
    EXPECT_TRUE(form->isVisible());
    EXPECT_TRUE(dialogs.messages().empty());
    EXPECT_FALSE(form->windowFlags() & Qt::WindowCloseButtonHint);
    EXPECT_FALSE(form->windowFlags() & Qt::WindowSystemMenuHint);
}

TEST_F(WaitWindow, BlinkAlternatesTwoColoursAndRefusesAnyOther) {
    const ScopedWaitForm form = showScopedWaitForm(QStringLiteral("x"), QString(), {});
    const QColor first = QApplication::palette().color(QPalette::WindowText);
    const QColor second = QApplication::palette().color(QPalette::ToolTipBase);
    ASSERT_NE(first, second);
    EXPECT_EQ(form->messageColour(), first);
    form->Blink();
    EXPECT_EQ(form->messageColour(), second);
    form->Blink();
    EXPECT_EQ(form->messageColour(), first);

    QPalette foreign = form->WaitLabel()->palette();
    foreign.setColor(QPalette::WindowText, QColor(1, 2, 3));
    form->WaitLabel()->setPalette(foreign);
    try {
        form->Blink();
        ADD_FAILURE() << "no error";
    } catch (const UserError& error) {
        EXPECT_EQ(error.message(), QStringLiteral("Неверный цвет формы ожидания"));
    }
}

TEST_F(WaitWindow, AnimationKeepsMovingWhileEventsRun) {
    const ScopedWaitForm form = showScopedWaitForm(QStringLiteral("x"), QString(), woAnimation);
    std::vector<int> frames;
    for (int i = 0; i < 5; ++i) {
        frames.push_back(form->WaitAnimate()->frame());
        QTest::qWait(SearchAnimation::FrameIntervalMs * 2);
    }
    EXPECT_GE(std::set<int>(frames.begin(), frames.end()).size(), 4u);
    QImage picture(form->WaitAnimate()->size(), QImage::Format_ARGB32);
    form->WaitAnimate()->render(&picture); // paints without a fault
}

} // namespace
} // namespace dbfquery::support
