// The project-file reader on any text; a project it reads is saved and read
// again, and must then save to the same text.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "fuzz_check.h"
#include "model/project_file.h"

namespace {

using namespace kvis;

// A name equal to a keyword is found by the lookup of that keyword: such a file
// does not read back as it was written, by the file format's own rule.
bool nameIsKeyword(const Project& p) {
    static const std::string_view keywords[] = {"no_of_criteria", "no_of_alternatives", "thres_s",
                                                "criteria",       "weights",            "thres_p",
                                                "thres_q",        "thres_v",            "alternatives"};
    auto isKeyword = [](const std::string& name) {
        for (std::string_view k : keywords)
            if (name == k) return true;
        return false;
    };
    for (const Criterion& c : p.criteria)
        if (isKeyword(c.name)) return true;
    for (const Alternative& a : p.alternatives)
        if (isKeyword(a.name)) return true;
    return false;
}

void checkShape(const Project& p) {
    checkProjectShape(p);
    FUZZ_CHECK(p.levelOfConcordance > 0);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    if (claimedCells(text) > 5000) return 0;
    Project p;
    p.maxArcsToCut = 5;
    const LoadResult first = parseProject(text, p);
    if (!first.ok) {
        FUZZ_CHECK(p.m == 0 && p.n == 0 && p.maxArcsToCut == 5);  // a failed load changes nothing
        return 0;
    }
    checkShape(p);
    FUZZ_CHECK(p.maxArcsToCut == 5);
    const std::string saved = projectText(p);
    Project q;
    const LoadResult again = parseProject(saved, q);
    if (nameIsKeyword(p)) return 0;
    FUZZ_CHECK(again.ok);
    checkShape(q);
    FUZZ_CHECK(q.m == p.m && q.n == p.n);
    FUZZ_CHECK(projectText(q) == saved);
    return 0;
}
