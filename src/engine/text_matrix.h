#pragma once
// The texts of an n x n matrix of results, two bytes a cell. Almost every text
// a computation writes is one of a few hundred ("%5.2f" of a rounded index,
// "*", "1", "0"): a cell keeps the code of its text in a table shared by every
// matrix, and the rare other text (an index beyond the table) is kept aside
// for its cell alone. Reading a cell gives the very text it was given.
#include <cstddef>
#include <cstdint>
#include <string>
#include <unordered_map>
#include <vector>

namespace kvis {

class TextMatrix {
public:
    using Code = std::uint16_t;

    // The shared table: "%5.2f" of index * 0.01 for |index| <= kRoundedIndexLimit,
    // then "*", "1", "0" and the empty text a fresh matrix holds.
    static constexpr int kRoundedIndexLimit = 200;
    static constexpr Code kStar = 2 * kRoundedIndexLimit + 1;
    static constexpr Code kOne = kStar + 1;
    static constexpr Code kZero = kStar + 2;
    static constexpr Code kEmpty = kStar + 3;
    static constexpr Code roundedIndexCode(int index) { return static_cast<Code>(index + kRoundedIndexLimit); }
    static const std::string& sharedText(Code code) { return table()[code]; }

    TextMatrix() : shared_(table()) {}

    // `cells` empty texts, in a block of their own.
    void assign(std::size_t cells);
    void release();
    std::size_t size() const { return codes_.size(); }
    bool empty() const { return codes_.empty(); }
    const void* data() const { return codes_.data(); }

    const std::string& operator[](std::size_t cell) const {
        const Code code = codes_[cell];
        return code != kOther ? shared_[code] : other_.at(cell);
    }
    // A text of the shared table, by its code: the fill's one write per cell.
    void setCode(std::size_t cell, Code code) {
        if (codes_[cell] == kOther) other_.erase(cell);
        codes_[cell] = code;
    }
    // Any text: its code when the table has it, else kept for the cell.
    void set(std::size_t cell, const std::string& text);

    // Every text, row by row (for tests and small matrices).
    std::vector<std::string> texts() const;

    bool operator==(const TextMatrix& o) const { return codes_ == o.codes_ && other_ == o.other_; }

private:
    static constexpr Code kOther = 0xFFFF;
    static const std::string* table();

    const std::string* shared_;
    std::vector<Code> codes_;
    std::unordered_map<std::size_t, std::string> other_;
};

// Read access to an array of texts kept either way: plain strings (the
// evaluations of a project) or a TextMatrix (a matrix of results).
class TextCells {
public:
    TextCells() = default;
    TextCells(const std::string* plain) : plain_(plain) {}
    TextCells(const TextMatrix& coded) : coded_(&coded) {}
    const std::string& operator[](std::size_t cell) const { return plain_ ? plain_[cell] : (*coded_)[cell]; }
    bool operator==(const TextCells&) const = default;

private:
    const std::string* plain_ = nullptr;
    const TextMatrix* coded_ = nullptr;
};

}  // namespace kvis
