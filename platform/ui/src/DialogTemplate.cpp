#include "ui/DialogTemplate.h"

#include <map>
#include <utility>

namespace {

std::map<std::pair<HINSTANCE, UINT>, DialogTemplate>& Templates()
{
    static std::map<std::pair<HINSTANCE, UINT>, DialogTemplate> templates;
    return templates;
}

HINSTANCE g_resourceModule = nullptr;

} // namespace

void RegisterDialogTemplate(HINSTANCE module, UINT id, const DialogTemplate& dialog)
{
    Templates()[{module, id}] = dialog;
}

const DialogTemplate* FindDialogTemplate(HINSTANCE module, UINT id)
{
    auto it = Templates().find({module, id});
    return it == Templates().end() ? nullptr : &it->second;
}

HINSTANCE AfxGetResourceHandle() { return g_resourceModule; }

void AfxSetResourceHandle(HINSTANCE module) { g_resourceModule = module; }
