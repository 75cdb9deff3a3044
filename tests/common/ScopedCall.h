// ScopedCall: a test's stand-in for a replaceable call, put back however the test ends.
#pragma once

// Puts a replacement in place of a call that the code lets tests replace through a
// setter returning the call that was in place (gui::SetShellExecuteCall,
// CommonControl::SetInitialiser, util::logging::SetDebugOutputWriter), and puts that call
// back when the guard goes, also when a failed assertion ends the test early.
template <typename Call>
class ScopedCall {
public:
    ScopedCall(Call (*set)(Call), Call replacement) : set_(set), previous_(set(replacement)) {}
    ~ScopedCall() { set_(previous_); }
    ScopedCall(const ScopedCall&) = delete;
    ScopedCall& operator=(const ScopedCall&) = delete;

private:
    Call (*set_)(Call);
    Call previous_;
};
