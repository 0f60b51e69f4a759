// QTR0000.DAT: any bytes of any file size decode to parameters in range, with a
// reason for every field that fell back to its default; good parameters written
// back decode to themselves without a word.
// Input: [file size low byte] [file bytes...].
#include "comm/comm_parameters.h"
#include "fuzz_support.h"

#include <array>

using qtr::fuzz::check;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    qtr::fuzz::Input in(data, size);
    const std::uint8_t extra = in.byte();
    const auto bytes = in.bytes(24);
    // The file may be longer than what was read.
    const std::uint64_t fileSize = bytes.size() < 24 ? bytes.size() : 24u + extra;
    std::vector<std::string> problems;
    const qtr::CommParameters p = qtr::decodeCommParameters(bytes, fileSize, problems);
    check(p.interfaceMode == 0 || p.interfaceMode == 1);
    check(p.portIndex >= 0 && p.portIndex <= 3);
    check(p.baudIndex == 0 || p.baudIndex == 1);
    check(problems.size() <= 4);
    if (fileSize == qtr::CommParameters::kSize) {
        std::array<std::uint8_t, qtr::CommParameters::kSize> raw{};
        std::copy(bytes.begin(), bytes.end(), raw.begin());
        check(problems.empty() == (qtr::CommParameters::fromBytes(raw) == p));
    } else {
        check(!problems.empty());
    }
    std::array<std::uint8_t, qtr::CommParameters::kSize> again{};
    p.toBytes(again);
    std::vector<std::string> none;
    check(qtr::decodeCommParameters(again, again.size(), none) == p && none.empty());
    const std::string description = qtr::commDescription(p);
    check(description.size() == 11 && description.starts_with("COM"));
    return 0;
}
