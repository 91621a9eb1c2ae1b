#pragma once
// Where a platform service is found. Each service (sound, shell, drives, clipboard, settings,
// notices) is an interface with one real implementation, made the first time it is asked for,
// and tests put a stand-in in its place. The service's own Current() and Install() are one-line
// calls to its Locator, so the rule is written once: a stand-in, while installed, is what
// Current() answers; installing nullptr gives the real one back, the same object as before.
#include <memory>
#include <mutex>
#include <utility>

namespace platform {

template <class Interface> class Locator {
public:
    using Factory = std::shared_ptr<Interface> (*)();

    // constexpr, so a service's locator is ready before any code runs (declare it constinit).
    constexpr explicit Locator(Factory makeDefault) : makeDefault_(makeDefault) {}
    Locator(const Locator&) = delete;
    Locator& operator=(const Locator&) = delete;

    Interface& Current() {
        if (installed_) return *installed_;
        // Made once even when two threads ask at the same time, as a function's static would be.
        std::call_once(made_, [this] { default_ = makeDefault_(); });
        return *default_;
    }

    // A stand-in for the real one; nullptr restores the real one.
    void Install(std::shared_ptr<Interface> standIn) { installed_ = std::move(standIn); }

private:
    Factory makeDefault_;
    std::once_flag made_;
    std::shared_ptr<Interface> default_;
    std::shared_ptr<Interface> installed_;
};

} // namespace platform
