#pragma once

#include "base/date_time.h"
#include "base/key_number.h"
#include "base/short_string.h"

#include <array>
#include <cstdint>
#include <span>

namespace qtr {

// One work section of an attendance card (51 bytes).
//   offset 0, 8   shiftDay   double, the calendar day the section belongs to; 0 = not set
//   offset 8, 1   code       attendance code
//   offset 9, 8   start      double, date and time; 0 = missing
//   offset 17, 8  end        double, date and time; 0 = missing
//   offset 25, 8  duration   double, end - start in days; 0 when not computed or invalid
//   offset 33, 18 note       string[17], where the checks leave their messages
// A new line is blank: everything 0 but code 1.
struct CardLine {
    static constexpr std::size_t kSize = 51;

    DateTime shiftDay = 0.0;
    std::uint8_t code = 1;
    DateTime start = 0.0;
    DateTime end = 0.0;
    DateTime duration = 0.0;
    ShortString<17> note;

    static CardLine fromBytes(std::span<const std::uint8_t> in);
    void toBytes(std::span<std::uint8_t> out) const;
    friend bool operator==(const CardLine&, const CardLine&) = default;
};

// The usual shifts the card register offers as patterns.
enum class ShiftPattern { Morning, Afternoon, Night };

// An attendance card: the image of KARTA.DAT, of a *.SAV copy and of each KARTY.DAT
// record (15343 bytes = a 43-byte header and 300 lines).
//   offset 0, 8    dateFrom     double, first day the card is valid for
//   offset 8, 8    dateTo       double, last day
//   offset 16, 7   keyNumber    the key holder's key; all zero = nobody
//   offset 23, 1   planFlag     1 when the lines were made from the usual shift
//   offset 24, 2   lineCount    lines in use, 0..300
//   offset 26, 8   usualStart   double, only its time of day counts
//   offset 34, 8   usualEnd     double, time of day; earlier than the start = a night shift
//   offset 42, 1   fillMissing  boolean byte: fill a missing start or end of a shift line
//   offset 43      300 lines of 51 bytes; slots beyond lineCount keep the bytes they were read with
class AttendanceCard {
public:
    static constexpr int kLineCapacity = 300;
    static constexpr std::size_t kHeaderSize = 43;
    static constexpr std::size_t kSize = kHeaderSize + kLineCapacity * CardLine::kSize;

    DateTime dateFrom = 0.0;
    DateTime dateTo = 0.0;
    KeyNumber keyNumber;
    std::uint8_t planFlag = 0;
    DateTime usualStart = 0.0;
    DateTime usualEnd = 0.0;
    std::uint8_t fillMissing = 0;

    int lineCount() const { return lineCount_; }
    bool isFull() const { return lineCount_ >= kLineCapacity; }
    // Line i, 1..lineCount.
    CardLine& line(int i) { return lines_[static_cast<std::size_t>(i - 1)]; }
    const CardLine& line(int i) const { return lines_[static_cast<std::size_t>(i - 1)]; }

    // The line operations of the card editor, with the editor's working line. Each is
    // false outside its range (append and insert: when 300 lines are in use) and then
    // changes nothing.
    bool appendLine(const CardLine& line);
    bool getLine(int i, CardLine& line) const;
    bool putLine(int i, const CardLine& line);
    // A blank line becomes line i and the working line: i within the card moves lines
    // i..count up and takes the shift day of the line that stood at i; i = count + 1
    // takes the shift day of the line before it; in an empty card (i = 1) it takes `day`.
    bool insertLine(int i, DateTime day, CardLine& working);
    bool deleteLine(int i);
    // No lines ("Vymazat všechna data").
    void removeAllLines() { lineCount_ = 0; }

    // No lines, no key holder, no plan, no dates; the usual shift and fillMissing stay.
    void clear();
    // Sets the usual start and end of the pattern and clears fillMissing.
    void applyPattern(ShiftPattern pattern);
    // The usual end earlier in the day than the usual start (equal times are no night shift).
    bool isNightShift() const;

    // A lineCount above 300 (a damaged file) is read as 300.
    static AttendanceCard fromBytes(std::span<const std::uint8_t> in);
    void toBytes(std::span<std::uint8_t> out) const;
    friend bool operator==(const AttendanceCard&, const AttendanceCard&) = default;

private:
    std::uint16_t lineCount_ = 0;
    std::array<CardLine, kLineCapacity> lines_{};
};

// Where the key of a card image stands, for looking cards up without decoding them.
inline constexpr std::size_t kCardKeyOffset = 16;
// The lineCount field of a card image as stored (it may exceed 300 in a damaged file).
std::uint16_t storedLineCount(std::span<const std::uint8_t> cardImage);

} // namespace qtr
