#pragma once
// An exception must not cross the system's frames: a system callback (font
// enumeration, rich-text streaming, monitor enumeration) runs its work
// through Run, which catches what is thrown and tells the callback to stop;
// the caller rethrows it with Rethrow once the system call has returned.
#include <exception>
#include <utility>

namespace zandrel {

class CallbackErrors {
public:
    // False when `work` threw: the callback then asks the system to stop.
    template <typename Work> bool Run(Work&& work) noexcept {
        try {
            work();
            return true;
        } catch (...) {
            if (!error_) {
                error_ = std::current_exception();
            }
            return false;
        }
    }

    // The first exception caught, if any.
    void Rethrow() {
        if (error_) {
            std::rethrow_exception(std::exchange(error_, nullptr));
        }
    }

private:
    std::exception_ptr error_;
};

} // namespace zandrel
