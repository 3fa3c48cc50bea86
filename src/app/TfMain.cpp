#include "app/TfMain.h"

#include "app/QueryBaseLocation.h"
#include "app/TTextInfo.h"
#include "app/TfTitle.h"
#include "editor/TSqlEdit.h"
#include "support/DesignFont.h"
#include "support/ErrorBox.h"
#include "support/MessageDialogs.h"
#include "ui/TDataGrid.h"
#include "ui/UpperCaseEdit.h"

#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>

namespace dbfquery::app {

namespace {

QString trimmedBelow33(const QString& text) {
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && text[begin].unicode() < 33)
        ++begin;
    while (end > begin && text[end - 1].unicode() < 33)
        --end;
    return text.mid(begin, end - begin);
}

// One line per comma-separated item, indented by two blanks, each but the
// last followed by a comma.
void appendItemLines(QStringList& lines, const QString& list) {
    const QString comma = QStringLiteral(",");
    const int count = ItemCount(list, comma);
    for (int k = 1; k <= count; ++k)
        lines << QStringLiteral("  ") + trimmedBelow33(ItemAt(list, comma, k)) + comma;
    if (count > 0)
        lines.back().chop(1);
}

void appendListBlock(QStringList& lines, const QString& keyword, const QString& list) {
    if (trimmedBelow33(list).isEmpty())
        return;
    lines << keyword;
    appendItemLines(lines, list);
}

} // namespace

TfMain::TfMain(QWidget* parent) : QMainWindow(parent) {
    setWindowTitle(QStringLiteral("Простой построитель SQL - запросов из DBF файлов"));
    setFont(support::designFont(11));
    createActions();
    createControls();
    createDialogs();
    arrangeControls();
    connectHandlers();
    FormCreate();
}

void TfMain::connectHandlers() {
    for (QLineEdit* line : {static_cast<QLineEdit*>(ListFields), static_cast<QLineEdit*>(ListFiles),
                            static_cast<QLineEdit*>(ListWhere), static_cast<QLineEdit*>(ListOrder)})
        connect(line, &QLineEdit::textChanged, this,
                [this, line] { support::runCommand([&] { ListFieldsChange(line); }); });
    connect(SqlText, &editor::TSqlEdit::characterTyped, this,
            [this](QChar key) { support::runCommand([&] { SqlTextKeyPress(key); }); });
    connect(chbAuto, &QCheckBox::toggled, this,
            [this] { support::runCommand([&] { chbAutoClick(); }); });
    connectCommand(actExit, &TfMain::actExitExecute);
    connectCommand(actCreateTitle, &TfMain::actCreateTitleExecute);
    connectCommand(actRunSql, &TfMain::actRunSqlExecute);
    connect(Grid, &ui::TDataGrid::titleClick, this,
            [this](int column) { support::runCommand([&] { GridTitleClick(column); }); });
    connectCommand(actSaveSqlToFile, &TfMain::actSaveSqlToFileExecute);
    connectCommand(actLoadSqlOnFile, &TfMain::actLoadSqlOnFileExecute);
    connectCommand(actSaveSqlToDb, &TfMain::actSaveSqlToDbExecute);
    connectCommand(actLoadSqlOnDb, &TfMain::actLoadSqlOnDbExecute);
    connectCommand(actDelSqlOnDB, &TfMain::actDelSqlOnDBExecute);
}

void TfMain::connectCommand(QAction* action, void (TfMain::*handler)()) {
    connect(action, &QAction::triggered, this,
            [this, handler] { support::runCommand([&] { (this->*handler)(); }); });
}

void TfMain::FormCreate() {
    Path->setText(QDir::currentPath());
    QueryBasePath = QueryBasePathFor(Path->text());
    // A base that cannot be created or read is reported; the window still opens.
    support::runCommand([&] { OpenQueryBase(QueryBasePath); });
}

void TfMain::BuildSqlText(QLineEdit* sender, bool autoOn) {
    if (!autoOn)
        return;
    QStringList lines{QStringLiteral("Select")};
    if (!trimmedBelow33(ListFields->text()).isEmpty())
        appendItemLines(lines, ListFields->text());
    appendListBlock(lines, QStringLiteral("From"), ListFiles->text());
    const QString where = trimmedBelow33(ListWhere->text());
    if (!where.isEmpty())
        lines << QStringLiteral("Where") << QStringLiteral("  ") + where;
    appendListBlock(lines, QStringLiteral("Order By"), ListOrder->text());
    setSqlLines(lines);

    const int caret = sender->hasSelectedText() ? sender->selectionStart() : sender->cursorPosition();
    sender->setFocus();
    sender->deselect();
    sender->setCursorPosition(caret);
}

void TfMain::ListFieldsChange(QLineEdit* sender) { BuildSqlText(sender, chbAuto->isChecked()); }

void TfMain::chbAutoClick() {
    if (!chbAuto->isChecked())
        return;
    const QString warning = QStringLiteral("Внимание!\rпри включение автопостроения запрос\r"
                                           "написанный вручную будет уничтожен.\r\r"
                                           "Включить автопостроение зпроса?");
    if (support::Confirm(warning, QStringLiteral("Предупреждение")))
        BuildSqlText(ListFields, chbAuto->isChecked());
    else
        chbAuto->setChecked(false);
}

void TfMain::SqlTextKeyPress(QChar) { chbAuto->setChecked(false); }

void TfMain::actExitExecute() { QApplication::quit(); }

void TfMain::actCreateTitleExecute() {
    if (openResult())
        fTitle->ShowModal();
    else
        support::Inform(QStringLiteral("Печатать то нечего !"), QStringLiteral("Сообщение."));
}

void TfMain::actSaveSqlToFileExecute() {
    if (const auto status = SqlTextFile::saveSqlToFile(sqlLines(), m_lineBreak))
        setStatusMessage(*status);
}

void TfMain::actLoadSqlOnFileExecute() {
    const auto loaded = SqlTextFile::loadSqlFromFile([this] { setSqlLines({}); });
    if (!loaded)
        return;
    setSqlLines(loaded->text.lines);
    m_lineBreak = loaded->text.lineBreak;
    chbAuto->setChecked(false);
    setStatusMessage(loaded->status);
}

QStringList TfMain::sqlLines() const { return SqlText->lines(); }

void TfMain::setSqlLines(const QStringList& lines) { SqlText->setLines(lines); }

QString TfMain::statusMessage() const { return m_statusMessage->text(); }

void TfMain::setStatusMessage(const QString& message) { m_statusMessage->setText(message); }

} // namespace dbfquery::app
