#include "solvi/app/TApp.h"

#include <algorithm>

#include "platform/ProductionLog.h"
#include "resources/SolviResources.h"

namespace norda::solvi {

TApp::TApp(const CommandLine& commandLine, const PortFlags& availablePorts,
           std::unique_ptr<RegistryStore> registry, std::string programDir)
    : available(availablePorts),
      registry_(std::move(registry)),
      programDir_(std::move(programDir)),
      module_(ResourceModule::BuiltIn(SolviBuiltinResources())) {
    flags_.autoMode.store(commandLine.autoMode);
    autoPort = commandLine.autoPort;
    pendingFile = commandLine.pendingFile;
    logPath = commandLine.logPath;
    database = commandLine.database;
    if (commandLine.autoMode) {
        baudRate = commandLine.autoBaud;
        flags_.verify.store(commandLine.verify);
    }
}

TApp::~TApp() = default;

void TApp::Initialise() {
    language_ = kTurkish;
    if (!AutoMode() && registry_) {
        // The parents first, as the registry only creates one level at a time.
        registry_->CreateKey("SOFTWARE\\ZEMTAR");
        registry_->CreateKey("SOFTWARE\\ZEMTAR\\NORDA");
        registry_->CreateKey(kRegistryKey);
        uint32_t code = 0;
        if (Read("CountryCode", &code))
            language_ = static_cast<int>(code);
    }
    if (language_ != kTurkish && !LoadLanguage(language_))
        language_ = kTurkish;

    if (logPath.empty())
        Read(kLogFileValue, &logPath);
    if (database.empty())
        Read("Database", &database);
    if (logPath.empty())
        logPath = ProductionLog::DefaultPath();
    // How this bench's radios want the line timed holds for unattended runs too.
    uint32_t pause = 0;
    if (registry_ &&
        registry_->QueryDword(kRegistryKey, kPauseAfterAckValue, &pause) == RegistryStore::kOk)
        flags_.pauseAfterAckMs.store(std::min(pause, kPauseAfterAckLimitMs));

    selected.fill(false);
    if (AutoMode()) {
        if (autoPort >= 1 && autoPort <= kMaxPorts)
            selected[autoPort] = true;
        flags_.autoProg.store(true);
        return;
    }
    baudRate = kDefaultBaud;
    flags_.autoProg.store(false);
    flags_.verify.store(false);
    for (int port = 1; port <= kMaxPorts; ++port) {
        uint32_t v = 0;
        if (Read("Port" + std::to_string(port), &v))
            selected[port] = v != 0;
    }
    uint32_t v = 0;
    if (Read("Baudrate", &v))
        baudRate = static_cast<int32_t>(v);
    if (Read("AutoProg", &v))
        flags_.autoProg.store(v != 0);
    if (Read("Verify", &v))
        flags_.verify.store(v != 0);
}

std::string TApp::LibraryPath(int language) const {
    return programDir_ + "/" + SolviLanguageLibraryName(kProgramName, language);
}

bool TApp::LoadLanguage(int language) {
    if (language == kTurkish) {
        module_ = ResourceModule::BuiltIn(SolviBuiltinResources());
        return true;
    }
    int result = 0;
    auto module = ResourceModule::Load(LibraryPath(language), kProgramName, &result);
    if (!module)
        return false;
    module_ = std::move(module);
    return true;
}

std::string TApp::ChangeLanguage(int language) {
    std::string failed;
    // The old library goes before the new one comes, as only one is ever loaded.
    module_ = ResourceModule::BuiltIn(SolviBuiltinResources());
    if (!LoadLanguage(language)) {
        failed = SolviLanguageLibraryName(kProgramName, language);
        language = kTurkish;
    }
    language_ = language;
    Store("CountryCode", static_cast<uint32_t>(language_));
    return failed;
}

// Every port's choice, not only the toggled one's: a start that finds no choice stored
// selects every port, so one value alone would leave out all the others next time. A port
// that is not there now keeps what was stored for it.
void TApp::SavePorts(int toggled) {
    for (int port = 1; port <= kMaxPorts; ++port)
        if (available[port] || port == toggled)
            Store("Port" + std::to_string(port), selected[port] ? 1 : 0);
}

void TApp::SaveBaudrate() {
    Store("Baudrate", static_cast<uint32_t>(baudRate));
}

void TApp::SaveAutoProg() {
    Store("AutoProg", AutoProg() ? 1 : 0);
}

void TApp::SaveVerify() {
    Store("Verify", Verify() ? 1 : 0);
}

void TApp::Store(const std::string& name, uint32_t value) {
    // An unattended run leaves the user's settings exactly as they were.
    if (AutoMode() || !registry_)
        return;
    if (!registry_->KeyExists(kRegistryKey) && registry_->CreateKey(kRegistryKey) != 0)
        return;
    registry_->SetDword(kRegistryKey, name, value);
}

bool TApp::Read(const std::string& name, uint32_t* value) const {
    if (AutoMode() || !registry_)
        return false;
    return registry_->QueryDword(kRegistryKey, name, value) == RegistryStore::kOk;
}

bool TApp::Read(const std::string& name, std::string* value) const {
    if (AutoMode() || !registry_)
        return false;
    return registry_->QueryString(kRegistryKey, name, value) == RegistryStore::kOk;
}

}  // namespace norda::solvi
