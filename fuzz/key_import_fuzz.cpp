// The key holder import text: any bytes are read and checked as a whole; a file that
// cannot be used changes nothing, a usable one is imported into a table that may already
// hold holders; the counts add up, the capacity holds, and every holder imported is
// exported as a line that reads back as the same holder.
// Input: [flags] [file bytes...]; flag bit 0: replace, bit 1: start with 999 holders.
#include "db/key_holder_transfer.h"
#include "db/tables.h"
#include "fuzz_support.h"

using qtr::fuzz::check;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    qtr::fuzz::Input in(data, size);
    const std::uint8_t flags = in.byte();
    const std::string_view text = in.text();

    qtr::KeyHolderTable table;
    const int before = (flags & 2) != 0 ? 999 : 2;
    for (int i = 0; i < before; ++i) {
        table.newRecord();
        table.current().keyNumber.bytes[1] = static_cast<std::uint8_t>(i);
        table.current().keyNumber.bytes[2] = static_cast<std::uint8_t>(i >> 8);
        table.append();
    }
    const bool replace = (flags & 1) != 0;
    qtr::KeyHolderTransferFile file;
    const qtr::FileResult read = qtr::parseKeyHolderTransferText(text, file);
    if (!read) {
        // A file that cannot be used changes nothing.
        check(!read.error().empty() && table.count() == before);
        return 0;
    }
    check(!file.holders.empty() && file.skipped >= 0);
    const qtr::KeyHolderImport r = qtr::importKeyHolders(table, file, replace);
    check(table.count() <= 1000);
    check(table.count() == (replace ? 0 : before) + r.added);
    check(r.added + r.skipped == static_cast<int>(file.holders.size()) + file.skipped);
    for (int i = 1; i <= table.count(); ++i) {
        const qtr::KeyHolderRecord& h = table.at(i);
        const std::string line = qtr::keyHolderTransferLine(h);
        const auto back = qtr::parseKeyHolderTransferLine(line);
        check(back.has_value());
        check(back->keyNumber == h.keyNumber);
        check(back->holderName.text() == h.holderName.text());
        check(back->groupName.text() == h.groupName.text());
        check(back->permissionGroupName.text() == h.permissionGroupName.text());
    }
    return 0;
}
