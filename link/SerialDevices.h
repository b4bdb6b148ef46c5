#pragma once

#include <functional>
#include <string>
#include <vector>

#include "platform/TextSource.h"

namespace norda {

// Where the serial devices of this machine are looked for. The defaults are the real
// folders; tests hand in a temporary tree laid out the same way.
struct SerialDeviceTree {
    std::string dev = "/dev";               // device nodes, and the links below serial/
    std::string sysTty = "/sys/class/tty";  // tells the on-board UARTs that exist
    std::string ports;                      // the ports folder; empty: PortsDirectory()
    // Whether this user may open a device; empty: access(2) for reading and writing.
    std::function<bool(const std::string& node)> mayOpen;
};

struct SerialDevice {
    // The device file with every link resolved. For a port entry that leads nowhere
    // (an adapter that is unplugged) it is where the entry leads.
    std::string node;
    std::vector<std::string> byId;    // its links under serial/by-id: maker, model, serial
    std::vector<std::string> byPath;  // its links under serial/by-path: the socket
    bool present = true;
    bool mayOpen = false;
    std::string group;       // the group whose members may use it ("dialout"), if any
    std::vector<int> ports;  // the port numbers that open it, ascending
};

// The adapters and on-board ports of the machine and the devices the port entries name,
// in the order of their device names (ttyUSB2 before ttyUSB10), missing ones last.
std::vector<SerialDevice> ListSerialDevices(const SerialDeviceTree& tree = {});

// The name a port entry should lead to so that it survives re-plugging: the by-id link,
// else the by-path link, else the device itself.
std::string StableName(const SerialDevice& device);

// The device that `name` designates: its device file, one of its links, or the file
// name of either (as a command line gives it). Null when none does.
const SerialDevice* FindSerialDevice(const std::vector<SerialDevice>& devices,
                                     const std::string& name);

// The link a port entry should get for `name`: a by-id or by-path link named by the user
// stays as chosen, a device gets its stable name. Empty when `name` is no listed device.
std::string AssignmentTarget(const std::vector<SerialDevice>& devices, const std::string& name);

// Makes the entry com<port> in `portsDir` a link to `target`, replacing an earlier link
// in one step. Returns 0 or an errno value; an entry that is not a link is left alone
// (EEXIST).
int AssignPort(const std::string& portsDir, int port, const std::string& target);
// Removes the link com<port>; 0 also when there is none, EEXIST for an entry that is
// not a link.
int ClearPort(const std::string& portsDir, int port);

// Whether the device exists and refuses this user; `group` gets the group whose members
// may use it (empty when there is none).
bool DeviceAccessDenied(const std::string& device, std::string* group);

// The hint for a device the user may not open: text 3220 with the device and the group
// (how to join it), or 3221 with the device alone when the group is unknown.
std::string AccessHint(const TextSource& texts, const std::string& device,
                       const std::string& group);

}  // namespace norda
