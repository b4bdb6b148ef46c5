#pragma once

// The whole OMBRA program for tests that drive it; NORDA_LIBRARY_DIR names the folder
// of the program and its language library.

#include <memory>
#include <string>
#include <vector>

#include "ombra/app/ProgramSetup.h"

namespace norda::ombra::test {

// Start-up settings as if the INI file were empty; writes are accepted and dropped.
class NoIni final : public IniStore {
  public:
    int GetInt(const std::string&, const std::string&, int def) const override { return def; }
    std::vector<std::string> KeyNames(const std::string&, size_t) const override { return {}; }
    bool WriteString(const std::string&, const std::string&, const std::string&) override {
        return true;
    }
};

// The program as its main() puts it together, on the settings of `ini` (by default those
// of an empty INI file).
struct WholeProgram {
    TApp app;
    TQtHost host;
    TProgFrame frame;
    TProgramSetup setup;

    explicit WholeProgram(std::unique_ptr<IniStore> ini = std::make_unique<NoIni>())
        : app(std::string(NORDA_LIBRARY_DIR) + "/ombra", {}, std::move(ini)),
          host(Started(app)),
          frame(app, host),
          setup(frame, host) {
        host.SetFrame(&frame);
        frame.show();
    }
    ~WholeProgram() { host.SetFrame(nullptr); }

  private:
    static TApp& Started(TApp& app) {
        app.ReadCommandLineAndCountry();
        app.ReadRest();
        return app;
    }
};

}  // namespace norda::ombra::test
