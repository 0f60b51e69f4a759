#include "comm/port_names.h"

namespace qtr {

std::string PortNames::device(int portIndex) const {
    if (portIndex < 0 || portIndex >= static_cast<int>(devices.size())) {
        return {};
    }
    return devices[static_cast<std::size_t>(portIndex)];
}

PortNames defaultPortNames() {
    PortNames names;
    for (std::size_t i = 0; i < names.devices.size(); ++i) {
#ifdef _WIN32
        names.devices[i] = "COM" + std::to_string(i + 1);
#else
        names.devices[i] = "/dev/ttyS" + std::to_string(i);
#endif
    }
    return names;
}

PortNames resolvePortNames(const std::vector<std::string>& optionDevices,
                           const std::function<const char*(const char*)>& environment) {
    PortNames names = defaultPortNames();
    for (std::size_t i = 0; i < names.devices.size(); ++i) {
        if (i < optionDevices.size() && !optionDevices[i].empty()) {
            names.devices[i] = optionDevices[i];
            continue;
        }
        if (environment) {
            const std::string variable = "QTR_COM" + std::to_string(i + 1);
            if (const char* value = environment(variable.c_str());
                value != nullptr && *value != '\0') {
                names.devices[i] = value;
            }
        }
    }
    return names;
}

int comOptionNumber(std::string_view arg) {
    if (arg.size() == 6 && arg.starts_with("--com") && arg[5] >= '1' && arg[5] <= '4') {
        return arg[5] - '0';
    }
    return 0;
}

std::vector<std::string> takeComOptions(std::vector<std::string>& args) {
    std::vector<std::string> devices(4);
    std::vector<std::string> rest;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const int n = i == 0 ? 0 : comOptionNumber(args[i]);
        if (n != 0 && i + 1 < args.size()) {
            devices[static_cast<std::size_t>(n - 1)] = args[++i];
        } else {
            rest.push_back(args[i]);
        }
    }
    args = std::move(rest);
    return devices;
}

} // namespace qtr
