// Root of the class library: every library object can be deleted through an XObject*.
#pragma once

class XObject {
public:
    XObject() = default;
    virtual ~XObject();

    // Library objects own heap blocks and GDI handles; a copy would free them twice.
    XObject(const XObject&) = delete;
    XObject& operator=(const XObject&) = delete;
};
