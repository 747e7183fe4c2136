#pragma once
// Owning, intrusively counted pointer to a runtime object. A Ref owns; a plain pointer observes.

#include <cstddef>
#include <type_traits>
#include <utility>

template <class T>
class Ref {
public:
    Ref() = default;
    Ref(std::nullptr_t) {}
    Ref(T* p) : p_(p) { if (p_) p_->retain(); }
    Ref(const Ref& o) : Ref(o.p_) {}
    Ref(Ref&& o) noexcept : p_(std::exchange(o.p_, nullptr)) {}
    template <class U>
        requires std::is_convertible_v<U*, T*>
    Ref(const Ref<U>& o) : Ref(o.get()) {}
    template <class U>
        requires std::is_convertible_v<U*, T*>
    Ref(Ref<U>&& o) noexcept : p_(o.leak()) {}
    ~Ref() { if (p_) p_->release(); }

    Ref& operator=(Ref o) noexcept {
        std::swap(p_, o.p_);
        return *this;
    }

    T* get() const { return p_; }
    T* operator->() const { return p_; }
    T& operator*() const { return *p_; }
    operator T*() const { return p_; }

    // Gives up ownership without releasing; the caller takes over the reference.
    [[nodiscard]] T* leak() { return std::exchange(p_, nullptr); }

private:
    T* p_ = nullptr;
};

// Allocates and initialises an object: the ObjC [[T alloc] init...] pair.
template <class T, class... A>
Ref<T> make(A&&... args) {
    return Ref<T>(new T(std::forward<A>(args)...));
}
