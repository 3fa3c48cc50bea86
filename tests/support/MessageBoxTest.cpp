// The real message boxes, driven by keys on the offscreen platform.
#include "support/MessageDialogs.h"
#include "support/QtDialogService.h"

#include <QApplication>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <functional>
#include <gtest/gtest.h>

namespace dbfquery::support {
namespace {

// Runs `act` on the modal box as soon as it is up.
void whenBoxShows(std::function<void(QMessageBox*)> act) {
    auto* timer = new QTimer;
    timer->setInterval(10);
    QObject::connect(timer, &QTimer::timeout, [timer, act] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            timer->stop();
            timer->deleteLater();
            act(box);
        }
    });
    timer->start();
}

void pressKeys(QMessageBox* box, std::initializer_list<Qt::Key> keys) {
    for (Qt::Key key : keys)
        QTest::keyClick(box, key);
}

class RealMessageBox : public ::testing::Test {
protected:
    QtDialogService service;
    ScopedDialogService installed{service};
};

TEST_F(RealMessageBox, EnterAnswersTheDefaultButton) {
    whenBoxShows([](QMessageBox* box) { pressKeys(box, {Qt::Key_Return}); });
    EXPECT_TRUE(Confirm(QStringLiteral("Продолжить?"), QString()));
    whenBoxShows([](QMessageBox* box) { pressKeys(box, {Qt::Key_Return}); });
    EXPECT_FALSE(ConfirmDefaultNo(QStringLiteral("Удалить?"), QStringLiteral("Удаление файла")));
}

TEST_F(RealMessageBox, EscapeDoesNotEndAYesNoBox) {
    whenBoxShows([](QMessageBox* box) {
        pressKeys(box, {Qt::Key_Escape});
        EXPECT_TRUE(box->isVisible());
        box->close();
        EXPECT_TRUE(box->isVisible());
        pressKeys(box, {Qt::Key_Return});
    });
    EXPECT_TRUE(Confirm(QStringLiteral("Продолжить?"), QString()));
}

TEST_F(RealMessageBox, ShowsButtonsIconAndCaptionOfEachKind) {
    whenBoxShows([](QMessageBox* box) {
        EXPECT_EQ(box->icon(), QMessageBox::Question);
        EXPECT_EQ(box->windowTitle(), QStringLiteral("Предупреждение"));
        QStringList labels;
        for (QAbstractButton* button : box->buttons())
            labels << button->text();
        labels.sort();
        EXPECT_EQ(labels, (QStringList{QStringLiteral("Да"), QStringLiteral("Нет")}));
        // A carriage return breaks the line; two give an empty line.
        EXPECT_EQ(box->text(), QStringLiteral("Внимание!\n\nДальше?"));
        pressKeys(box, {Qt::Key_Return});
    });
    Confirm(QStringLiteral("Внимание!\r\rДальше?"), QStringLiteral("Предупреждение"));

    whenBoxShows([](QMessageBox* box) {
        EXPECT_EQ(box->icon(), QMessageBox::Information);
        EXPECT_TRUE(box->windowTitle().trimmed().isEmpty());
        EXPECT_EQ(box->buttons().size(), 1);
        pressKeys(box, {Qt::Key_Return});
    });
    EXPECT_EQ(Inform(QStringLiteral("Готово"), QString()), 1);
}

} // namespace
} // namespace dbfquery::support
