#pragma once
// Root of the screen classes: the menu root and every screen derive from it.

class TBase {
public:
    TBase() = default;
    virtual ~TBase() = default;
    TBase(const TBase&) = delete;
    TBase& operator=(const TBase&) = delete;
};
