#pragma once

#include <string>

namespace norda {

// The per-user folders of the freedesktop base-directory convention, with this
// software's own folder "norda" below them. A variable that is unset, empty or not
// an absolute path counts as unset; without HOME either, the result is empty and
// callers store nothing rather than writing into the current directory.
std::string ConfigHome();      // $XDG_CONFIG_HOME, else ~/.config
std::string DataHome();        // $XDG_DATA_HOME, else ~/.local/share
std::string NordaConfigDir();  // ConfigHome()/norda
std::string NordaDataDir();    // DataHome()/norda

}  // namespace norda
