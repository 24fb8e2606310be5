#include "engine/text_matrix.h"

#include "engine/large_arrays.h"
#include "model/numfmt.h"

namespace kvis {

const std::string* TextMatrix::table() {
    static const std::vector<std::string> texts = [] {
        std::vector<std::string> t;
        for (int k = -kRoundedIndexLimit; k <= kRoundedIndexLimit; ++k)
            t.push_back(format("%5.2f", static_cast<double>(k) * 0.01));
        t.push_back("*");
        t.push_back("1");
        t.push_back("0");
        t.push_back("");
        return t;
    }();
    return texts.data();
}

void TextMatrix::assign(std::size_t cells) {
    other_.clear();
    assignLarge(codes_, cells, kEmpty);
}

void TextMatrix::release() {
    std::vector<Code>().swap(codes_);
    std::unordered_map<std::size_t, std::string>().swap(other_);
}

void TextMatrix::set(std::size_t cell, const std::string& text) {
    static const std::unordered_map<std::string, Code> codeOf = [] {
        std::unordered_map<std::string, Code> m;
        for (Code c = 0; c <= kEmpty; ++c) m.emplace(sharedText(c), c);
        return m;
    }();
    if (auto it = codeOf.find(text); it != codeOf.end()) {
        setCode(cell, it->second);
        return;
    }
    codes_[cell] = kOther;
    other_[cell] = text;
}

std::vector<std::string> TextMatrix::texts() const {
    std::vector<std::string> t;
    t.reserve(size());
    for (std::size_t k = 0; k < size(); ++k) t.push_back((*this)[k]);
    return t;
}

}  // namespace kvis
