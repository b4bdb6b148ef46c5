#include "ombra/app/ProgramSetup.h"

#include "ombra/pages/ParamPages.h"
#include "ombra/pages/RadioDataPages.h"
#include "ombra/pages/TAutoProg.h"

namespace norda {

CodeplugOptions TFrameFileHost::FileOptions() {
    CodeplugOptions o;
    o.testMode = frame_.App().TestSwitch();
    o.shiftFrequencies = frame_.App().Config().shiftFrequencies;
    return o;
}

TProgramSetup::TProgramSetup(TProgFrame& frame, TQtHost& host)
    : frame_(frame), host_(host), fileHost_(frame, host), files_(fileHost_, host.Parameters()) {
    RegisterParamPages(frame_.Pages(), host_.Parameters());
    PageEnvironment environment;
    environment.parameters = &host_.Parameters();
    environment.shiftFrequencies = frame_.App().Config().shiftFrequencies;
    RegisterRadioDataPages(frame_.Pages(), environment);
    for (int id : {kCmFileNew, kCmFileOpen, kCmFileSave, kCmFileSaveAs})
        frame_.SetCommandHandler(id, [this, id] { files_.Command(id); });
    host_.SetSequentialRunner([this](TProgWin& client) {
        TAutoProg dialog(&frame_, frame_.Module(), client);
        host_.SetSequentialDialog(&dialog, [&dialog](uint32_t) { dialog.NextRadio(); });
        dialog.Execute();
        host_.SetSequentialDialog(nullptr, nullptr);
    });
}

}  // namespace norda
