#include "attendance/card_register.h"

#include "base/file_io.h"
#include "db/record_file.h"

#include <algorithm>
#include <cstring>
#include <system_error>

namespace qtr {
namespace fs = std::filesystem;

namespace {

constexpr std::size_t kRecord = AttendanceCard::kSize;

bool hasKey(const std::uint8_t* image, const KeyNumber& key) {
    return std::memcmp(image + kCardKeyOffset, key.bytes.data(), KeyNumber::kSize) == 0;
}

// Offset of the first record with the key, or npos.
std::size_t findKey(const std::vector<std::uint8_t>& bytes, const KeyNumber& key) {
    for (std::size_t at = 0; at + kRecord <= bytes.size(); at += kRecord) {
        if (hasKey(bytes.data() + at, key)) {
            return at;
        }
    }
    return std::string::npos;
}

void putCard(std::vector<std::uint8_t>& bytes, std::size_t at, const AttendanceCard& card) {
    card.toBytes(std::span(bytes).subspan(at, kRecord));
}

} // namespace

FileResult CardRegister::open(const fs::path& file) {
    path_ = file;
    open_ = false;
    hasFound_ = false;
    std::error_code ec;
    if (!fs::exists(file, ec)) {
        if (auto r = writeFileAtomically(file, std::span<const std::uint8_t>()); !r) {
            return r;
        }
        open_ = true;
        return FileResult::success();
    }
    std::vector<std::uint8_t> bytes;
    if (auto r = readWholeFile(file, bytes); !r) {
        return r;
    }
    open_ = true;
    if (bytes.size() % kRecord != 0) {
        // Reports the damage in the words of the other data files and keeps the copy.
        return readRecordFile(file, kRecord, bytes.size() / kRecord,
                              [](std::span<const std::uint8_t>) {})
            .result;
    }
    return FileResult::success();
}

FileResult CardRegister::readRecords(std::vector<std::uint8_t>& bytes) {
    if (!open_) {
        return FileResult::failure("Registr karet " + path_.filename().string() + " není otevřen.");
    }
    if (auto r = readWholeFile(path_, bytes); !r) {
        return r;
    }
    if (bytes.size() % kRecord != 0) {
        // Writes drop the partial record, so it must survive in the copy first.
        fs::path kept;
        if (auto r = keepBackupCopy(path_, kept); !r) {
            return r;
        }
        bytes.resize(bytes.size() / kRecord * kRecord);
    }
    return FileResult::success();
}

FileResult CardRegister::write(const std::vector<std::uint8_t>& bytes) {
    return writeFileAtomically(path_, bytes);
}

bool CardRegister::find(const KeyNumber& key) {
    fileError_.clear();
    std::vector<std::uint8_t> bytes;
    if (auto r = readRecords(bytes); !r) {
        fileError_ = r.error();
        return false;
    }
    const std::size_t at = findKey(bytes, key);
    if (at == std::string::npos) {
        return false;
    }
    buffer_ = AttendanceCard::fromBytes(std::span(bytes).subspan(at, kRecord));
    foundKey_ = key;
    hasFound_ = true;
    return true;
}

FileResult CardRegister::append(const AttendanceCard& card) {
    std::vector<std::uint8_t> bytes;
    if (auto r = readRecords(bytes); !r) {
        return r;
    }
    bytes.resize(bytes.size() + kRecord);
    putCard(bytes, bytes.size() - kRecord, card);
    return write(bytes);
}

FileResult CardRegister::update(const AttendanceCard& card) {
    if (!hasFound_) {
        return FileResult::failure("Kartu nelze přepsat: v registru " + path_.filename().string() +
                                   " nebyla vyhledána.");
    }
    std::vector<std::uint8_t> bytes;
    if (auto r = readRecords(bytes); !r) {
        return r;
    }
    const std::size_t at = findKey(bytes, foundKey_);
    if (at == std::string::npos) {
        return FileResult::failure("Karta klíče " + foundKey_.text() + " v registru " +
                                   path_.filename().string() + " už není.");
    }
    putCard(bytes, at, card);
    return write(bytes);
}

FileResult CardRegister::save(const AttendanceCard& card) {
    if (card.keyNumber.isZero()) {
        return FileResult::success();
    }
    if (find(card.keyNumber)) {
        return update(card);
    }
    if (!fileError_.empty()) {
        return FileResult::failure(fileError_);
    }
    return append(card);
}

FileResult CardRegister::readAll(std::vector<AttendanceCard>& cards) {
    cards.clear();
    std::vector<std::uint8_t> bytes;
    if (auto r = readRecords(bytes); !r) {
        return r;
    }
    for (std::size_t at = 0; at < bytes.size(); at += kRecord) {
        cards.push_back(AttendanceCard::fromBytes(std::span(bytes).subspan(at, kRecord)));
    }
    return FileResult::success();
}

} // namespace qtr
