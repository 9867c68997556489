// The floating-point state the plug-in computes in.
#include "xlib/DefaultFloatState.h"

namespace {

// Round to nearest, all six exceptions masked, flags clear, no flush to zero.
constexpr unsigned int kDefaultMxcsr = 0x1F80;

}  // namespace

DefaultFloatState::DefaultFloatState()
{
    // FNSTENV also masks every x87 exception, so nothing pending can fault before FNINIT
    // sets the initial state (control word 0x037F, status clear, stack empty: at a call
    // the stack is empty by the calling convention).
    __asm__ __volatile__("fnstenv %0\n\tfninit" : "=m"(callerX87_) : : "memory");
    __asm__ __volatile__("stmxcsr %0" : "=m"(callerMxcsr_) : : "memory");
    unsigned int mxcsr = kDefaultMxcsr;
    __asm__ __volatile__("ldmxcsr %0" : : "m"(mxcsr) : "memory");
}

DefaultFloatState::~DefaultFloatState()
{
    __asm__ __volatile__("ldmxcsr %0" : : "m"(callerMxcsr_) : "memory");
    __asm__ __volatile__("fldenv %0" : : "m"(callerX87_) : "memory");
}
