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

CommParameters decodeCommParameters(std::span<const std::uint8_t> bytes, std::uint64_t fileSize,
                                    std::vector<std::string>& problems) {
    CommParameters p;
    if (fileSize != CommParameters::kSize) {
        problems.push_back("Soubor " + std::string(kCommParametersFile) + " má " +
                           std::to_string(fileSize) + " B místo " +
                           std::to_string(CommParameters::kSize) + " B.");
    }
    const CommParameters defaults;
    const auto field = [&](std::size_t index, std::int32_t& value, std::int32_t lowest,
                           std::int32_t highest, const char* what, const std::string& fallback) {
        if (bytes.size() < (index + 1) * 4) {
            problems.push_back(std::string(what) + " chybí, platí výchozí " + fallback + ".");
            return;
        }
        const std::int32_t v = ByteReader(bytes.subspan(index * 4, 4)).i32();
        if (v < lowest || v > highest) {
            problems.push_back(std::string(what) + " " + std::to_string(v) +
                               " je mimo rozsah, platí výchozí " + fallback + ".");
            return;
        }
        value = v;
    };
    field(0, p.interfaceMode, kInterfaceRs485, kInterfaceRs232, "Druh rozhraní", "RS485");
    field(1, p.portIndex, 0, 3, "Číslo portu", "COM" + std::to_string(defaults.portIndex + 1));
    field(2, p.baudIndex, 0, 1, "Rychlost", std::to_string(baudRate(defaults)) + " Bd");
    return p;
}

FileResult loadCommParameters(const std::filesystem::path& dir, CommParameters& out) {
    const auto path = dir / kCommParametersFile;
    if (!isPresent(path)) {
        return FileResult::success();
    }
    std::vector<std::uint8_t> bytes;
    std::uint64_t size = 0;
    // One record, and one more to tell a longer file.
    if (auto r = readFilePrefix(path, 2 * CommParameters::kSize, bytes, size); !r) {
        return FileResult::failure(r.error() + " Platí výchozí parametry komunikace.");
    }
    std::vector<std::string> problems;
    out = decodeCommParameters(bytes, size, problems);
    if (problems.empty()) {
        return FileResult::success();
    }
    std::string text;
    for (const auto& p : problems) {
        text += p + " ";
    }
    return FileResult::failure(text + keepBackupCopyNote(path));
}

FileResult saveCommParameters(const std::filesystem::path& dir, const CommParameters& p) {
    std::array<std::uint8_t, CommParameters::kSize> bytes{};
    p.toBytes(bytes);
    return writeFileAtomically(dir / kCommParametersFile, bytes);
}

} // namespace qtr
