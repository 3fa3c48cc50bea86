#pragma once

#include <QString>
#include <functional>

namespace dbfquery::support {

class TWaitProcess;

// The one TWaitProcess of a running deletion; null when none runs.
TWaitProcess* GlobalWaitProcess();

// Creates GlobalWaitProcess when there is none: window at the first sleep,
// no time-out, a 500 ms sleep at every Step. An existing one is kept as it
// is (its message, caption and Cancel setting stay).
void StartGlobalWait(const QString& Message, const QString& Caption, bool WithCancel);

// Destroys GlobalWaitProcess, closing its window, when there is one.
void StopGlobalWait();

// Deletes a file, first asking "Удалить Файл<CR><name>?" ("Удаление файла",
// default No) when Ask. A file that cannot be deleted is tried again every
// 500 ms; after the first pause the wait window shows WaitMessage (empty:
// "Файл <name><CR> временно недоступен для удаления") under "Удаляем файл",
// with Cancel when WithCancel. There is no time-out: without Cancel it waits
// until the file can be deleted or is gone. True when there was no file or
// this call deleted it; false when the user declined or cancelled, or
// someone else removed the file meanwhile. GUI thread only; a nested call
// (from an event handled while it waits) shares the running wait.
bool DeleteFileWait(const QString& FileToDelete, const QString& WaitMessage, bool Ask, bool WithCancel);

// The delete call: removes the file by name or throws. Tests install their
// own with ScopedFileRemover.
using FileRemover = std::function<void(const QString& path)>;

class ScopedFileRemover {
public:
    explicit ScopedFileRemover(FileRemover remover);
    ~ScopedFileRemover();
    ScopedFileRemover(const ScopedFileRemover&) = delete;
    ScopedFileRemover& operator=(const ScopedFileRemover&) = delete;

private:
    FileRemover m_previous;
};

// The real delete call (unlink); throws std::system_error on failure.
void removeFileOrThrow(const QString& path);

} // namespace dbfquery::support
