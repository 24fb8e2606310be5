#pragma once
// Results made by hand for the view tests: alternatives of the given names,
// each its own vertex and no arc until a test adds them.
#include <algorithm>
#include <string>
#include <vector>

#include "document_access.h"

namespace kvis {

inline std::vector<std::string> numberedNames(int n) {
    std::vector<std::string> names;
    for (int i = 1; i <= n; ++i) names.push_back("a" + std::to_string(i));
    return names;
}

inline ResultsSet& handMadeResults(Document& doc, const std::vector<std::string>& names) {
    Project& p = DocumentAccess::project(doc);
    p.n = int(names.size());
    p.alternatives.clear();
    for (const std::string& name : names) p.alternatives.push_back({name});
    ResultsSet& r = DocumentAccess::results(doc);
    r.allocate(p.n);
    for (int v = 0; v < p.n; ++v) r.vertexMembers[r.at(v, 0)] = v;
    r.vertexCount = p.n;
    return r;
}

// Vertex v of the final graph holds the alternatives members[v].
inline void groupVertices(ResultsSet& r, const std::vector<std::vector<int>>& members) {
    std::fill(r.vertexMembers.begin(), r.vertexMembers.end(), -1);
    for (size_t v = 0; v < members.size(); ++v)
        std::copy(members[v].begin(), members[v].end(), r.vertexMembers.begin() + r.at(int(v), 0));
    r.vertexCount = int(members.size());
}

}  // namespace kvis
