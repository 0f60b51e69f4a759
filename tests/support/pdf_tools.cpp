#include "support/pdf_tools.h"

#include <algorithm>
#include <cstdio>
#include <gtest/gtest.h>
#include <locale>
#include <memory>
#include <sstream>

namespace qtr::test {
namespace {

std::string output(const std::string& command) {
    std::unique_ptr<FILE, int (*)(FILE*)> pipe(::popen(command.c_str(), "r"), ::pclose);
    if (!pipe) {
        ADD_FAILURE() << "cannot run: " << command;
        return {};
    }
    std::string out;
    char buf[4096];
    for (std::size_t n; (n = std::fread(buf, 1, sizeof buf, pipe.get())) > 0;) {
        out.append(buf, n);
    }
    return out;
}

std::string quoted(const std::filesystem::path& p) {
    return "'" + p.string() + "'";
}

} // namespace

std::string pdfText(const std::filesystem::path& pdf, double pitchPoints) {
    std::ostringstream command;
    command.imbue(std::locale::classic()); // a decimal point whatever the test's locale
    command << "pdftotext ";
    if (pitchPoints > 0) {
        command << "-fixed " << pitchPoints;
    } else {
        command << "-layout";
    }
    command << " -enc UTF-8 " << quoted(pdf) << " - 2>&1";
    return output(command.str());
}

std::vector<std::string> pdfLines(const std::filesystem::path& pdf, double pitchPoints) {
    std::string text = pdfText(pdf, pitchPoints);
    std::erase(text, '\f');
    std::vector<std::string> lines;
    std::size_t margin = std::string::npos;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) {
        line.erase(line.find_last_not_of(' ') + 1);
        if (!line.empty()) {
            margin = std::min(margin, line.find_first_not_of(' '));
        }
        lines.push_back(line);
    }
    for (auto& line : lines) {
        line.erase(0, std::min(margin, line.size()));
    }
    return lines;
}

std::string pdfInfo(const std::filesystem::path& pdf, const std::string& field) {
    std::istringstream info(output("pdfinfo " + quoted(pdf) + " 2>&1"));
    for (std::string line; std::getline(info, line);) {
        if (line.starts_with(field + ":")) {
            const std::size_t value = line.find_first_not_of(' ', field.size() + 1);
            return value == std::string::npos ? std::string() : line.substr(value);
        }
    }
    return {};
}

std::string pdfFonts(const std::filesystem::path& pdf) {
    return output("pdffonts " + quoted(pdf) + " 2>&1");
}

} // namespace qtr::test
