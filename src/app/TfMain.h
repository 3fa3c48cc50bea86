#pragma once

#include <QMainWindow>
#include <QStringList>

class QAction;
class QCheckBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QStatusBar;

namespace dbfquery::ui {
class UpperCaseEdit;
}

namespace dbfquery::app {

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

    const QString& queryBasePath() const { return QueryBasePath; }

    QStringList sqlLines() const;
    void setSqlLines(const QStringList& lines);

    QString statusMessage() const;
    void setStatusMessage(const QString& message);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void createControls();
    void createActions();
    void arrangeControls();
    void connectHandlers();

    QLineEdit* Path = nullptr;
    ui::UpperCaseEdit* ListFields = nullptr;
    ui::UpperCaseEdit* ListFiles = nullptr;
    ui::UpperCaseEdit* ListWhere = nullptr;
    ui::UpperCaseEdit* ListOrder = nullptr;
    QPlainTextEdit* SqlText = nullptr;
    QCheckBox* chbAuto = nullptr;
    QStatusBar* SB = nullptr;
    QLabel* m_statusInfo = nullptr;
    QLabel* m_statusMessage = nullptr;
    QAction* actExit = nullptr;

    QString QueryBasePath;
};

} // namespace dbfquery::app
