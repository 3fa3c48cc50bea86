#pragma once

#include "app/SqlTextFile.h"
#include "app/TQueryBase.h"
#include "data/TADOfoxproCon.h"
#include "data/TDynamicADOQuery.h"

#include <QMainWindow>
#include <QStringList>

class QAction;
class QCheckBox;
class QLabel;
class QLineEdit;
class QStatusBar;

namespace dbfquery::editor {
class TSqlEdit;
class TSqlHighlighter;
} // namespace dbfquery::editor

namespace dbfquery::ui {
class TDataGrid;
class UpperCaseEdit;
} // namespace dbfquery::ui

namespace dbfquery::app {

class ResultSetModel;
class TfListDeleteSql;
class TfSelectZapros;
class TfTitle;

// The program's main window. Its controls hold the whole workbench state:
// the data folder, the four wizard lines, the SQL text, the auto-build flag
// and the status message. Controls carry their design names as object names.
// GUI thread only.
class TfMain : public QMainWindow {
    Q_OBJECT
public:
    explicit TfMain(QWidget* parent = nullptr);

    // Takes the folder from the working directory and fixes where the query
    // base lives for the whole run.
    void FormCreate();

    // Writes the SQL text anew from the wizard lines when autoOn; `sender` is
    // the edit whose change caused it and gets the focus back.
    void BuildSqlText(QLineEdit* sender, bool autoOn);
    void ListFieldsChange(QLineEdit* sender);
    void chbAutoClick();
    // A character typed into the editor (not one of its command keys).
    void SqlTextKeyPress(QChar key);
    void actExitExecute();

    // The named-query base (kept in QueryBasePath, rewritten after every change).
    void OpenQueryBase(const QString& fileName);
    void ResetQueryBase();
    // True when a damaged base the user chose to keep was first set aside
    // under the name + ".bad".
    bool SaveQueryBase(const QString& fileName);
    bool LoadQueryBase(const QString& fileName);
    void actSaveSqlToDbExecute();
    void actLoadSqlOnDbExecute();
    void actDelSqlOnDBExecute();

    const TQueryBase& queryBase() const { return ClnQuorvel; }

    // Runs the SQL text over the folder in Path and shows the rows. The
    // open runs on a worker thread under the wait window.
    void actRunSqlExecute();
    // A click on a column title: a numeric column gets its sum in the footer.
    void GridTitleClick(int column);
    // The open result, or null when there is none.
    std::shared_ptr<const data::ResultSet> openResult() const;

    // The tool bar's print button: the title dialog when a result is open.
    void actCreateTitleExecute();

    // Query text files.
    void actSaveSqlToFileExecute();
    void actLoadSqlOnFileExecute();

    const QString& queryBasePath() const { return QueryBasePath; }

    QStringList sqlLines() const;
    void setSqlLines(const QStringList& lines);

    QString statusMessage() const;
    void setStatusMessage(const QString& message);

protected:
    // Refused while a query runs: the worker still uses the connection.
    void closeEvent(QCloseEvent* event) override;

private:
    void createActions();
    void createControls();
    void createDialogs();
    QWidget* createWizardPanel();
    QWidget* createWorkArea();
    void createMenus();
    void createToolBar();
    void arrangeControls();
    void connectHandlers();
    void connectCommand(QAction* action, void (TfMain::*handler)());
    TQueryEntry entryFromWindow() const;
    QString setAsideNote() const;

    QLineEdit* Path = nullptr;
    ui::UpperCaseEdit* ListFields = nullptr;
    ui::UpperCaseEdit* ListFiles = nullptr;
    ui::UpperCaseEdit* ListWhere = nullptr;
    ui::UpperCaseEdit* ListOrder = nullptr;
    editor::TSqlEdit* SqlText = nullptr;
    // A child of SqlText, so it outlives the editor's own destructor.
    editor::TSqlHighlighter* SqlHighlighter1 = nullptr;
    QCheckBox* chbAuto = nullptr;
    QStatusBar* SB = nullptr;
    QLabel* m_statusInfo = nullptr;
    QLabel* m_statusMessage = nullptr;
    ui::TDataGrid* Grid = nullptr;
    ResultSetModel* m_resultModel = nullptr;
    QAction* actExit = nullptr;
    QAction* actRunSql = nullptr;
    QAction* actPrintSql = nullptr;
    QAction* actCreateTitle = nullptr;
    QAction* actSaveSqlToFile = nullptr;
    QAction* actLoadSqlOnFile = nullptr;
    QAction* actSaveSqlToDb = nullptr;
    QAction* actLoadSqlOnDb = nullptr;
    QAction* actDelSqlOnDB = nullptr;

    TfSelectZapros* fSelectZapros = nullptr;
    TfListDeleteSql* fListDeleteSql = nullptr;
    TfTitle* fTitle = nullptr;

    data::TADOfoxproCon Con;
    data::TDynamicADOQuery Sql{&Con};

    QString QueryBasePath;
    TQueryBase ClnQuorvel;
    // The user declined to delete a damaged base file: the next save sets it
    // aside instead of overwriting it.
    bool m_damagedBaseKept = false;
    bool m_running = false;
    // The line break of the file last loaded, kept for every later save.
    LineBreak m_lineBreak = LineBreak::CrLf;
};

} // namespace dbfquery::app
