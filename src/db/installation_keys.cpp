#include "db/installation_keys.h"

#include "base/file_io.h"
#include "base/hex_text.h"
#include "base/text_lines.h"

#include <algorithm>

namespace qtr {
namespace fs = std::filesystem;

namespace {

constexpr std::string_view kMasterTag = "HLAVNI=";
constexpr std::string_view kServiceTag = "SERVIS=";
// Seven key lines and their comments fit many times over.
constexpr std::uint64_t kInstallationKeysFileLimit = 64 * 1024;

std::string_view trimmed(std::string_view s) {
    const auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; };
    while (!s.empty() && blank(s.front())) {
        s.remove_prefix(1);
    }
    while (!s.empty() && blank(s.back())) {
        s.remove_suffix(1);
    }
    return s;
}

std::string lineError(std::size_t line, std::string_view what) {
    return std::string(kInstallationKeysFile) + ", řádek " + std::to_string(line) + ": " +
           std::string(what);
}

} // namespace

bool InstallationKeys::isAdministratorKey(const KeyNumber& key) const {
    if (key.isZero()) {
        return false;
    }
    if (masterKey && *masterKey == key) {
        return true;
    }
    return std::find(serviceKeys.begin(), serviceKeys.end(), key) != serviceKeys.end();
}

bool isProvisionableKeyText(std::string_view text) {
    return text.size() == 2 * KeyNumber::kSize && isHexText(text) &&
           !KeyNumber::parse(text).isZero();
}

std::string installationKeysText(const InstallationKeys& keys) {
    std::vector<std::string> lines = {
        "; Klíče této instalace QTR (zapisuje qtr-cli master-key).",
        "; HLAVNI = hlavní klíč správce, SERVIS = servisní klíč (nejvýše šest).",
    };
    if (keys.masterKey) {
        lines.push_back(std::string(kMasterTag) + keys.masterKey->text());
    }
    for (const auto& k : keys.serviceKeys) {
        lines.push_back(std::string(kServiceTag) + k.text());
    }
    return win1250TextFromLines(lines);
}

bool parseInstallationKeysText(std::string_view text, InstallationKeys& keys, std::string& error) {
    InstallationKeys parsed;
    const auto lines = splitWin1250Lines(text);
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const std::size_t lineNo = i + 1;
        const std::string_view line = trimmed(lines[i]);
        if (line.empty() || line.front() == ';' || line.front() == '#') {
            continue;
        }
        const bool master = line.starts_with(kMasterTag);
        const bool service = line.starts_with(kServiceTag);
        if (!master && !service) {
            error = lineError(lineNo, "neznámý údaj");
            return false;
        }
        const std::string_view value = trimmed(line.substr(kMasterTag.size()));
        if (!isProvisionableKeyText(value)) {
            error = lineError(lineNo, "klíč musí mít 14 šestnáctkových číslic a nesmí být nulový");
            return false;
        }
        const KeyNumber key = KeyNumber::parse(value);
        if (master) {
            if (parsed.masterKey) {
                error = lineError(lineNo, "hlavní klíč je uveden dvakrát");
                return false;
            }
            parsed.masterKey = key;
        } else {
            if (parsed.serviceKeys.size() == kServiceKeyCount) {
                error = lineError(lineNo, "servisních klíčů smí být nejvýše šest");
                return false;
            }
            parsed.serviceKeys.push_back(key);
        }
    }
    keys = std::move(parsed);
    return true;
}

FileResult loadInstallationKeys(const fs::path& dir, InstallationKeys& keys) {
    keys = {};
    const fs::path file = dir / kInstallationKeysFile;
    if (!isPresent(file)) {
        return FileResult::success();
    }
    std::vector<std::uint8_t> bytes;
    if (auto r = readWholeFile(file, bytes, kInstallationKeysFileLimit); !r) {
        return r;
    }
    std::string error;
    const std::string_view text(reinterpret_cast<const char*>(bytes.data()), bytes.size());
    if (!parseInstallationKeysText(text, keys, error)) {
        return FileResult::failure(error);
    }
    return FileResult::success();
}

FileResult saveInstallationKeys(const fs::path& dir, const InstallationKeys& keys) {
    return writeFileAtomically(dir / kInstallationKeysFile, installationKeysText(keys),
                               FileAccess::OwnerOnly);
}

} // namespace qtr
