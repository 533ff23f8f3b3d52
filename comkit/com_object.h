#pragma once
// Reference counting and QueryInterface for a COM class that implements one
// interface chain: Interface, answering for each of the interfaces in Answers
// (Interface and its bases). The object starts at count 0; its creator takes
// the first reference.
#include <windows.h>

#include <new>

namespace vl::sapi {

template <typename Interface, typename... Answers>
class ComObject : public Interface {
public:
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {
        if (object == nullptr) return E_POINTER;
        *object = nullptr;
        if (!((iid == __uuidof(Answers)) || ...)) return E_NOINTERFACE;
        *object = static_cast<Interface*>(this);
        AddRef();
        return S_OK;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return static_cast<ULONG>(InterlockedIncrement(&references_)); }
    ULONG STDMETHODCALLTYPE Release() override {
        const LONG count = InterlockedDecrement(&references_);
        if (count == 0) delete this;
        return static_cast<ULONG>(count);
    }

protected:
    ComObject() = default;
    virtual ~ComObject() = default;

private:
    LONG references_ = 0;
};

// Runs a COM operation's body, turning anything it throws into an HRESULT.
template <typename Body>
HRESULT guarded(Body&& body) noexcept {
    try {
        return body();
    } catch (const std::bad_alloc&) {
        return E_OUTOFMEMORY;
    } catch (...) {
        return E_FAIL;
    }
}

// Hands a new object's interface to a caller: one reference for the query,
// which the object keeps only if the query succeeds.
template <typename Object>
HRESULT query_new_object(Object* object, REFIID iid, void** out) {
    object->AddRef();
    const HRESULT result = object->QueryInterface(iid, out);
    object->Release();
    return result;
}

}  // namespace vl::sapi
