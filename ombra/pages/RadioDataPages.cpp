#include "ombra/pages/RadioDataPages.h"

#include "ombra/pages/TAData.h"
#include "ombra/pages/TChannel.h"
#include "ombra/pages/TKsys.h"

namespace norda::ombra {

void RegisterRadioDataPages(TPageDispatcher& pages, PageEnvironment env) {
    pages.Register(kKindChannel,
                   [env](QWidget* client, const ResourceModule& module,
                         const PageInfo& info) -> std::unique_ptr<TDataDlg> {
                       return std::make_unique<TChannel>(client, info.firstChannel, module, env);
                   });
    pages.Register(kKindKsys,
                   [env](QWidget* client, const ResourceModule& module,
                         const PageInfo&) -> std::unique_ptr<TDataDlg> {
                       return std::make_unique<TKsys>(client, module, env);
                   });
    pages.Register(kKindAData,
                   [env](QWidget* client, const ResourceModule& module,
                         const PageInfo&) -> std::unique_ptr<TDataDlg> {
                       return std::make_unique<TAData>(client, module, env);
                   });
}

}  // namespace norda::ombra
