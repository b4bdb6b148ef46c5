#include "ombra/cli/SequenceCommand.h"

#include <poll.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <cstring>
#include <memory>

#include "ombra/ops/OpsMessages.h"
#include "platform/ProfileFile.h"

namespace norda::ombra {
namespace {

volatile std::sig_atomic_t g_interrupted = 0;
volatile std::sig_atomic_t g_writing = 0;

void OnInterrupt(int) {
    // A radio half written is worse than a wait: the operator is told at once why
    // nothing stops yet.
    if (g_writing != 0 && g_interrupted == 0) {
        static const char kNote[] = "\nombra-cli: stopping after this radio\n";
        [[maybe_unused]] const ssize_t ignored = write(STDERR_FILENO, kNote, sizeof kNote - 1);
    }
    g_interrupted = 1;
}

constexpr const char* kPrompt = "connect the next radio and press Enter (q to stop) ";
// How often a waiting prompt looks whether Ctrl-C was pressed.
constexpr int kPromptPollMs = 200;

// The dialog's digit fields keep "a"-"d" as the radio does, in capitals.
std::string Upper(std::string text) {
    for (char& c : text) {
        if (c >= 'a' && c <= 'd')
            c = static_cast<char>(c - 'a' + 'A');
    }
    return text;
}

}  // namespace

bool SequenceInterrupted() {
    return g_interrupted != 0;
}

void CatchSequenceInterrupt() {
    struct sigaction sa {};
    sa.sa_handler = OnInterrupt;
    sigemptyset(&sa.sa_mask);
    // Reads and writes on the port go on; only the prompt's wait is cut short.
    sa.sa_flags = SA_RESTART;
    sigaction(SIGINT, &sa, nullptr);
}

SequenceCommand::SequenceCommand(const CliOptions& options, RecordingClientWin& client,
                                 ConsoleHost& host, const ResourceModule& texts, std::FILE* err,
                                 std::FILE* out)
    : options_(options), client_(client), host_(host), texts_(texts), err_(err), out_(out) {}

bool CheckSequenceNumbers(AutoProgFields& fields, const ResourceModule& texts, std::FILE* err) {
    fields.ani = Upper(fields.ani);
    fields.ack = Upper(fields.ack);
    fields.selectiveCall = Upper(fields.selectiveCall);
    const auto refused = autoprog::FirstRefusedNumber(fields, texts);
    if (refused) {
        std::fprintf(err, "ombra-cli: %s %s: %s\n", refused->option, refused->text.c_str(),
                     refused->message.c_str());
    }
    return !refused;
}

int SequenceCommand::Prepare() {
    // The dialog as it opens on an opened file, then the operator's numbers.
    fields_ = autoprog::TransferToDialog(client_.Parameters(), client_.DataValid());
    if (series_ != nullptr)
        return 0;
    const bool numbersGiven =
        options_.serial || options_.ani || options_.ack || options_.selectiveCall;
    if (!numbersGiven && !options_.stateFile.empty()) {
        if (access(options_.stateFile.c_str(), R_OK) != 0) {
            std::fprintf(err_, "ombra-cli: cannot read %s (%s); the first run needs --serial N\n",
                         options_.stateFile.c_str(), std::strerror(errno));
            return kExitUsage;
        }
        if (!autoprog::TakeKeptNumbers(ProfileFile::Load(options_.stateFile), fields_)) {
            std::fprintf(err_, "ombra-cli: %s holds no serial number\n",
                         options_.stateFile.c_str());
            return kExitUsage;
        }
    } else if (!options_.serial) {
        std::fprintf(err_, "ombra-cli: sequence wants --serial N or a --state file\n%s", kUsage);
        return kExitUsage;
    }
    if (options_.serial)
        fields_.serialNo = *options_.serial;
    if (options_.ani)
        fields_.ani = *options_.ani;
    if (options_.ack)
        fields_.ack = *options_.ack;
    if (options_.selectiveCall)
        fields_.selectiveCall = *options_.selectiveCall;
    if (options_.cloneKey)
        fields_.cloneKey = *options_.cloneKey;
    if (!CheckSequenceNumbers(fields_, texts_, err_))
        return kExitUsage;
    // The selective-call field left empty takes the acknowledgement number with it.
    autoprog::SelectiveCallLeft(fields_);
    return 0;
}

bool SequenceCommand::NumbersFit() {
    return CheckSequenceNumbers(fields_, texts_, err_);
}

bool SequenceCommand::ReadAnswer(int fd, std::string& line) {
    line.clear();
    for (;;) {
        if (SequenceInterrupted())
            return false;
        pollfd p{fd, POLLIN, 0};
        const int ready = poll(&p, 1, kPromptPollMs);
        if (ready < 0 && errno != EINTR)
            return false;
        if (ready <= 0)
            continue;
        char c = 0;
        const ssize_t n = read(fd, &c, 1);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        if (c == '\n')
            return true;
        line += c;
    }
}

// One line a radio, and the next numbers last, written as the options that give them.
void SequenceCommand::Describe(std::FILE* to, const char* what, const AutoProgFields& fields) {
    std::fprintf(to, "%s --serial %s", what, fields.serialNo.c_str());
    if (!fields.ani.empty())
        std::fprintf(to, " --ani %s", fields.ani.c_str());
    if (!fields.ack.empty())
        std::fprintf(to, " --ack %s", fields.ack.c_str());
    if (!fields.selectiveCall.empty())
        std::fprintf(to, " --selcall %s", fields.selectiveCall.c_str());
    std::fputc('\n', to);
    std::fflush(to);
}

bool SequenceCommand::SaveState() {
    if (options_.stateFile.empty())
        return true;
    ProfileFile state = ProfileFile::Load(options_.stateFile);
    autoprog::KeepNumbers(state, fields_);
    if (state.Save(options_.stateFile) == kProfileOk)
        return true;
    std::fprintf(err_, "ombra-cli: cannot write %s\n", options_.stateFile.c_str());
    return false;
}

bool SequenceCommand::ReserveNumbers() {
    const std::string problem = series_->Reserve(fields_);
    if (!problem.empty())
        std::fprintf(err_, "ombra-cli: %s\n", problem.c_str());
    return problem.empty();
}

bool SequenceCommand::FinishNumbers(bool programmed) {
    ProductionRecord record;
    if (record_) {
        record = *record_;
    } else {
        record.program = "ombra-cli";
        record.operation = "sequence";
        record.serial = fields_.serialNo;
        record.resultId = client_.LastResultId();
    }
    const std::string problem = series_->Finish(record, programmed);
    if (!problem.empty())
        std::fprintf(err_, "ombra-cli: %s\n", problem.c_str());
    return problem.empty();
}

int SequenceCommand::Run() {
    // What the sequential-programming command sets up before its dialog opens.
    client_.SetSequentialRunning(true);
    int programmed = 0;
    bool lastFailed = false;
    bool stateLost = false;
    bool outgrown = false;
    for (;;) {
        if (programmed > 0 || lastFailed) {
            if (options_.count > 0 && programmed >= options_.count)
                break;
            std::fputs(kPrompt, err_);
            std::fflush(err_);
            std::string answer;
            const bool go = ReadAnswer(STDIN_FILENO, answer) && answer != "q" && answer != "Q";
            // A terminal echoes the operator's Enter; a script's answer is not seen.
            if (!go || isatty(STDIN_FILENO) != 1)
                std::fputc('\n', err_);
            if (!go)
                break;
        }
        if (SequenceInterrupted())
            break;
        if (series_ != nullptr && !ReserveNumbers()) {
            lastFailed = true;
            break;
        }
        const AutoProgFields radio = fields_;
        record_.reset();
        host_.ClearFailed();
        autoprog::Programla(fields_, client_.Parameters(), host_);
        g_writing = 1;
        host_.Run();
        g_writing = 0;
        const bool ok = client_.LastResultId() == msg::kSequentialProgrammed;
        lastFailed = !ok;
        if (ok) {
            ++programmed;
            autoprog::PrepareNextRadio(fields_, client_.TestMode());
        }
        Describe(out_, ok ? "programmed" : "failed", radio);
        if (series_ != nullptr && !FinishNumbers(ok)) {
            lastFailed = true;
            break;
        }
        // A number that outgrew its field would reach the next radio cut; the state keeps
        // the last numbers that fit. A series is held to its fields when numbers are taken.
        if (series_ == nullptr && ok && !NumbersFit()) {
            outgrown = true;
            fields_ = autoprog::LastFitting(fields_, radio);
            SaveState();
            break;
        }
        // Without the state the next run would give the same numbers again.
        if (ok && !SaveState()) {
            stateLost = true;
            break;
        }
        if (SequenceInterrupted()) {
            std::fprintf(err_, "ombra-cli: interrupted; serial number %s was %s\n",
                         radio.serialNo.c_str(), ok ? "programmed" : "not programmed");
            break;
        }
    }
    client_.SetSequentialRunning(false);
    if (outgrown)
        return kExitUsage;
    // A series keeps its next numbers itself.
    if (series_ == nullptr)
        Describe(out_, "next", fields_);
    if (stateLost)
        return kExitUsage;
    return lastFailed ? kExitFailed : kExitOk;
}

}  // namespace norda::ombra
