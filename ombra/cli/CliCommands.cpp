#include "ombra/cli/CliCommands.h"

#include <unistd.h>

#include <fstream>
#include <iterator>
#include <memory>
#include <vector>

#include "codeplug/CodeplugFile.h"
#include "ombra/cli/ConsoleHost.h"
#include "ombra/ops/OpsMessages.h"
#include "ombra/ops/TClientWin.h"

namespace norda {
namespace {

constexpr int kSerialPortFaulty = 625;
constexpr int kStyleFailure = kStyleOk | kIconExclamation;
constexpr int kStyleNotice = kStyleOk | kIconInformation;

struct FileCloser {
    void operator()(std::FILE* file) const {
        if (file != nullptr)
            std::fclose(file);
    }
};
using FilePtr = std::unique_ptr<std::FILE, FileCloser>;

class Command {
  public:
    Command(const CliOptions& options, const CliConfig& config, const TextSource& texts,
            std::FILE* err, Clock& clock)
        : options_(options),
          texts_(texts),
          err_(err),
          host_(texts, clock, err, isatty(fileno(err)) == 1) {
        codeplugOptions_.testMode = options.test;
        codeplugOptions_.shiftFrequencies = config.shiftFrequencies;
        ProgWinSettings settings;
        settings.cloneConstants = config.cloneConstants;
        const int port = options.port != 0 ? options.port : config.serialPort;
        client_ = std::make_unique<TClientWin>(host_, image_, parameters_, port, options.baud,
                                               settings, clock);
        host_.Attach(*client_);
    }

    int Run() {
        switch (options_.command) {
            case CliCommand::Read:
                return Read();
            case CliCommand::Copy:
                return Copy();
            case CliCommand::Decode:
                return Decode();
        }
        return kExitUsage;
    }

  private:
    void Problem(const std::string& what) { std::fprintf(err_, "ombra-cli: %s\n", what.c_str()); }

    bool OpenLink() {
        if (!options_.traceFile.empty()) {
            trace_.reset(std::fopen(options_.traceFile.c_str(), "w"));
            if (!trace_) {
                Problem("cannot write " + options_.traceFile);
                return false;
            }
            client_->TraceEnabled = true;
            host_.SetTraceFile(trace_.get());
        }
        return true;
    }

    // The port is opened as the window would be set up.
    bool OpenPort() {
        if (client_->SetupWindow() == 0)
            return true;
        host_.Show(texts_.Text(kSerialPortFaulty), texts_.Text(msg::kCaptionError), kStyleFailure);
        return false;
    }

    int SaveCodeplug(const std::string& name) {
        const std::string path = CompleteCodeplugName(name);
        if (SaveCodeplugFile(path, parameters_, codeplugOptions_) != 0) {
            std::string text = texts_.Text(kTextFileNotSaved);
            const size_t at = text.find("%s");
            if (at != std::string::npos)
                text.replace(at, 2, path);
            host_.Show(text, texts_.Text(msg::kCaptionError), kStyleFailure);
            return kExitUsage;
        }
        host_.Show(texts_.Text(kTextFileSaved), texts_.Text(msg::kCaptionInfo), kStyleNotice);
        return kExitOk;
    }

    int Read() {
        if (!OpenLink())
            return kExitUsage;
        if (!OpenPort())
            return kExitFailed;
        client_->CmRead();
        host_.Run();
        if (host_.Failed() || !client_->DataValid)
            return kExitFailed;
        if (!options_.imageFile.empty()) {
            std::ofstream out(options_.imageFile, std::ios::binary | std::ios::trunc);
            out.write(reinterpret_cast<const char*>(image_.bytes.data()),
                      static_cast<std::streamsize>(image_.bytes.size()));
            if (!out.flush()) {
                Problem("cannot write " + options_.imageFile);
                return kExitUsage;
            }
        }
        return SaveCodeplug(options_.files[0]);
    }

    int Copy() {
        const std::string& in = options_.files[0];
        if (!std::ifstream(in)) {
            Problem("cannot read " + in);
            return kExitUsage;
        }
        if (LoadCodeplugFile(in, parameters_, codeplugOptions_) != kCodeplugOk) {
            host_.Show(texts_.Text(kTextFileNoBand), texts_.Text(msg::kCaptionError),
                       kStyleFailure);
            return kExitUsage;
        }
        host_.SetFileOpened(true);
        if (!OpenLink())
            return kExitUsage;
        if (!OpenPort())
            return kExitFailed;
        client_->CmCopy();
        host_.Run();
        // A completed write leaves the editor holding what went into the radio.
        return host_.Failed() || !client_->DataValid ? kExitFailed : kExitOk;
    }

    int Decode() {
        const std::string& in = options_.files[0];
        std::ifstream file(in, std::ios::binary);
        if (!file) {
            Problem("cannot read " + in);
            return kExitUsage;
        }
        std::vector<char> bytes((std::istreambuf_iterator<char>(file)), {});
        if (bytes.size() != image_.bytes.size()) {
            Problem(in + " is not a " + std::to_string(RadioImage::kSize) + "-byte image");
            return kExitUsage;
        }
        std::copy(bytes.begin(), bytes.end(), image_.bytes.begin());
        client_->AcceptReadImage(TProgWin::ImageChecksums(image_));
        return SaveCodeplug(options_.files[1]);
    }

    const CliOptions& options_;
    const TextSource& texts_;
    std::FILE* err_;
    ConsoleHost host_;
    RadioImage image_;
    RadioParameters parameters_;
    CodeplugOptions codeplugOptions_;
    std::unique_ptr<TClientWin> client_;
    FilePtr trace_;
};

}  // namespace

int RunCliCommand(const CliOptions& options, const CliConfig& config, const TextSource& texts,
                  std::FILE* err, Clock& clock) {
    Command command(options, config, texts, err, clock);
    return command.Run();
}

}  // namespace norda
