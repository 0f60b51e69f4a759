#include "comm/comm_parameters.h"

#include "base/byte_io.h"
#include "base/file_io.h"

#include <array>
#include <system_error>
#include <vector>

namespace qtr {

CommParameters CommParameters::fromBytes(std::span<const std::uint8_t> in) {
    ByteReader r(in.first(kSize));
    CommParameters p;
    p.interfaceMode = r.i32();
    p.portIndex = r.i32();
    p.baudIndex = r.i32();
    return p;
}

void CommParameters::toBytes(std::span<std::uint8_t> out) const {
    ByteWriter w(out.first(kSize));
    w.i32(interfaceMode);
    w.i32(portIndex);
    w.i32(baudIndex);
}

std::string commDescription(const CommParameters& p) {
    return "COM" + std::to_string(p.portIndex + 1) + "/" + std::to_string(p.interfaceMode) + "/" +
           (p.baudIndex == 0 ? "2400" : "9600");
}

int baudRate(const CommParameters& p) {
    return p.baudIndex == 0 ? 2400 : 9600;
}

FileResult loadCommParameters(const std::filesystem::path& dir, CommParameters& out) {
    const auto path = dir / kCommParametersFile;
    std::error_code ec;
    if (!std::filesystem::exists(path, ec)) {
        return FileResult::success();
    }
    std::vector<std::uint8_t> bytes;
    if (auto r = readWholeFile(path, bytes); !r) {
        return r;
    }
    if (bytes.size() < CommParameters::kSize) {
        return FileResult::failure("Soubor " + path.string() +
                                   " je kratší než jeden záznam; platí výchozí parametry.");
    }
    out = CommParameters::fromBytes(bytes);
    return FileResult::success();
}

FileResult saveCommParameters(const std::filesystem::path& dir, const CommParameters& p) {
    std::array<std::uint8_t, CommParameters::kSize> bytes{};
    p.toBytes(bytes);
    return writeFileAtomically(dir / kCommParametersFile, bytes);
}

} // namespace qtr
