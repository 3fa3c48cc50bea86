// The main window's commands over the named-query base.
#include "app/TfMain.h"

#include "app/TfListDeleteSql.h"
#include "app/TfSelectZapros.h"
#include "support/DeleteFileWait.h"
#include "support/MessageDialogs.h"
#include "support/TWaitForm.h"
#include "support/TextLines.h"
#include "support/UserError.h"
#include "ui/UpperCaseEdit.h"

#include <QCheckBox>
#include <QFile>
#include <QLineEdit>

namespace dbfquery::app {

namespace {

QString joinedText(const QStringList& lines) {
    QString text;
    for (const QString& line : lines)
        text += line + QStringLiteral("\r\n");
    return text;
}

} // namespace

void TfMain::ResetQueryBase() { ClnQuorvel.reset(); }

void TfMain::OpenQueryBase(const QString& fileName) {
    ResetQueryBase();
    if (QFile::exists(fileName))
        LoadQueryBase(fileName);
    else
        SaveQueryBase(fileName);
}

bool TfMain::SaveQueryBase(const QString& fileName) {
    const auto wait = support::showScopedWaitForm(QStringLiteral("Сохранение..."),
                                                  QStringLiteral("Подождите!"), support::woAnimation);
    bool setAside = false;
    if (m_damagedBaseKept && QFile::exists(fileName)) {
        const QString kept = fileName + QStringLiteral(".bad");
        QFile::remove(kept);
        if (!QFile::rename(fileName, kept))
            throw support::UserError(
                QStringLiteral("Не удается сохранить поврежденный файл %1 под именем %2")
                    .arg(fileName, kept));
        setAside = true;
    }
    m_damagedBaseKept = false;
    ClnQuorvel.saveToFile(fileName);
    return setAside;
}

bool TfMain::LoadQueryBase(const QString& fileName) {
    ResetQueryBase();
    if (!QFile::exists(fileName))
        return false;
    const auto wait = support::showScopedWaitForm(QStringLiteral("Загрузка..."),
                                                  QStringLiteral("Подождите"), support::woAnimation);
    try {
        ClnQuorvel.loadFromFile(fileName);
        return true;
    } catch (const TQueryBase::DataError& damaged) {
        support::Inform(QStringLiteral("Ошибка при загрузке данных\r") + damaged.message() +
                            QStringLiteral("\rВзможно файл поврежден или нарушена его структура"
                                           "\rФайл с данными будет удален !"),
                        QStringLiteral("Ошибка"));
        support::DeleteFileWait(fileName, QStringLiteral("Подождите ..."), true, true);
        m_damagedBaseKept = QFile::exists(fileName);
    } catch (...) {
        // The commands keep working on an empty base; the failure is reported.
        ResetQueryBase();
        throw;
    }
    ResetQueryBase();
    return false;
}

TQueryEntry TfMain::entryFromWindow() const {
    TQueryEntry e;
    e.From = ListFiles->text();
    e.IsAuto = chbAuto->isChecked();
    e.Name = fSelectZapros->NameText();
    e.OrderBy = ListOrder->text();
    e.Path = Path->text();
    e.Select = ListFields->text();
    e.Text = joinedText(sqlLines());
    e.Where = ListWhere->text();
    return e;
}

QString TfMain::setAsideNote() const {
    return QStringLiteral("поврежденный файл базы сохранен как ") + QueryBasePath +
           QStringLiteral(".bad");
}

void TfMain::actSaveSqlToDbExecute() {
    if (fSelectZapros->ShowFor(QStringLiteral("Сохранить запрос в базе")) != ui::TDialogPanel::mrOk)
        return;
    const QString name = fSelectZapros->NameText();
    const int existing = ClnQuorvel.findName(name);
    if (existing >= 0 &&
        !support::Confirm(QStringLiteral("Запрос с именем\r") + name +
                              QStringLiteral("\rуже есть в базе запросов!\rПереписать?"),
                          QStringLiteral("Предупреждение!")))
        return;
    ClnQuorvel.store(entryFromWindow(), existing);
    const bool setAside = SaveQueryBase(QueryBasePath);
    QString status = QStringLiteral("Сохранен в базе под именем ") + name;
    if (setAside)
        status += QStringLiteral("; ") + setAsideNote();
    setStatusMessage(status);
}

void TfMain::actLoadSqlOnDbExecute() {
    if (fSelectZapros->ShowFor(QStringLiteral("Загрузить запрос из базы")) != ui::TDialogPanel::mrOk)
        return;
    if (!support::Confirm(QStringLiteral("Загрузить запрос из базы ?"), QString()))
        return;
    const TQueryEntry e = ClnQuorvel.currentEntry();
    // The order matters: switching the flag on asks and may rebuild, and each
    // wizard line that changes rebuilds while it is on; the stored text wins.
    chbAuto->setChecked(e.IsAuto);
    ListFiles->setText(e.From);
    fSelectZapros->setNameText(e.Name);
    ListOrder->setText(e.OrderBy);
    Path->setText(e.Path);
    ListFields->setText(e.Select);
    setSqlLines(support::splitTextLines(e.Text));
    if (!chbAuto->isChecked())
        ListWhere->setText(e.Where);
    setStatusMessage(QStringLiteral("Загружен из базы под именем ") + fSelectZapros->NameText());
}

void TfMain::actDelSqlOnDBExecute() {
    if (fListDeleteSql->ShowForBase() == ui::TDialogPanel::mrCancel)
        return;
    if (ClnQuorvel.count() == 0)
        return;
    if (!support::Confirm(QStringLiteral("Удалить запрос из базы\r< ") +
                              ClnQuorvel.currentEntry().Name + QStringLiteral(" >"),
                          QStringLiteral("Удаление")))
        return;
    ClnQuorvel.remove(ClnQuorvel.current());
    if (SaveQueryBase(QueryBasePath))
        setStatusMessage(setAsideNote());
}

} // namespace dbfquery::app
