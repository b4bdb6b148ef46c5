#pragma once

// SOLVI's dialogs and the numbers of their controls: the layouts of every language, the
// windows made from them and their tests all take the numbers from here. Buttons 1 and 2
// are OK and Cancel in every dialog; a control numbered -1 is never looked up.

namespace norda {

// A port's panel: its status line, "Programla" and the gauge, whose text is the printf
// format of its value.
struct PortPanelIds {
    static constexpr int kDialog = 1;
    enum Control : int { kStatus = 101, kProgram = 102, kGauge = 103 };
};

// The version panel under the only port panel: the file's lines and the radio's.
struct VersionPanelIds {
    static constexpr int kDialog = 2;
    enum Control : int {
        kFileLabel = 105,
        kFileVersion = 106,
        kFileText = 107,
        kRadioLabel = 108,
        kRadioVersion = 109,
        kRadioText = 110,
    };
};

// "Seri Çıkış Hızı".
struct BaudrateIds {
    static constexpr int kDialog = 3;
    enum Control : int { kSpeed = 102 };
};

// "Yazılım Dili / Language".
struct SolviLanguageIds {
    static constexpr int kDialog = 104;
    enum Control : int { kTurkish = 101, kEnglish = 102 };
};

// The window shown while the program starts, and the same lines in the about box.
struct SolviSplashIds {
    static constexpr int kDialog = 106;
    enum Control : int {
        kIcon = 1001,
        kVersion = 22001,
        kDescription = 22002,
        kProduct = 22004,
    };
};

struct SolviAboutIds {
    static constexpr int kDialog = 22000;
    using enum SolviSplashIds::Control;
};

}  // namespace norda
