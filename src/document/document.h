#pragma once
// The one document of the program: the Project, its document state, the
// results of the last computation and the indices one dialog hands to the
// next. The application object owns it and hands it by reference to every
// dialog, command flow and view.
//
// Readers (dialogs, views, writers) read the arrays in place through the const
// accessors. Every change goes through an operation below, which sets
// `modified` and `resultsValid` as the operation requires; nothing else
// writes them.
#include <array>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "engine/compute.h"
#include "engine/results.h"
#include "model/project.h"

namespace kvis {

// Ends a listener's subscription when destroyed (or reset).
class Subscription {
public:
    Subscription() = default;
    Subscription(Subscription&&) noexcept = default;
    Subscription& operator=(Subscription&& other) noexcept;
    Subscription(const Subscription&) = delete;
    Subscription& operator=(const Subscription&) = delete;
    ~Subscription() { reset(); }
    void reset();

private:
    friend class Document;
    using Listeners = std::map<int, std::function<void()>>;
    Subscription(std::weak_ptr<Listeners> listeners, int id) : listeners_(std::move(listeners)), id_(id) {}
    std::weak_ptr<Listeners> listeners_;
    int id_ = 0;
};

class Document {
public:
    Document();
    Document(const Document&) = delete;
    Document& operator=(const Document&) = delete;

    const Project& project() const { return project_; }
    const DocumentState& state() const { return state_; }
    const ResultsSet& results() const { return results_; }

    // Set by the dialog that opens the next one, just before it does.
    int selectedAlternative = 0;
    int selectedCriterion = 0;
    int selectedKernelVertex = 0;

    // The listeners run before any array of the Project or of the ResultsSet is
    // released or re-created: New, Open, Import, a changed number of
    // alternatives or criteria, a computation that goes ahead. Whatever shows
    // those arrays in place lets go of them there; the application connects its
    // close-all step, so no view outlives or out-sizes what it shows.
    [[nodiscard]] Subscription beforeRelease(std::function<void()> listener);

    // ---- The whole project ------------------------------------------------------
    // Program start: empty project, parameters and recent list from the settings.
    void start(const Parameters& fromSettings, const std::array<std::string, 4>& recent);
    // New: empty project, results released, untitled, title "[new]".
    void newProject(const Parameters& fromSettings);
    // Open: the project read from `path` (its parameters kept by the reader).
    // Paths are taken by value: one may be an entry of the recent list that
    // the operation rewrites.
    void open(Project loaded, std::string path, int testMode);
    // Import: the project read from a sibling file, named `path` (ending in
    // "KVS"), with the parameters re-read from the settings; modified, untitled.
    void import(Project imported, std::string path, const Parameters& fromSettings);
    // Save wrote the project to its own file.
    void saved();
    // Save As wrote it to `path`, which becomes its file.
    void savedAs(std::string path);
    // Computations: validation, then the engine; resultsValid = 1 on success.
    // The old results (and the views on them) go only when the project passes
    // validation; a refused project keeps both. `run` runs the engine of a
    // computation that goes ahead, with the progress it chooses, and returns
    // once it has ended, on whatever thread it chooses (none: here, without
    // progress); what the engine throws passes through. Meanwhile the engine
    // alone owns the results it fills and the project must not change; the
    // document's own results stay released until it ends.
    using Engine = std::function<void(ComputeProgress* progress)>;
    using EngineRunner = std::function<void(const Engine& engine)>;
    ComputeOutcome compute(const EngineRunner& run = {});

    // ---- Editing: each sets the flags of its row in the operations table ---------
    // Appended last with its values; every evaluation text rebuilt as "%g".
    void addAlternative(const std::string& name, const std::vector<double>& values);
    void deleteAlternative(int a);
    void renameAlternative(int a, const std::string& name);  // modified only when it differs
    void setEvaluation(int a, int c, double value, const std::string& text);
    // The text alone, for a value typed again as it was: no flag changes.
    void setEvaluationText(int a, int c, const std::string& text);
    // A text typed into the grid of evaluations, or moved over there: read
    // leniently unless it is "-" or the value's own "%g" text, which keep the
    // value exactly; resultsValid = 0, modified only when the value changed.
    // Returns the text the cell shows.
    std::string typeEvaluation(int a, int c, const std::string& typed);
    void addCriterion(const Criterion& c);
    void modifyCriterion(int j, const Criterion& c);
    void deleteCriterion(int j);
    // modified only when the level changes; the results are invalid either way.
    void setLevelOfConcordance(double s);
    // Never sets modified; resultsValid = 0 when either value changes.
    void setAdvancedOptions(int maxArcsToCut, double acceptableLoss);

    // ---- Choices kept with the document; no flag depends on them -----------------
    void setComparePair(int first, int second);
    void setSelectionMask(int mask);
    void setOpenViewsMask(int mask);

private:
    friend struct DocumentAccess;  // tests set a document up directly

    // Runs the listeners, then empties the results.
    void releaseResults();
    void notifyRelease();
    void replaceProject(Project p);

    Project project_;
    DocumentState state_;
    ResultsSet results_;
    std::shared_ptr<Subscription::Listeners> listeners_;
    int nextListener_ = 1;
};

}  // namespace kvis
