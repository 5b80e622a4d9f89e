#include "sapivoice.h"

#include <wx/msw/wrapwin.h>

#include <objbase.h>
#include <sapi.h>

namespace {

// SpVoice and ISpVoice, spelled out so that no SAPI import library is needed.
const CLSID kSpVoiceClass = {0x96749377, 0x3391, 0x11D2, {0x9E, 0xE3, 0x00, 0xC0, 0x4F, 0x79, 0x73, 0x96}};
const IID kSpVoiceInterface = {0x6C44DF74, 0x72B9, 0x4992, {0xA1, 0xEC, 0xEF, 0x99, 0x6E, 0x04, 0x22, 0xD4}};

// In-process server and handler, local and remote server.
constexpr DWORD kClassContext = CLSCTX_INPROC_SERVER | CLSCTX_INPROC_HANDLER | CLSCTX_LOCAL_SERVER |
                                CLSCTX_REMOTE_SERVER;
static_assert(kClassContext == 23, "the voice may come from any kind of server");

} // namespace

std::unique_ptr<SpeechVoice> SapiVoice::Create()
{
    ISpVoice* voice = nullptr;
    const HRESULT result =
        CoCreateInstance(kSpVoiceClass, nullptr, kClassContext, kSpVoiceInterface, reinterpret_cast<void**>(&voice));
    if (FAILED(result) || !voice)
        return nullptr;
    return std::unique_ptr<SpeechVoice>(new SapiVoice(voice));
}

SapiVoice::~SapiVoice()
{
    m_voice->Release();
}

bool SapiVoice::Speak(const wxString& text)
{
    // Asynchronous speaking: the call returns while the voice speaks.
    return SUCCEEDED(m_voice->Speak(text.wc_str(), SPF_ASYNC, nullptr));
}

bool SapiVoice::IsSpeakComplete()
{
    const HANDLE completeEvent = m_voice->SpeakCompleteEvent();
    return completeEvent && WaitForSingleObject(completeEvent, 0) == WAIT_OBJECT_0;
}
