#pragma once

#include <string>

#include "codeplug/RadioParameters.h"
#include "ombra/app/FileCommands.h"
#include "ombra/pages/ChannelPlan.h"

namespace norda::ombra {

// "Kanal Planını Ver..." and "Kanal Planını Al...": the channels of the codeplug on
// screen out to a spreadsheet file and back.
class ChannelPlanCommands {
  public:
    // `programDir` holds the language libraries whose headings a plan may use.
    ChannelPlanCommands(FileCommandHost& host, RadioParameters& parameters,
                        const std::string& programDir)
        : host_(host), parameters_(parameters), languages_(programDir) {}

    void Export();
    // Nothing is taken unless the whole plan passes; the page on screen then shows it.
    void Import();

  private:
    int Show(const std::string& text, int captionId, int style);

    FileCommandHost& host_;
    RadioParameters& parameters_;
    PlanLanguages languages_;
};

// A name without an extension gets ".csv".
std::string CompletePlanName(const std::string& name);

}  // namespace norda::ombra
