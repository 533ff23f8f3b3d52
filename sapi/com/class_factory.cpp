#include "sapi/com/class_factory.h"

#include "sapi/com/module.h"

namespace vl::sapi {

ClassFactory::ClassFactory(Create create) : create_(create) { add_object_count(); }

ClassFactory::~ClassFactory() { remove_object_count(); }

HRESULT ClassFactory::CreateInstance(IUnknown* outer, REFIID iid, void** object) {
    return guarded([&]() -> HRESULT {
        if (object == nullptr) return E_POINTER;
        *object = nullptr;
        if (outer != nullptr) return CLASS_E_NOAGGREGATION;
        return create_(iid, object);
    });
}

HRESULT ClassFactory::LockServer(BOOL lock) {
    if (lock) {
        add_object_count();
    } else {
        remove_object_count();
    }
    return S_OK;
}

HRESULT get_class_object(REFCLSID requested, REFCLSID class_id, ClassFactory::Create create, REFIID iid,
                         void** object) {
    return guarded([&]() -> HRESULT {
        if (object == nullptr) return E_POINTER;
        *object = nullptr;
        if (requested != class_id) return CLASS_E_CLASSNOTAVAILABLE;
        auto* factory = new (std::nothrow) ClassFactory(create);
        if (factory == nullptr) return E_OUTOFMEMORY;
        return query_new_object(factory, iid, object);
    });
}

}  // namespace vl::sapi
