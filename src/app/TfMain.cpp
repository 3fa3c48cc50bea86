#include "app/TfMain.h"

#include "app/QueryBaseLocation.h"
#include "app/ResultSetModel.h"
#include "app/TTextInfo.h"
#include "app/TfListDeleteSql.h"
#include "app/TfSelectZapros.h"
#include "editor/SqlHighlighter1Settings.h"
#include "editor/TSqlEdit.h"
#include "editor/TSqlHighlighter.h"
#include "support/ErrorBox.h"
#include "support/MessageDialogs.h"
#include "ui/TDataGrid.h"
#include "ui/UpperCaseEdit.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QFormLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QSplitter>
#include <QStatusBar>
#include <QToolBar>
#include <QVBoxLayout>

namespace dbfquery::app {

namespace {

const QStringList initialSqlLines{QStringLiteral("Select"), QString(), QStringLiteral("From"),
                                  QString(), QStringLiteral("Where"), QString(),
                                  QStringLiteral("Order By")};

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
    createControls();
    createActions();
    arrangeControls();
    connectHandlers();
    FormCreate();
}

void TfMain::createControls() {
    Path = new QLineEdit(this);
    Path->setObjectName(QStringLiteral("Path"));
    auto wizardLine = [this](const char* name) {
        auto* edit = new ui::UpperCaseEdit(this);
        edit->setObjectName(QLatin1String(name));
        return edit;
    };
    ListFields = wizardLine("ListFields");
    ListFiles = wizardLine("ListFiles");
    ListWhere = wizardLine("ListWhere");
    ListOrder = wizardLine("ListOrder");

    SqlText = new editor::TSqlEdit(this);
    SqlText->setObjectName(QStringLiteral("SqlText"));
    SqlHighlighter1 = new editor::TSqlHighlighter(SqlText);
    editor::ApplySqlHighlighter1Settings(*SqlHighlighter1);
    SqlText->setHighlighter(SqlHighlighter1);
    setSqlLines(initialSqlLines);

    m_resultModel = new ResultSetModel(this);
    Grid = new ui::TDataGrid(this);
    Grid->setObjectName(QStringLiteral("Grid"));
    Grid->setModel(m_resultModel);

    chbAuto = new QCheckBox(QStringLiteral("Автопостроение запроса"), this);
    chbAuto->setObjectName(QStringLiteral("chbAuto"));
    chbAuto->setChecked(true);

    SB = statusBar();
    SB->setObjectName(QStringLiteral("SB"));
    m_statusInfo = new QLabel(QStringLiteral("Инфо:"), SB);
    m_statusInfo->setAlignment(Qt::AlignCenter);
    m_statusInfo->setFrameStyle(QFrame::Panel | QFrame::Raised);
    m_statusInfo->setFixedWidth(50);
    m_statusMessage = new QLabel(SB);
    SB->addWidget(m_statusInfo);
    SB->addWidget(m_statusMessage, 1);
}

QAction* TfMain::addCommand(const char* name, const QString& caption, const QString& hint) {
    auto* action = new QAction(caption, this);
    action->setObjectName(QLatin1String(name));
    action->setToolTip(hint);
    action->setStatusTip(hint);
    addAction(action);
    return action;
}

void TfMain::createActions() {
    actRunSql = addCommand("actRunSql", QStringLiteral("Выполнить запрос"),
                           QStringLiteral("Выполнить запрос"));
    actRunSql->setShortcut(QKeySequence(Qt::Key_F9));
    actRunSql->setShortcutContext(Qt::WindowShortcut);
    actSaveSqlToFile = addCommand("actSaveSqlToFile", QStringLiteral("Сохранить запрос в файл"),
                                  QStringLiteral("Сохранить запрос в файл"));
    actLoadSqlOnFile = addCommand("actLoadSqlOnFile", QStringLiteral("Загрузить запрос из файла"),
                                  QStringLiteral("Загрузить запрос из файла"));
    actSaveSqlToDb = addCommand("actSaveSqlToDb", QStringLiteral("Сохранить запрос в базе"),
                                QStringLiteral("Сохранить запрос в базе"));
    actLoadSqlOnDb = addCommand("actLoadSqlOnDb", QStringLiteral("Загрузить запрос из базы"),
                                QStringLiteral("Загрузить запрос из базы"));
    actDelSqlOnDB = addCommand("actDelSqlOnDB", QStringLiteral("Удалить запрос из базы"),
                               QStringLiteral("Удалить запрос из базы"));
    actExit = addCommand("actExit", QStringLiteral("actExit"), QString());

    QMenu* fileMenu = menuBar()->addMenu(QStringLiteral("Файл"));
    fileMenu->addAction(actLoadSqlOnFile);
    fileMenu->addAction(actSaveSqlToFile);
    fileMenu->addSeparator();
    fileMenu->addAction(actLoadSqlOnDb);
    fileMenu->addAction(actSaveSqlToDb);
    fileMenu->addAction(actDelSqlOnDB);
    fileMenu->addSeparator();
    fileMenu->addAction(actExit);
    QMenu* queryMenu = menuBar()->addMenu(QStringLiteral("Запрос"));
    queryMenu->addAction(actRunSql);

    fSelectZapros = new TfSelectZapros(ClnQuorvel, this);
    fListDeleteSql = new TfListDeleteSql(ClnQuorvel, this);
}

void TfMain::arrangeControls() {
    QToolBar* toolBar = addToolBar(QStringLiteral("ToolBar1"));
    toolBar->setMovable(false);
    toolBar->addWidget(chbAuto);

    auto* wizard = new QGroupBox(QStringLiteral("Мастер построения запроса"));
    auto* lines = new QFormLayout(wizard);
    lines->addRow(QStringLiteral("Какие поля отображать (через ,)"), ListFields);
    lines->addRow(QStringLiteral("Из каких файлов (через ,)"), ListFiles);
    lines->addRow(QStringLiteral("Условия отбора записей"), ListWhere);
    lines->addRow(QStringLiteral("Условия сортировки полей (через ,)"), ListOrder);
    lines->addRow(QStringLiteral("  Путь к БД (исполнения SQL)"), Path);

    auto* editorPanel = new QWidget;
    auto* editorColumn = new QVBoxLayout(editorPanel);
    editorColumn->setContentsMargins(0, 0, 0, 0);
    auto* sqlCaption = new QLabel(QStringLiteral("Текст запроса"));
    sqlCaption->setAlignment(Qt::AlignCenter);
    editorColumn->addWidget(sqlCaption);
    editorColumn->addWidget(SqlText, 1);

    auto* workArea = new QSplitter(Qt::Horizontal);
    workArea->addWidget(editorPanel);
    workArea->addWidget(Grid);
    workArea->setStretchFactor(1, 1);
    workArea->setSizes({453, 600});

    auto* central = new QWidget;
    auto* column = new QVBoxLayout(central);
    column->addWidget(wizard);
    column->addWidget(workArea, 1);
    setCentralWidget(central);
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
