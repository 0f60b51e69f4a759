#pragma once

#include <string>
#include <utility>

namespace qtr {

// Outcome of a file operation: success, or a Czech text naming the file and the reason.
class [[nodiscard]] FileResult {
public:
    static FileResult success() { return FileResult(); }
    static FileResult failure(std::string text) {
        FileResult r;
        r.ok_ = false;
        r.error_ = std::move(text);
        return r;
    }

    bool ok() const { return ok_; }
    explicit operator bool() const { return ok_; }
    const std::string& error() const { return error_; }

private:
    FileResult() = default;
    bool ok_ = true;
    std::string error_;
};

} // namespace qtr
