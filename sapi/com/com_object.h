#pragma once
// Reference counting and QueryInterface for a COM class that implements one
// interface or several. Each listed interface is a base of the class and
// answers for itself; WithBases<Interface, Bases...> also answers for the
// interfaces that Interface derives from. IUnknown gives the first interface,
// the object's identity. The object starts at count 0; its creator takes the
// first reference.
#include <windows.h>

#include <new>
#include <tuple>

namespace vl::sapi {

// An interface that answers, through its own pointer, for its bases too.
template <typename Interface, typename... Bases>
struct WithBases {
    using Implemented = Interface;
    static bool answers(REFIID iid) { return iid == __uuidof(Interface) || ((iid == __uuidof(Bases)) || ...); }
};

namespace detail {

template <typename Listed>
struct Answering : WithBases<Listed> {};
template <typename Interface, typename... Bases>
struct Answering<WithBases<Interface, Bases...>> : WithBases<Interface, Bases...> {};

}  // namespace detail

template <typename... Listed>
class ComObject : public detail::Answering<Listed>::Implemented... {
    using Identity = typename detail::Answering<std::tuple_element_t<0, std::tuple<Listed...>>>::Implemented;

public:
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {
        if (object == nullptr) return E_POINTER;
        *object = nullptr;
        if (iid == IID_IUnknown) {
            *object = static_cast<Identity*>(this);
        } else {
            ((detail::Answering<Listed>::answers(iid) &&
              (*object = static_cast<typename detail::Answering<Listed>::Implemented*>(this)) != nullptr) ||
             ...);
        }
        if (*object == nullptr) return E_NOINTERFACE;
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
