#pragma once
// The speech API as the engine and its hosts use it: mingw's sapi.h plus the
// engine-side declarations it lacks. Include this instead of sapi.h.
#include <windows.h>
#include <sapi.h>

// Output formats: declared by sapi.h, defined here (sapi_guids.cpp).
extern "C" const GUID SPDFID_Text;
extern "C" const GUID SPDFID_WaveFormatEx;

// Success code of ISpTTSEngineSite::Write when the audio output has stopped.
inline constexpr HRESULT SP_AUDIO_STOPPED_CODE = 0x00045065;

typedef enum SPVESACTIONS {
    SPVES_CONTINUE = 0,
    SPVES_ABORT = 1 << 0,
    SPVES_SKIP = 1 << 1,
    SPVES_RATE = 1 << 2,
    SPVES_VOLUME = 1 << 3,
} SPVESACTIONS;

typedef enum SPVSKIPTYPE { SPVST_SENTENCE = 1 << 0 } SPVSKIPTYPE;

typedef struct SPVTEXTFRAG {
    struct SPVTEXTFRAG* pNext;
    SPVSTATE State;
    LPCWSTR pTextStart;
    ULONG ulTextLen;
    ULONG ulTextSrcOffset;
} SPVTEXTFRAG;

DEFINE_GUID(IID_ISpTTSEngineSite, 0x9880499b, 0xcce9, 0x11d2, 0xb5, 0x03, 0x00, 0xc0, 0x4f, 0x79, 0x73, 0x96);
MIDL_INTERFACE("9880499B-CCE9-11D2-B503-00C04F797396")
ISpTTSEngineSite : public ISpEventSink {
    virtual DWORD STDMETHODCALLTYPE GetActions() = 0;
    virtual HRESULT STDMETHODCALLTYPE Write(const void* pBuff, ULONG cb, ULONG* pcbWritten) = 0;
    virtual HRESULT STDMETHODCALLTYPE GetRate(long* pRateAdjust) = 0;
    virtual HRESULT STDMETHODCALLTYPE GetVolume(USHORT* pusVolume) = 0;
    virtual HRESULT STDMETHODCALLTYPE GetSkipInfo(SPVSKIPTYPE* peType, long* plNumItems) = 0;
    virtual HRESULT STDMETHODCALLTYPE CompleteSkip(long ulNumSkipped) = 0;
};
__CRT_UUID_DECL(ISpTTSEngineSite, 0x9880499b, 0xcce9, 0x11d2, 0xb5, 0x03, 0x00, 0xc0, 0x4f, 0x79, 0x73, 0x96)

DEFINE_GUID(IID_ISpTTSEngine, 0xa74d7c8e, 0x4cc5, 0x4f2f, 0xa6, 0xeb, 0x80, 0x4d, 0xee, 0x18, 0x50, 0x0e);
MIDL_INTERFACE("A74D7C8E-4CC5-4F2F-A6EB-804DEE18500E")
ISpTTSEngine : public IUnknown {
    virtual HRESULT STDMETHODCALLTYPE Speak(DWORD dwSpeakFlags, REFGUID rguidFormatId, const WAVEFORMATEX* pWaveFormatEx,
                                            const SPVTEXTFRAG* pTextFragList, ISpTTSEngineSite* pOutputSite) = 0;
    virtual HRESULT STDMETHODCALLTYPE GetOutputFormat(const GUID* pTargetFmtId, const WAVEFORMATEX* pTargetWaveFormatEx,
                                                      GUID* pOutputFormatId, WAVEFORMATEX** ppCoMemOutputWaveFormatEx) = 0;
};
__CRT_UUID_DECL(ISpTTSEngine, 0xa74d7c8e, 0x4cc5, 0x4f2f, 0xa6, 0xeb, 0x80, 0x4d, 0xee, 0x18, 0x50, 0x0e)
