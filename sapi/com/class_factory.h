#pragma once
// The class factory of a COM class: makes its objects with the given function,
// refuses aggregation, and keeps the module loaded while it or a lock lives.
#include "sapi/com/com_object.h"

namespace vl::sapi {

class ClassFactory final : public ComObject<IClassFactory> {
public:
    // Makes a new object and queries it for iid; out is already null.
    using Create = HRESULT (*)(REFIID iid, void** out);
    explicit ClassFactory(Create create);

    HRESULT STDMETHODCALLTYPE CreateInstance(IUnknown* outer, REFIID iid, void** object) override;
    HRESULT STDMETHODCALLTYPE LockServer(BOOL lock) override;

private:
    ~ClassFactory() override;
    const Create create_;
};

// DllGetClassObject of a module with one class: a new factory for class_id.
HRESULT get_class_object(REFCLSID requested, REFCLSID class_id, ClassFactory::Create create, REFIID iid,
                         void** object);

}  // namespace vl::sapi
