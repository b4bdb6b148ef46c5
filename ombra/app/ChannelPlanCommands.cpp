#include "ombra/app/ChannelPlanCommands.h"

#include <filesystem>

#include "codeplug/TextFormat.h"
#include "ombra/ops/OpsMessages.h"
#include "ombra/ops/TransferHost.h"
#include "ombra/pages/MessageStyles.h"
#include "ombra/pages/PageTable.h"
#include "ombra/pages/TMessageDlg.h"
#include "ui/DialogBuilder.h"

namespace norda::ombra {

std::string CompletePlanName(const std::string& name) {
    return std::filesystem::path(name).has_extension() ? name : name + ".csv";
}

int ChannelPlanCommands::Show(const std::string& text, int captionId, int style) {
    const ResourceModule& module = host_.Module();
    return TMessageDlg::Show(host_.Window(), module, ToQString(text),
                             ToQString(module.Text(captionId)), style);
}

void ChannelPlanCommands::Export() {
    // What is typed on the page belongs to the plan.
    if (!host_.CanLeavePage())
        return;
    const ResourceModule& module = host_.Module();
    std::string proposed;
    if (!host_.FileName().empty())
        proposed = std::filesystem::path(host_.FileName()).replace_extension(".csv").string();
    const std::string chosen = host_.AskSaveFileName(module.Text(kTextPlanExportTitle),
                                                     module.Text(kTextPlanFilter), proposed);
    if (chosen.empty())
        return;
    const std::string name = CompletePlanName(chosen);
    if (SavePlanFile(name, parameters_, module) != 0) {
        Show(FormatText(module.Text(kTextPlanNotSaved), {FormatArg(name)}), msg::kCaptionError,
             kIconExclamation);
        return;
    }
    Show(FormatText(module.Text(kTextPlanSaved), {FormatArg(name)}), msg::kCaptionInfo,
         kIconInformation);
}

void ChannelPlanCommands::Import() {
    // Edits on the page go in first, so that the plan is what comes last.
    if (!host_.CanLeavePage())
        return;
    const ResourceModule& module = host_.Module();
    const std::string name =
        host_.AskOpenFileName(module.Text(kTextPlanImportTitle), module.Text(kTextPlanFilter));
    if (name.empty())
        return;
    std::string bytes;
    if (!ReadPlanFile(name, bytes)) {
        Show(FormatText(module.Text(kTextPlanNotRead), {FormatArg(name)}), msg::kCaptionError,
             kIconExclamation);
        return;
    }
    const PlanResult result = ImportChannelPlan(
        bytes, parameters_, host_.FileOptions().shiftFrequencies, module, languages_.Modules());
    if (!result.isPlan || !result.refusals.empty()) {
        Show(PlanRefusalText(result, name, module), msg::kCaptionError, kIconExclamation);
        return;
    }
    if (const int page = host_.CurrentPage(); page >= kFirstPage) {
        host_.ClosePage();
        host_.OpenPage(page);
    }
    Show(FormatText(module.Text(kTextPlanImported),
                    {FormatArg(static_cast<long long>(result.changed))}),
         msg::kCaptionInfo, kIconInformation);
}

}  // namespace norda::ombra
