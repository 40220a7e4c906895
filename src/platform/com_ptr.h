#pragma once
// An owning COM interface pointer: released when it goes, never copied.
#include <unknwn.h>

#include <utility>

namespace platform {

template <class T>
class ComPtr {
  public:
    ComPtr() = default;
    ~ComPtr() { reset(); }
    ComPtr(ComPtr&& o) noexcept : p_(std::exchange(o.p_, nullptr)) {}
    ComPtr& operator=(ComPtr&& o) noexcept {
        if (this != &o) {
            reset();
            p_ = std::exchange(o.p_, nullptr);
        }
        return *this;
    }
    ComPtr(const ComPtr&) = delete;
    ComPtr& operator=(const ComPtr&) = delete;

    T* get() const { return p_; }
    T* operator->() const { return p_; }
    explicit operator bool() const { return p_ != nullptr; }
    // For functions that hand out a new reference through T**.
    T** put() {
        reset();
        return &p_;
    }
    void** put_void() { return reinterpret_cast<void**>(put()); }
    void reset() {
        if (p_) std::exchange(p_, nullptr)->Release();
    }

    // Another interface of the same object; empty when the object has none.
    template <class U>
    ComPtr<U> As(REFIID iid) const {
        ComPtr<U> out;
        if (p_) p_->QueryInterface(iid, out.put_void());
        return out;
    }

  private:
    T* p_ = nullptr;
};

}  // namespace platform
