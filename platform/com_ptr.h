// Owners for the COM resources the folder-size probe handles: interface pointers, BSTRs held in
// VARIANTs, and VARIANTs themselves. Every early return of a COM call releases what it made.
#pragma once

#include <windows.h>
#include <oleauto.h>

#include <utility>
#include <vector>

namespace platform {

// Holds one reference on an interface pointer, or nothing.
template <typename Interface>
class ComPtr {
public:
    ComPtr() = default;
    // Takes over a reference the caller already owns.
    static ComPtr Adopt(Interface* pointer) {
        ComPtr owner;
        owner.pointer_ = pointer;
        return owner;
    }
    // Adds a reference of its own.
    static ComPtr Share(Interface* pointer) {
        if (pointer) pointer->AddRef();
        return Adopt(pointer);
    }
    ComPtr(ComPtr&& other) noexcept : pointer_(std::exchange(other.pointer_, nullptr)) {}
    ComPtr& operator=(ComPtr&& other) noexcept {
        if (this != &other) {
            Reset();
            pointer_ = std::exchange(other.pointer_, nullptr);
        }
        return *this;
    }
    ComPtr(const ComPtr&) = delete;
    ComPtr& operator=(const ComPtr&) = delete;
    ~ComPtr() { Reset(); }

    Interface* Get() const { return pointer_; }
    Interface* operator->() const { return pointer_; }
    explicit operator bool() const { return pointer_ != nullptr; }
    // For an out parameter: drops what is held and hands out the slot.
    Interface** Put() {
        Reset();
        return &pointer_;
    }
    void Reset() {
        if (Interface* pointer = std::exchange(pointer_, nullptr)) pointer->Release();
    }

private:
    Interface* pointer_ = nullptr;
};

// A VARIANT that is cleared (freeing its BSTR or releasing its interface) when it goes away.
class UniqueVariant {
public:
    UniqueVariant() { VariantInit(&value_); }
    UniqueVariant(const UniqueVariant&) = delete;
    UniqueVariant& operator=(const UniqueVariant&) = delete;
    ~UniqueVariant() { VariantClear(&value_); }

    VARIANT* Get() { return &value_; }

private:
    VARIANT value_;
};

// A block of zero-filled (VT_EMPTY) VARIANTs, as DISPPARAMS wants them, each cleared at the end.
class VariantArray {
public:
    explicit VariantArray(size_t count) : values_(count, VARIANT{}) {}
    VariantArray(const VariantArray&) = delete;
    VariantArray& operator=(const VariantArray&) = delete;
    ~VariantArray() {
        for (VARIANT& value : values_) VariantClear(&value);
    }

    VARIANT* Data() { return values_.data(); }
    VARIANT& operator[](size_t index) { return values_[index]; }
    size_t Size() const { return values_.size(); }

private:
    std::vector<VARIANT> values_;
};

}  // namespace platform
