#pragma once

#include "comm/unit_transaction.h"

namespace qtr {

// Key reading at the reader speaks to the operator through the message routines.
class MessageKeyReadDialogs final : public KeyReadDialogs {
public:
    void askForKey() override;
    void showReadFailure(const std::string& errorText) override;
};

} // namespace qtr
