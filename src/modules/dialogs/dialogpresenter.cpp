#include "dialogpresenter.h"

#include "systemdialogpresenter.h"

#include <mutex>

namespace {

std::mutex g_presenterLock;
std::shared_ptr<DialogPresenter> g_presenter;

} // namespace

std::shared_ptr<DialogPresenter> CurrentDialogPresenter()
{
    std::lock_guard<std::mutex> hold(g_presenterLock);
    if (!g_presenter)
        g_presenter = std::make_shared<SystemDialogPresenter>();
    return g_presenter;
}

void SetDialogPresenter(std::shared_ptr<DialogPresenter> presenter)
{
    std::lock_guard<std::mutex> hold(g_presenterLock);
    g_presenter = std::move(presenter);
}
