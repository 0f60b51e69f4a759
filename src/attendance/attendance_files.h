#pragma once

namespace qtr {

// The attendance files in the working directory.
inline constexpr const char* kCodeListFile = "DRUHPRAC.DAT";
inline constexpr const char* kRowDefinitionFile = "DEFRADVY.DAT";
inline constexpr const char* kWorkingCardFile = "KARTA.DAT";
inline constexpr const char* kCardRegisterFile = "KARTY.DAT";

} // namespace qtr
