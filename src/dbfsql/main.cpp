// dbfsql: runs one SQL statement over a folder of DBF tables through the
// same provider as the window, and prints the rows.

#include "data/TADOfoxproCon.h"
#include "data/TDynamicADOQuery.h"
#include "dbfsql/ResultWriter.h"
#include "dbfsql/XlsOutput.h"
#include "support/TextLines.h"
#include "support/UserError.h"

#include <QDir>
#include <QString>
#include <QStringList>

#include <cstdio>
#include <functional>
#include <iostream>
#include <iterator>
#include <string>
#include <vector>

namespace {

using namespace dbfquery;

enum class Format { Csv, Table, Types };

struct Options {
    QString folder = QDir::currentPath();
    Format format = Format::Csv;
    bool raw = false;
    QString xlsFile; // empty: print the rows
    bool help = false;
    QString sql;
    bool sqlGiven = false;
};

const char usage[] =
    "Использование: dbfsql [--folder ПАПКА] [--csv|--table|--types] [--raw] [\"SQL\"]\n"
    "  Выполняет один SQL-запрос над DBF-таблицами папки (по умолчанию текущей)\n"
    "  и печатает результат в UTF-8. Без аргумента SQL читается со стандартного ввода.\n"
    "  --folder ПАПКА  папка с DBF-файлами\n"
    "  --csv           CSV со строкой заголовков (по умолчанию)\n"
    "  --table         выровненная таблица\n"
    "  --types         поля результата: имя, тип, ширина, знаки, числовой класс;\n"
    "                  затем таблицы запроса с их кодовыми страницами\n"
    "  --raw           не переводить латинские буквы запроса в верхний регистр\n"
    "  --xls ФАЙЛ      записать результат в книгу Excel 97 (.xls) вместо печати\n";

// Each option: its name, whether it takes a value, and what it sets. A new
// option (an output file, say) is one more row.
struct OptionSpec {
    const char* name;
    bool takesValue;
    std::function<void(Options&, const QString&)> apply;
};

const std::vector<OptionSpec>& optionSpecs() {
    static const std::vector<OptionSpec> specs = {
        {"--folder", true, [](Options& o, const QString& v) { o.folder = v; }},
        {"--csv", false, [](Options& o, const QString&) { o.format = Format::Csv; }},
        {"--table", false, [](Options& o, const QString&) { o.format = Format::Table; }},
        {"--types", false, [](Options& o, const QString&) { o.format = Format::Types; }},
        {"--raw", false, [](Options& o, const QString&) { o.raw = true; }},
        {"--xls", true, [](Options& o, const QString& v) { o.xlsFile = v; }},
        {"--help", false, [](Options& o, const QString&) { o.help = true; }},
    };
    return specs;
}

Options parse(int argc, char** argv) {
    Options options;
    for (int i = 1; i < argc; ++i) {
        const QString arg = QString::fromLocal8Bit(argv[i]);
        if (arg.startsWith(QLatin1String("--")) && !options.sqlGiven) {
            const OptionSpec* spec = nullptr;
            for (const OptionSpec& s : optionSpecs())
                if (arg == QLatin1String(s.name))
                    spec = &s;
            if (!spec)
                throw support::UserError(QStringLiteral("Неизвестный параметр: %1").arg(arg));
            QString value;
            if (spec->takesValue) {
                if (++i >= argc)
                    throw support::UserError(QStringLiteral("Параметру %1 нужно значение").arg(arg));
                value = QString::fromLocal8Bit(argv[i]);
            }
            spec->apply(options, value);
        } else if (!options.sqlGiven) {
            options.sql = arg;
            options.sqlGiven = true;
        } else {
            throw support::UserError(QStringLiteral("Лишний аргумент: %1 (запрос берите в кавычки)").arg(arg));
        }
    }
    return options;
}

QString readStandardInput() {
    const std::string text{std::istreambuf_iterator<char>(std::cin), std::istreambuf_iterator<char>()};
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

void printTables(const data::SqliteConnection& connection) {
    for (const auto& [name, table] : connection.openedTables()) {
        const data::DbfCodePage& cp = table->codePage();
        const QString line = QStringLiteral("# %1: %2, %3, кодовая страница %4 (%5), записей %6\n")
                                 .arg(name, table->path(), table->formatName(), cp.name,
                                      cp.guessed ? QStringLiteral("угадана") : QStringLiteral("по отметке"))
                                 .arg(table->recordCount());
        std::fputs(line.toUtf8().constData(), stdout);
    }
}

int run(int argc, char** argv) {
    const Options options = parse(argc, argv);
    if (options.help) {
        std::fputs(usage, stdout);
        return 0;
    }
    const QString sql = options.sqlGiven ? options.sql : readStandardInput();

    data::TADOfoxproCon con;
    con.setLoginPrompt(false);
    con.setMode(data::TConnectMode::ReadWrite);
    con.setDefaultDatabase(options.folder);
    std::shared_ptr<const data::ResultSet> rows;
    if (options.raw) {
        rows = con.connection().execute(sql, QStringLiteral("Sql"));
    } else {
        data::TDynamicADOQuery query(&con);
        query.setSqlShablon(support::splitTextLines(sql));
        query.Open();
        rows = query.Result();
    }
    for (const auto& [name, table] : con.connection().openedTables())
        for (const QString& warning : table->warnings())
            std::fprintf(stderr, "dbfsql: %s\n", warning.toUtf8().constData());

    if (!options.xlsFile.isEmpty()) {
        const auto tables = con.connection().openedTables();
        const QString sheet = tables.empty() ? QStringLiteral("Sql") : tables.front().first;
        const QString user = qEnvironmentVariable("USER", QStringLiteral("dbfsql"));
        dbfsql::writeXls(options.xlsFile, *rows, sheet, user);
        return 0;
    }
    switch (options.format) {
    case Format::Csv: dbfsql::writeCsv(stdout, *rows); break;
    case Format::Table: dbfsql::writeTable(stdout, *rows); break;
    case Format::Types:
        dbfsql::writeTypes(stdout, *rows);
        printTables(con.connection());
        break;
    }
    return std::fflush(stdout) == 0 ? 0 : 1;
}

} // namespace

int main(int argc, char** argv) {
    try {
        return run(argc, argv);
    } catch (const support::UserError& e) {
        std::fprintf(stderr, "%s\n", e.message().toUtf8().constData());
    } catch (const std::exception& e) {
        std::fprintf(stderr, "dbfsql: %s\n", e.what());
    }
    return 1;
}
