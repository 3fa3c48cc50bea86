// The main window's controls, command table, menus, tool bar and layout.
#include "app/TfMain.h"

#include "app/ResultSetModel.h"
#include "app/TfListDeleteSql.h"
#include "app/TfSelectZapros.h"
#include "app/TfTitle.h"
#include "editor/SqlHighlighter1Settings.h"
#include "editor/TSqlEdit.h"
#include "editor/TSqlHighlighter.h"
#include "support/DesignFont.h"
#include "ui/TDataGrid.h"
#include "ui/TFolderEdit.h"
#include "ui/UpperCaseEdit.h"

#include <QAction>
#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenuBar>
#include <QSplitter>
#include <QStatusBar>
#include <QToolBar>
#include <QVBoxLayout>

// The tool images live in a static library: their resource is registered by
// hand, since nothing else would keep it linked.
static void registerToolImages() { Q_INIT_RESOURCE(images); }

namespace dbfquery::app {

namespace {

const QStringList initialSqlLines{QStringLiteral("Select"), QString(), QStringLiteral("From"),
                                  QString(), QStringLiteral("Where"), QString(),
                                  QStringLiteral("Order By")};

struct Command {
    const char* name;
    const char* caption;
    const char* hint; // empty: none
    int image;        // index into the eight tool images
};

// The window's command table.
const Command commands[] = {
    {"actRunSql", "Выполнить запрос", "Выполнить запрос", 3},
    {"actPrintSql", "Печать запроса", "Печать запроса", 2},
    {"actSaveSqlToFile", "Сохранить запрос в файл", "Сохранить запрос в файл", 1},
    {"actLoadSqlOnFile", "Загрузить запрос из файла", "Загрузить запрос из файла", 0},
    {"actSaveSqlToDb", "Сохранить запрос в базе", "Сохранить запрос в базе", 6},
    {"actLoadSqlOnDb", "Загрузить запрос из базы", "Загрузить запрос из базы", 5},
    {"actExit", "actExit", "", 4},
    {"actCreateTitle", "actCreateTitle", "", 2},
    {"actDelSqlOnDB", "Удалить запрос из базы", "Удалить запрос из базы", 7},
};

QIcon toolImage(int index) { return QIcon(QStringLiteral(":/images/%1").arg(index)); }

void addGap(QToolBar* bar, int width) {
    auto* gap = new QWidget(bar);
    gap->setFixedWidth(width);
    bar->addWidget(gap);
}

QLabel* wizardLabel(const char* text) {
    auto* label = new QLabel(QString::fromUtf8(text));
    label->setMinimumWidth(195);
    return label;
}

} // namespace

void TfMain::createActions() {
    registerToolImages();
    QAction* TfMain::*const members[] = {&TfMain::actRunSql,      &TfMain::actPrintSql,
                                         &TfMain::actSaveSqlToFile, &TfMain::actLoadSqlOnFile,
                                         &TfMain::actSaveSqlToDb, &TfMain::actLoadSqlOnDb,
                                         &TfMain::actExit,        &TfMain::actCreateTitle,
                                         &TfMain::actDelSqlOnDB};
    for (size_t i = 0; i < std::size(commands); ++i) {
        const Command& c = commands[i];
        auto* action = new QAction(toolImage(c.image), QString::fromUtf8(c.caption), this);
        action->setObjectName(QLatin1String(c.name));
        action->setToolTip(QString::fromUtf8(c.hint));
        action->setStatusTip(QString::fromUtf8(c.hint));
        addAction(action);
        this->*members[i] = action;
    }
    // F9 runs the query from anywhere in the window.
    actRunSql->setShortcut(QKeySequence(Qt::Key_F9));
    actRunSql->setShortcutContext(Qt::WindowShortcut);
    // Printing arrives with the table report.
    actPrintSql->setEnabled(false);
}

void TfMain::createControls() {
    Path = new ui::TFolderEdit(this);
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
    chbAuto->setFixedSize(204, 22);
    chbAuto->setFont(support::designFont(11, true));
    chbAuto->setStyleSheet(QStringLiteral("color: red"));
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

void TfMain::createDialogs() {
    fSelectZapros = new TfSelectZapros(ClnQuorvel, this);
    fListDeleteSql = new TfListDeleteSql(ClnQuorvel, this);
    fTitle = new TfTitle(actPrintSql, this);
}

QWidget* TfMain::createWizardPanel() {
    auto* GroupBox1 = new QGroupBox(QStringLiteral("Мастер построения запроса"));
    GroupBox1->setFixedHeight(164);
    auto* rows = new QGridLayout(GroupBox1);
    rows->setContentsMargins(7, 8, 7, 4);
    rows->setVerticalSpacing(7);
    rows->addWidget(wizardLabel("Какие поля отображать (через ,)"), 0, 0);
    rows->addWidget(ListFields, 0, 1);
    rows->addWidget(wizardLabel("Из каких файлов (через ,)"), 1, 0);
    rows->addWidget(ListFiles, 1, 1);
    rows->addWidget(wizardLabel("Условия отбора записей"), 2, 0);
    rows->addWidget(ListWhere, 2, 1);
    rows->addWidget(wizardLabel("Условия сортировки полей (через ,)"), 3, 0);
    rows->addWidget(ListOrder, 3, 1);

    auto* Panel4 = new QWidget;
    Panel4->setFixedHeight(23);
    auto* folderRow = new QHBoxLayout(Panel4);
    folderRow->setContentsMargins(0, 0, 0, 0);
    auto* Label5 = new QLabel(QStringLiteral("  Путь к БД (исполнения SQL)"));
    Label5->setFixedWidth(200);
    Label5->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    folderRow->addWidget(Label5);
    folderRow->addWidget(Path, 1);
    rows->addWidget(Panel4, 4, 0, 1, 2);
    return GroupBox1;
}

QWidget* TfMain::createWorkArea() {
    auto* Panel3 = new QWidget;
    auto* editorColumn = new QVBoxLayout(Panel3);
    editorColumn->setContentsMargins(0, 0, 0, 0);
    editorColumn->setSpacing(0);
    auto* Label4 = new QLabel(QStringLiteral("Текст запроса"));
    Label4->setAlignment(Qt::AlignCenter);
    editorColumn->addWidget(Label4);
    editorColumn->addWidget(SqlText, 1);

    auto* Splitter1 = new QSplitter(Qt::Horizontal);
    Splitter1->setObjectName(QStringLiteral("Splitter1"));
    Splitter1->setHandleWidth(5);
    Splitter1->setStyleSheet(QStringLiteral("QSplitter::handle { background: aqua; }"));
    Splitter1->setChildrenCollapsible(false);
    Splitter1->addWidget(Panel3);
    Splitter1->addWidget(Grid);
    Splitter1->setStretchFactor(1, 1);
    Splitter1->setSizes({453, 600});
    return Splitter1;
}

void TfMain::createMenus() {
    QMenu* fileMenu = menuBar()->addMenu(QStringLiteral("Файл"));
    fileMenu->addActions({actLoadSqlOnFile, actSaveSqlToFile});
    fileMenu->addSeparator();
    fileMenu->addActions({actLoadSqlOnDb, actSaveSqlToDb, actDelSqlOnDB});
    fileMenu->addSeparator();
    fileMenu->addAction(actExit);
    QMenu* queryMenu = menuBar()->addMenu(QStringLiteral("Запрос"));
    queryMenu->addActions({actRunSql, actPrintSql});
}

void TfMain::createToolBar() {
    QToolBar* ToolBar1 = addToolBar(QStringLiteral("ToolBar1"));
    ToolBar1->setObjectName(QStringLiteral("ToolBar1"));
    ToolBar1->setMovable(false);
    ToolBar1->setFloatable(false);
    ToolBar1->setIconSize(QSize(16, 16));
    ToolBar1->setFixedHeight(29);
    ToolBar1->setToolButtonStyle(Qt::ToolButtonIconOnly);
    ToolBar1->setContextMenuPolicy(Qt::PreventContextMenu);
    addGap(ToolBar1, 23);
    ToolBar1->addAction(actRunSql);
    addGap(ToolBar1, 8);
    ToolBar1->addAction(actCreateTitle);
    addGap(ToolBar1, 46);
    ToolBar1->addAction(actSaveSqlToFile);
    addGap(ToolBar1, 8);
    ToolBar1->addAction(actLoadSqlOnFile);
    addGap(ToolBar1, 52);
    ToolBar1->addAction(actSaveSqlToDb);
    addGap(ToolBar1, 8);
    ToolBar1->addAction(actLoadSqlOnDb);
    addGap(ToolBar1, 8);
    ToolBar1->addAction(actDelSqlOnDB);
    addGap(ToolBar1, 70);
    ToolBar1->addWidget(chbAuto);
}

void TfMain::arrangeControls() {
    createMenus();
    createToolBar();
    auto* central = new QWidget;
    auto* column = new QVBoxLayout(central);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);
    column->addWidget(createWizardPanel());
    column->addWidget(createWorkArea(), 1);
    setCentralWidget(central);
    resize(588, 433);
}

} // namespace dbfquery::app
