#include "support/DialogService.h"

#include <stdexcept>

namespace dbfquery::support {

namespace {
DialogService* installedService = nullptr;
}

DialogService& dialogs() {
    if (!installedService)
        throw std::logic_error("no dialog service is installed");
    return *installedService;
}

ScopedDialogService::ScopedDialogService(DialogService& service)
    : m_previous(installedService) {
    installedService = &service;
}

ScopedDialogService::~ScopedDialogService() { installedService = m_previous; }

} // namespace dbfquery::support
