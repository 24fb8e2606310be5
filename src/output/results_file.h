#pragma once
// The results report (*.kvr) and its concordance and discordance side files.
// The section builders return text with "\n" line breaks (printing reuses
// them); the files themselves are written with CR LF.
#include <cstdint>
#include <string>
#include <vector>
#include "engine/progress.h"
#include "engine/results.h"
#include "model/project.h"
#include "output/text_sink.h"

namespace kvis {

// Removes trailing "0" characters (never the first character), then one
// trailing "." or "," when it is then last: "0.50" -> "0.5", "2.00" -> "2".
std::string trimZeros(std::string text);

// One titled table: header of column names, one row per row name with its
// cells (rows x cols texts, row by row), then an empty line.
void writeMatrixSection(std::string& out, const std::string& title,
                        const std::vector<std::string>& rowNames,
                        const std::vector<std::string>& columnNames,
                        const std::vector<std::string>& cells);
// The same for a matrix of results, streamed: `out` goes to its file row by row.
void writeMatrixSection(TextSink& out, const std::string& title, const std::vector<std::string>& rowNames,
                        const std::vector<std::string>& columnNames, const TextMatrix& cells);

// [Input Data], [Criteria] and [Alternatives].
void writeInputData(std::string& out, const Project& p);
// The three parameter lines of the input data.
void writeParameters(std::string& out, const Project& p);
// The criteria table: its title, two header lines and one line per criterion.
void writeCriteriaTable(std::string& out, const Project& p);

// "[Modified graph]", one line per added or removed arc, then an empty line.
void writeModifiedGraphSection(std::string& out, const Project& p, const ResultsSet& r);
// "[Kernel]" and one line per kernel vertex (no closing empty line).
void writeKernelLines(std::string& out, const Project& p, const ResultsSet& r);
// "[Final graph]": every vertex with its members, successors and predecessors.
void writeFinalGraphSection(std::string& out, const Project& p, const ResultsSet& r);

// Side files: the per-criterion matrices of concordance ('c') and discordance ('d').
std::string concordanceSideFile(const Project& p, const ResultsSet& r);
std::string discordanceSideFile(const Project& p, const ResultsSet& r);

// The path of a side file: the character after the first "." of the file name
// becomes the letter ("res.kvr" -> "res.cvr"); no "." appends "." and the
// letter, a "." at the end appends the letter.
std::string sideFilePath(const std::string& path, char letter);

// What of `mask` can be reported: only the input data while the results are
// not valid (they may be stale, or sized for another project).
int effectiveSelection(const DocumentState& d, int mask);

// The main report for the selection mask (bits of ResultBits); only the input
// data are written while the results are not valid.
std::string resultsReport(const Project& p, const DocumentState& d, const ResultsSet& r, int mask);

// "\n" -> "\r\n".
std::string withCrLf(const std::string& text);

// The files saveResultsFile writes for `mask`: the side files, then the main file.
std::vector<std::string> resultsFilePaths(const std::string& path, int mask);

// The memory that writing the files of `mask` takes beyond the results.
std::uint64_t resultsOutputBytes(const Project& p, int mask);

// Writes the report and its side files as one unit: all or none of them
// (model/atomic_file), the main file last. Returns false when a file cannot be
// written, or would be `projectFile` (the project's own file, never written
// over); *error then holds one "Cannot create file '<path>'" line per such file.
// `progress` (may be null) is polled as the text goes out; a cancel throws
// ComputationCancelled, and the set, uncommitted, leaves no file behind.
bool saveResultsFile(const std::string& path, const Project& p, const DocumentState& d,
                     const ResultsSet& r, int mask, std::string* error = nullptr,
                     const std::string& projectFile = {}, ComputeProgress* progress = nullptr);

}  // namespace kvis
