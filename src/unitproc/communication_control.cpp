#include "unitproc/communication_control.h"

namespace qtr {

std::string commDescriptionOf(const CommSettings& s) {
    return "COM" + std::to_string(s.portIndex + 1) + "/" + std::to_string(s.interfaceMode) + "/" +
           (s.baudIndex == 0 ? "2400" : "9600");
}

} // namespace qtr
