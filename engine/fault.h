// Typed run-time faults of the engine and the chart.
//
// The property functions and the chart drawers have no handlers of their own:
// a floating-point fault, a table index out of range or an integer overflow
// is raised to the command that started the work, which reports it (or, for
// the screen drawing commands, ignores it). Nothing returns NaN or infinity
// silently and nothing is undefined behaviour.
#pragma once

#include <cstring>
#include <stdexcept>
#include <string>

namespace hyg {

// Base of every run-time fault that a command handler traps.
class RunTimeFault : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Overflow, division by zero or an invalid operation (log of a non-positive
// number, 0/0, P equal to p_s ...). The result would not be finite.
class FloatingPointFault : public RunTimeFault {
public:
    enum class Kind { Overflow, DivisionByZero, Invalid };
    FloatingPointFault(Kind kind, const std::string& where)
        : RunTimeFault(describe(kind) + " in " + where)
        , kind_(kind) {}
    Kind kind() const { return kind_; }

private:
    static std::string describe(Kind k) {
        switch (k) {
        case Kind::Overflow:
            return "floating-point overflow";
        case Kind::DivisionByZero:
            return "division by zero";
        default:
            return "invalid floating-point operation";
        }
    }
    Kind kind_;
};

// A table index outside the bounds of its table ("subscript out of range").
class IndexFault : public RunTimeFault {
public:
    explicit IndexFault(const std::string& what)
        : RunTimeFault("index out of range: " + what) {}
};

// A value that does not fit the 16-bit or 32-bit integer it is stored in.
class IntegerOverflowFault : public RunTimeFault {
public:
    explicit IntegerOverflowFault(const std::string& what)
        : RunTimeFault("integer overflow: " + what) {}
};

// A file or stream that cannot be opened, read or written. The text says what
// failed and, where the system gave one, its reason once:
// "cannot write k.pgl: No space left on device".
class IoFault : public RunTimeFault {
public:
    explicit IoFault(const std::string& what)
        : RunTimeFault(what) {}
    // `what` followed by the system's text for `errnum` (an errno value).
    IoFault(const std::string& what, int errnum)
        : RunTimeFault(what + ": " + std::strerror(errnum))
        , errnum_(errnum) {}
    // The errno value of the failure, 0 when the system gave none.
    int error() const { return errnum_; }

private:
    int errnum_ = 0;
};

} // namespace hyg
