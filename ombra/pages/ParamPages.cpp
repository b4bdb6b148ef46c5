#include "ombra/pages/ParamPages.h"

#include "ombra/pages/TClone.h"
#include "ombra/pages/TMaster.h"
#include "ombra/pages/TService.h"

namespace norda::ombra {

void RegisterParamPages(TPageDispatcher& pages, RadioParameters& parameters) {
    RadioParameters* p = &parameters;
    pages.Register(kKindMaster,
                   [p](QWidget* client, const ResourceModule& module,
                       const PageInfo&) -> std::unique_ptr<TDataDlg> {
                       return std::make_unique<TMaster>(client, module, *p);
                   });
    pages.Register(kKindService,
                   [p](QWidget* client, const ResourceModule& module,
                       const PageInfo&) -> std::unique_ptr<TDataDlg> {
                       return std::make_unique<TService>(client, module, *p);
                   });
    pages.Register(kKindClone,
                   [p](QWidget* client, const ResourceModule& module,
                       const PageInfo&) -> std::unique_ptr<TDataDlg> {
                       return std::make_unique<TClone>(client, module, *p);
                   });
}

}  // namespace norda::ombra
