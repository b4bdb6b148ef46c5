#pragma once

#include <cstdio>
#include <optional>
#include <string>

#include "ombra/cli/CliOptions.h"
#include "ombra/cli/ConsoleHost.h"
#include "ombra/ops/AutoProgLogic.h"
#include "ombra/ops/RecordingClientWin.h"
#include "ombra/ops/SeriesStation.h"
#include "resources/ResourceModule.h"

namespace norda::ombra {

// Sequential programming on a console: the rules of the sequential-programming dialog
// (its fields, its checks, its count-up after each programmed radio) applied radio
// after radio, the operator answering a prompt in place of pressing "Programla".
class SequenceCommand {
  public:
    SequenceCommand(const CliOptions& options, RecordingClientWin& client, ConsoleHost& host,
                    const ResourceModule& texts, std::FILE* err, std::FILE* out);

    // Each radio's numbers from the series, reserved before the radio is written, used or
    // given back when it is done; the station is open.
    void UseSeries(SeriesStation& series) { series_ = &series; }
    // The first radio's numbers, from the options or else the state file, checked as
    // the dialog checks its fields. 0, or kExitUsage after saying what is wrong.
    int Prepare();
    // The production record of the radio on the bench, as the client window made it.
    void Recorded(const ProductionRecord& record) { record_ = record; }
    // Programs radios until --count is reached, the operator stops or Ctrl-C; the port
    // is open. Prints the next numbers at the end. kExitOk, kExitFailed when the last
    // radio tried was not programmed, kExitUsage when the state file cannot be written
    // or the next numbers outgrow their fields (no radio is programmed with them).
    int Run();

    // Operator input: one line, or false for end of input and Ctrl-C.
    static bool ReadAnswer(int fd, std::string& line);

  private:
    // The numbers checked as the dialog checks its fields; false after saying which one
    // does not fit and why.
    bool NumbersFit();
    bool SaveState();
    bool ReserveNumbers();
    bool FinishNumbers(bool programmed);
    static void Describe(std::FILE* to, const char* what, const AutoProgFields& fields);

    const CliOptions& options_;
    RecordingClientWin& client_;
    ConsoleHost& host_;
    const ResourceModule& texts_;
    std::FILE* err_;
    std::FILE* out_;
    AutoProgFields fields_;
    SeriesStation* series_ = nullptr;
    std::optional<ProductionRecord> record_;
};

// The sequence's number fields checked as the dialog checks them (digit fields in
// capitals first); false after saying on `err` which option is wrong.
bool CheckSequenceNumbers(AutoProgFields& fields, const ResourceModule& texts, std::FILE* err);
// Set by SIGINT while a sequence runs; the sequence looks at it between radios.
bool SequenceInterrupted();
// Catches SIGINT for the sequence (the handler only sets the flag).
void CatchSequenceInterrupt();

}  // namespace norda::ombra
