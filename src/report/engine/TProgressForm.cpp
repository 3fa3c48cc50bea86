#include "report/engine/TProgressForm.h"

#include <QCoreApplication>
#include <QLabel>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

namespace dbfquery::report {

TProgressForm::TProgressForm(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint),
      m_line1(new QLabel(this)), m_line2(new QLabel(this)),
      m_cancel(new QPushButton(QStringLiteral("Отмена"), this)) {
    setModal(true);
    auto* layout = new QVBoxLayout(this);
    m_line1->setAlignment(Qt::AlignCenter);
    m_line2->setAlignment(Qt::AlignCenter);
    layout->addWidget(m_line1);
    layout->addWidget(m_line2);
    layout->addWidget(m_cancel, 0, Qt::AlignHCenter);
    setMinimumWidth(260);
    connect(m_cancel, &QPushButton::clicked, this, [this] {
        if (m_onCancel)
            m_onCancel();
    });
}

void TProgressForm::reject() {
    m_cancel->click();
}

QString TProgressForm::line() const {
    return m_line1->text();
}

void TProgressForm::setLine(const QString& text) {
    m_line1->setText(text);
    QCoreApplication::processEvents();
}

void TProgressForm::run(const QString& caption, const QString& firstLine,
                        const std::function<void()>& work, const std::function<void()>& cancel) {
    setWindowTitle(caption);
    m_line1->setText(firstLine);
    m_line2->clear();
    m_onCancel = cancel;
    std::exception_ptr failure;
    QTimer::singleShot(0, this, [&] {
        try {
            work();
        } catch (...) {
            failure = std::current_exception();
        }
        done(QDialog::Accepted);
    });
    exec();
    m_onCancel = nullptr;
    if (failure)
        std::rethrow_exception(failure);
}

} // namespace dbfquery::report
