#pragma once
// Runs a clean-up when the scope ends, also when the scope is left by an exception.
#include <utility>

namespace core {

template <class F>
class ScopeExit {
  public:
    explicit ScopeExit(F f) : f_(std::move(f)) {}
    ~ScopeExit() { f_(); }
    ScopeExit(const ScopeExit&) = delete;
    ScopeExit& operator=(const ScopeExit&) = delete;

  private:
    F f_;
};

}  // namespace core
