#include "sapi/testkit/registry_token.h"

#include <sperror.h>

#include <cwchar>
#include <new>

namespace vl::sapi {
namespace {

HRESULT not_found_or(LSTATUS status) {
    return status == ERROR_FILE_NOT_FOUND ? SPERR_NOT_FOUND : HRESULT_FROM_WIN32(status);
}

wchar_t* co_task_copy(const std::wstring& text) {
    auto* copy = static_cast<wchar_t*>(CoTaskMemAlloc((text.size() + 1) * sizeof(wchar_t)));
    if (copy != nullptr) std::wmemcpy(copy, text.c_str(), text.size() + 1);
    return copy;
}

}  // namespace

HRESULT RegistryToken::open(const std::wstring& id, ISpObjectToken** token) {
    *token = nullptr;
    static const std::pair<const wchar_t*, HKEY> kRoots[] = {
        {L"HKEY_LOCAL_MACHINE\\", HKEY_LOCAL_MACHINE}, {L"HKLM\\", HKEY_LOCAL_MACHINE},
        {L"HKEY_CURRENT_USER\\", HKEY_CURRENT_USER},   {L"HKCU\\", HKEY_CURRENT_USER},
    };
    for (const auto& [prefix, root] : kRoots) {
        const std::wstring_view start(prefix);
        if (id.compare(0, start.size(), start) != 0) continue;
        HKEY key = nullptr;
        const LSTATUS status = RegOpenKeyExW(root, id.c_str() + start.size(), 0, KEY_READ, &key);
        if (status != ERROR_SUCCESS) return not_found_or(status);
        auto* object = new (std::nothrow) RegistryToken(key, id);
        if (object == nullptr) {
            RegCloseKey(key);
            return E_OUTOFMEMORY;
        }
        object->AddRef();
        *token = object;
        return S_OK;
    }
    return E_INVALIDARG;
}

RegistryToken::~RegistryToken() { RegCloseKey(key_); }

HRESULT RegistryToken::GetStringValue(LPCWSTR name, LPWSTR* value) {
    if (value == nullptr) return E_POINTER;
    *value = nullptr;
    DWORD bytes = 0;
    LSTATUS status = RegGetValueW(key_, nullptr, name, RRF_RT_REG_SZ, nullptr, nullptr, &bytes);
    if (status != ERROR_SUCCESS) return not_found_or(status);
    std::wstring text(bytes / sizeof(wchar_t), L'\0');
    status = RegGetValueW(key_, nullptr, name, RRF_RT_REG_SZ, nullptr, text.data(), &bytes);
    if (status != ERROR_SUCCESS) return not_found_or(status);
    text.resize(std::wcslen(text.c_str()));
    *value = co_task_copy(text);
    return *value != nullptr ? S_OK : E_OUTOFMEMORY;
}

HRESULT RegistryToken::GetDWORD(LPCWSTR name, DWORD* value) {
    if (value == nullptr) return E_POINTER;
    DWORD bytes = sizeof *value;
    return not_found_or(RegGetValueW(key_, nullptr, name, RRF_RT_REG_DWORD, nullptr, value, &bytes));
}

HRESULT RegistryToken::OpenKey(LPCWSTR name, ISpDataKey** key) {
    if (key == nullptr) return E_POINTER;
    ISpObjectToken* subkey = nullptr;
    const HRESULT result = open(id_ + L"\\" + (name != nullptr ? name : L""), &subkey);
    *key = subkey;
    return result;
}

HRESULT RegistryToken::GetId(LPWSTR* id) {
    if (id == nullptr) return E_POINTER;
    *id = co_task_copy(id_);
    return *id != nullptr ? S_OK : E_OUTOFMEMORY;
}

}  // namespace vl::sapi
