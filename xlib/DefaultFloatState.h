// The floating-point state the plug-in computes in, whatever state its caller runs with.
#pragma once

// For its lifetime the thread computes with round to nearest and every floating-point
// exception masked (SSE: MXCSR 0x1F80; x87: its initial state). The caller's control and
// status state, flags raised before the call included, is handed back as it was found, and
// no flag raised inside reaches the caller.
class DefaultFloatState {
public:
    DefaultFloatState();
    ~DefaultFloatState();
    DefaultFloatState(const DefaultFloatState&) = delete;
    DefaultFloatState& operator=(const DefaultFloatState&) = delete;

private:
    // The x87 environment as FNSTENV stores it: control, status and tag words and the
    // last instruction and operand pointers, 28 bytes in 32- and 64-bit mode alike.
    struct X87Environment {
        unsigned char bytes[28];
    };

    unsigned int callerMxcsr_;
    X87Environment callerX87_;
};
