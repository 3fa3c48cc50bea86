#include "support/DeleteFileWait.h"

#include "support/MessageDialogs.h"
#include "support/TWaitProcess.h"

#include <QCoreApplication>
#include <QFile>
#include <cerrno>
#include <memory>
#include <sys/stat.h>
#include <system_error>
#include <unistd.h>

namespace dbfquery::support {

namespace {

std::unique_ptr<TWaitProcess> g_globalWaitProcess;
FileRemover g_remover = removeFileOrThrow;

// Something other than a folder stands under the name (a dangling link too).
bool fileExists(const QString& path) {
    struct stat info {};
    return ::lstat(QFile::encodeName(path).constData(), &info) == 0 && !S_ISDIR(info.st_mode);
}

} // namespace

void removeFileOrThrow(const QString& path) {
    if (::unlink(QFile::encodeName(path).constData()) != 0)
        throw std::system_error(errno, std::generic_category(), "unlink");
}

TWaitProcess* GlobalWaitProcess() { return g_globalWaitProcess.get(); }

void StartGlobalWait(const QString& Message, const QString& Caption, bool WithCancel) {
    if (!g_globalWaitProcess)
        g_globalWaitProcess = std::make_unique<TWaitProcess>(0, 0, 1, 500, WithCancel, Message, Caption);
}

void StopGlobalWait() { g_globalWaitProcess.reset(); }

bool DeleteFileWait(const QString& FileToDelete, const QString& WaitMessage, bool Ask, bool WithCancel) {
    const QString message = WaitMessage.isEmpty()
                                ? QStringLiteral("Файл ") + FileToDelete +
                                      QStringLiteral("\r временно недоступен для удаления")
                                : WaitMessage;
    if (!fileExists(FileToDelete))
        return true;
    if (Ask && !ConfirmDefaultNo(QStringLiteral("Удалить Файл\r") + FileToDelete + u'?',
                                 QStringLiteral("Удаление файла")))
        return false;

    // A nested call must neither end the outer call's wait nor change its
    // answer, so the state is per call and only the starter stops the wait.
    unsigned char goOn = 1;
    bool deleted = false;
    struct StopWhenOwner {
        bool owner;
        ~StopWhenOwner() {
            if (owner)
                StopGlobalWait();
        }
    } stop{GlobalWaitProcess() == nullptr};
    StartGlobalWait(message, QStringLiteral("Удаляем файл"), WithCancel);

    do {
        QCoreApplication::processEvents();
        try {
            g_remover(FileToDelete);
            deleted = true;
        } catch (...) {
            // An event handled above may have ended the shared wait.
            if (!GlobalWaitProcess()) {
                StartGlobalWait(message, QStringLiteral("Удаляем файл"), WithCancel);
                stop.owner = true;
            }
            goOn = GlobalWaitProcess()->Step();
        }
    } while (fileExists(FileToDelete) && goOn != 0);
    return deleted;
}

ScopedFileRemover::ScopedFileRemover(FileRemover remover) : m_previous(std::move(g_remover)) {
    g_remover = std::move(remover);
}

ScopedFileRemover::~ScopedFileRemover() { g_remover = std::move(m_previous); }

} // namespace dbfquery::support
