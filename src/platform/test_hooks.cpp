#include "platform/test_hooks.h"

namespace kvis {

namespace {
TestHooks* g_active = nullptr;
}

TestHooks::TestHooks() : previous_(g_active) { g_active = this; }
TestHooks::~TestHooks() { g_active = previous_; }
TestHooks* TestHooks::active() { return g_active; }

int TestHooks::nextAnswer(int fallback) {
    if (answers.empty()) return fallback;
    int a = answers.front();
    answers.pop_front();
    return a;
}

}  // namespace kvis
