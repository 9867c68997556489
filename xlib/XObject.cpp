// Root of the class library.
#include "xlib/XObject.h"

XObject::~XObject() = default;
