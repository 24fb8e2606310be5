#include "platform/test_hooks.h"

#include <cstdio>
#include <cstdlib>
#include <utility>

namespace kvis {

namespace {
TestHooks* g_active = nullptr;

TestHooks::UnusedReporter& unusedReporter() {
    static TestHooks::UnusedReporter r;
    return r;
}

void count(std::string& out, size_t n, const char* what) {
    if (n == 0) return;
    out += (out.empty() ? "" : ", ") + std::to_string(n) + " " + what;
}
}  // namespace

TestHooks::TestHooks() : previous_(g_active) { g_active = this; }

TestHooks::~TestHooks() {
    g_active = previous_;
    std::string left;
    count(left, answers.size(), "message box answer(s)");
    count(left, files.size(), "file dialog answer(s)");
    count(left, dialogScripts.size(), "dialog script(s)");
    count(left, printAnswers.size(), "print dialog answer(s)");
    count(left, progressScripts.size(), "progress script(s)");
    if (left.empty()) return;
    const std::string message = "Test hooks ended with unused " + left;
    if (const UnusedReporter& report = unusedReporter()) {
        report(message);
        return;
    }
    std::fprintf(stderr, "%s\n", message.c_str());
    std::abort();
}

TestHooks* TestHooks::active() { return g_active; }

TestHooks::UnusedReporter TestHooks::setUnusedReporter(UnusedReporter r) {
    return std::exchange(unusedReporter(), std::move(r));
}

int TestHooks::nextAnswer(int fallback) {
    if (answers.empty()) return fallback;
    int a = answers.front();
    answers.pop_front();
    return a;
}

}  // namespace kvis
