#pragma once

#include <string_view>

namespace norda {

// How an attempt through the port, the link, the request channel or a file loader ended:
// Ok, or why not. One polarity everywhere; each program turns a failure into its own
// message or exit code at its edge, in one table.
enum class [[nodiscard]] Status{
    Ok,
    CannotOpen,       // the device or file is missing or may not be opened
    SettingsRefused,  // the serial device refused the line settings; it is closed again
    WriteFailed,      // not every byte went out
    Refused,          // a request that does not fit the frame, the format or the profile
    BadFormat,        // a file's contents are not what they should be
    NoBand,           // a codeplug file without the radio's band: nothing was changed
};

constexpr bool Succeeded(Status status) {
    return status == Status::Ok;
}

// The name of the status for logs and test output.
constexpr std::string_view StatusName(Status status) {
    switch (status) {
        case Status::Ok:
            return "ok";
        case Status::CannotOpen:
            return "cannot open";
        case Status::SettingsRefused:
            return "settings refused";
        case Status::WriteFailed:
            return "write failed";
        case Status::Refused:
            return "refused";
        case Status::BadFormat:
            return "bad format";
        case Status::NoBand:
            return "no band";
    }
    return "?";
}

}  // namespace norda
