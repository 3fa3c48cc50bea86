#include "app/SqlTextFile.h"

#include "support/CodePage.h"
#include "support/MessageDialogs.h"
#include "support/UserError.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace dbfquery::app::SqlTextFile {

namespace {

using support::UserError;

const char utf8Bom[] = "\xEF\xBB\xBF";

} // namespace

QString withTxtExtension(const QString& fileName) {
    const QString name = QFileInfo(fileName).fileName();
    const qsizetype dot = name.lastIndexOf(QLatin1Char('.'));
    if (dot >= 0 && name.mid(dot).toUpper() == QLatin1String(".TXT"))
        return fileName;
    return fileName + QLatin1String(".txt");
}

SqlText decode(const QByteArray& raw) {
    std::string_view bytes(raw.constData(), static_cast<std::size_t>(raw.size()));
    QString text;
    if (bytes.starts_with(utf8Bom)) {
        bytes.remove_prefix(3);
        text = QString::fromUtf8(bytes.data(), static_cast<qsizetype>(bytes.size()));
    } else if (!support::isAscii(bytes) && support::isValidUtf8(bytes)) {
        text = QString::fromUtf8(bytes.data(), static_cast<qsizetype>(bytes.size()));
    } else {
        text = support::CodePage::cp1251().decode(bytes);
    }

    SqlText result;
    int crlf = 0, cr = 0, lf = 0;
    QString line;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar ch = text[i];
        if (ch == QLatin1Char('\r')) {
            if (i + 1 < text.size() && text[i + 1] == QLatin1Char('\n')) {
                ++i;
                ++crlf;
            } else {
                ++cr;
            }
        } else if (ch == QLatin1Char('\n')) {
            ++lf;
        } else if (ch.unicode() != 0) {
            line += ch;
            continue;
        }
        result.lines << line;
        line.clear();
    }
    if (!line.isEmpty())
        result.lines << line;
    if (lf > 0 && cr == 0 && crlf == 0)
        result.lineBreak = LineBreak::Lf;
    else if (cr > 0 && lf == 0 && crlf == 0)
        result.lineBreak = LineBreak::Cr;
    return result;
}

QByteArray encode(const QStringList& lines, LineBreak lineBreak) {
    const QString breakText = lineBreak == LineBreak::Lf   ? QStringLiteral("\n")
                              : lineBreak == LineBreak::Cr ? QStringLiteral("\r")
                                                           : QStringLiteral("\r\n");
    QString text;
    for (const QString& line : lines)
        text += line + breakText;
    support::CodePageText single = support::CodePage::cp1251().encode(text);
    if (single.unmappable.isEmpty())
        return single.bytes;
    return QByteArray(utf8Bom) + text.toUtf8();
}

SqlText read(const QString& path) {
    QFile file(path);
    if (!file.exists())
        throw UserError(QStringLiteral("Файл не найден: %1").arg(path));
    if (!file.open(QIODevice::ReadOnly))
        throw UserError(QStringLiteral("Не удалось открыть файл %1: %2").arg(path, file.errorString()));
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        throw UserError(QStringLiteral("Не удалось прочитать файл %1: %2").arg(path, file.errorString()));
    return decode(bytes);
}

void write(const QString& path, const QStringList& lines, LineBreak lineBreak) {
    const QByteArray bytes = encode(lines, lineBreak);
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        throw UserError(QStringLiteral("Не удалось записать файл %1: %2").arg(path, file.errorString()));
    if (file.write(bytes) != bytes.size() || !file.commit())
        throw UserError(QStringLiteral("Не удалось записать файл %1: %2").arg(path, file.errorString()));
}

support::FileDialog saveDialog() {
    support::FileDialog d;
    d.title = QStringLiteral("Сохранение запроса");
    d.filter = QStringLiteral("Текстовые файлы|*.txt");
    return d;
}

support::FileDialog openDialog() {
    support::FileDialog d;
    d.title = QStringLiteral("Загрузить запрос");
    d.filter = QStringLiteral("Текстовые файлы(*.txt)|*.txt");
    return d;
}

std::optional<QString> saveSqlToFile(const QStringList& lines, LineBreak lineBreak) {
    const std::optional<QString> chosen = support::dialogs().saveFileName(saveDialog());
    if (!chosen)
        return std::nullopt;
    const QString fileName = withTxtExtension(*chosen);
    if (QFileInfo::exists(fileName)
        && !support::Confirm(QStringLiteral("Файл уже существует\r%1\rПереписать").arg(fileName),
                             QString()))
        return std::nullopt;
    write(fileName, lines, lineBreak);
    return QStringLiteral("Сохранен в файле ") + fileName;
}

std::optional<Loaded> loadSqlFromFile(const std::function<void()>& clearEditor) {
    const std::optional<QString> chosen = support::dialogs().openFileName(openDialog());
    if (!chosen)
        return std::nullopt;
    clearEditor();
    Loaded loaded{read(*chosen), QStringLiteral("Загружено из файла ") + *chosen};
    return loaded;
}

} // namespace dbfquery::app::SqlTextFile
