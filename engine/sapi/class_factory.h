#pragma once
// The class factory of the voice engine object.
#include "engine/sapi/com_object.h"

namespace vl::sapi {

class ClassFactory final : public ComObject<IClassFactory, IUnknown, IClassFactory> {
public:
    ClassFactory();

    HRESULT STDMETHODCALLTYPE CreateInstance(IUnknown* outer, REFIID iid, void** object) override;
    HRESULT STDMETHODCALLTYPE LockServer(BOOL lock) override;

private:
    ~ClassFactory() override;
};

}  // namespace vl::sapi
