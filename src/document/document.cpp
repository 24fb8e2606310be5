#include "document/document.h"

#include <utility>

#include "model/numfmt.h"
#include "model/project_ops.h"
#include "model/settings.h"

namespace kvis {

Subscription& Subscription::operator=(Subscription&& other) noexcept {
    if (this != &other) {
        reset();
        listeners_ = std::move(other.listeners_);
        id_ = other.id_;
    }
    return *this;
}

void Subscription::reset() {
    if (auto listeners = listeners_.lock()) listeners->erase(id_);
    listeners_.reset();
}

Document::Document() : listeners_(std::make_shared<Subscription::Listeners>()) {}

Subscription Document::beforeRelease(std::function<void()> listener) {
    const int id = nextListener_++;
    (*listeners_)[id] = std::move(listener);
    return Subscription(listeners_, id);
}

void Document::notifyRelease() {
    // A listener may end its own subscription, or another's, while they run.
    std::vector<int> ids;
    for (const auto& entry : *listeners_) ids.push_back(entry.first);
    for (int id : ids) {
        auto it = listeners_->find(id);
        if (it == listeners_->end()) continue;
        const std::function<void()> listener = it->second;
        listener();
    }
}

void Document::releaseResults() {
    notifyRelease();
    results_.release();
}

void Document::replaceProject(Project p) {
    releaseResults();
    project_ = std::move(p);
}

void Document::start(const Parameters& fromSettings, const std::array<std::string, 4>& recent) {
    releaseResults();
    resetProject(project_, state_, fromSettings);
    state_.untitled = 0;
    state_.projectPath.clear();
    state_.projectTitle.clear();
    state_.recentProjects = recent;
}

void Document::newProject(const Parameters& fromSettings) {
    releaseResults();
    resetProject(project_, state_, fromSettings);
    state_.untitled = 1;
    state_.projectTitle = "[new]";
}

void Document::open(Project loaded, std::string path, int testMode) {
    replaceProject(std::move(loaded));
    state_.testMode = testMode;
    state_.projectTitle = path;
    state_.projectPath = path;
    state_.resultsValid = 0;
    state_.modified = 0;
    state_.untitled = 0;
    insertRecent(state_.recentProjects, path);
}

void Document::import(Project imported, std::string path, const Parameters& fromSettings) {
    replaceProject(std::move(imported));
    project_.levelOfConcordance = fromSettings.levelOfConcordance;
    project_.maxArcsToCut = fromSettings.maxArcsToCut;
    project_.acceptableLoss = fromSettings.acceptableLoss;
    state_.projectTitle = path;
    state_.projectPath = path;
    state_.selectionMask = 0;
    state_.modified = 1;
    state_.untitled = 1;
    state_.resultsValid = 0;
}

void Document::saved() { state_.modified = 0; }

void Document::savedAs(std::string path) {
    state_.projectTitle = path;
    state_.projectPath = path;
    state_.modified = 0;
    insertRecent(state_.recentProjects, path);
    state_.untitled = 0;
}

ComputeOutcome Document::compute(const EngineRunner& run) {
    const bool goesAhead = !state_.resultsValid && validate(project_).passed();
    if (goesAhead) releaseResults();
    if (!goesAhead || !run) return computeResults(project_, state_, results_);
    // The engine fills results and a state of its own; they become the
    // document's only once it has ended.
    ResultsSet fresh;
    DocumentState computed = state_;
    ComputeOutcome out;
    run([&](ComputeProgress* progress) {
        out = computeResults(project_, computed, fresh, 0, progress);
        // Cancel that came after the engine's last check still cancels: the
        // user is not handed results, or a failure, after asking to stop.
        if (out.status != ComputeStatus::Cancelled && progress && progress->cancelRequested()) {
            fresh = ResultsSet{};
            computed.resultsValid = 0;
            out = ComputeOutcome{ComputeStatus::Cancelled, Check::Passed, {}, {}, MessageButtons::Ok};
        }
    });
    results_ = std::move(fresh);
    state_.resultsValid = computed.resultsValid;
    return out;
}

void Document::addAlternative(const std::string& name, const std::vector<double>& values) {
    notifyRelease();
    kvis::addAlternative(project_, state_, name);
    const int a = project_.n - 1;
    for (int c = 0; c < project_.m; ++c) {
        const double v = c < static_cast<int>(values.size()) ? values[static_cast<size_t>(c)] : 0.0;
        kvis::setEvaluation(project_, state_, a, c, v, format("%g", v));
    }
}

void Document::deleteAlternative(int a) {
    if (a < 0 || a >= project_.n) return;
    notifyRelease();
    kvis::deleteAlternative(project_, state_, a);
}

void Document::renameAlternative(int a, const std::string& name) { kvis::renameAlternative(project_, state_, a, name); }

void Document::setEvaluation(int a, int c, double value, const std::string& text) {
    kvis::setEvaluation(project_, state_, a, c, value, text);
}

void Document::setEvaluationText(int a, int c, const std::string& text) {
    if (a < 0 || a >= project_.n || c < 0 || c >= project_.m) return;
    project_.evaluationTexts[static_cast<size_t>(a) * static_cast<size_t>(project_.m) + static_cast<size_t>(c)] = text;
}

std::string Document::typeEvaluation(int a, int c, const std::string& typed) {
    return kvis::typeEvaluation(project_, state_, a, c, typed);
}

void Document::addCriterion(const Criterion& c) {
    notifyRelease();
    kvis::addCriterion(project_, state_, c);
}

void Document::modifyCriterion(int j, const Criterion& c) { kvis::modifyCriterion(project_, state_, j, c); }

void Document::deleteCriterion(int j) {
    if (j < 0 || j >= project_.m) return;
    notifyRelease();
    kvis::deleteCriterion(project_, state_, j);
}

void Document::setLevelOfConcordance(double s) { kvis::setLevelOfConcordance(project_, state_, s); }

void Document::setAdvancedOptions(int maxArcsToCut, double acceptableLoss) {
    kvis::setAdvancedOptions(project_, state_, maxArcsToCut, acceptableLoss);
}

void Document::setComparePair(int first, int second) { state_.comparePair = {first, second}; }

void Document::setSelectionMask(int mask) { state_.selectionMask = mask; }

void Document::setOpenViewsMask(int mask) { state_.openViewsMask = mask; }

}  // namespace kvis
