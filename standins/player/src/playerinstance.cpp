#include "playerinstance.h"

#include "browser.h"
#include "callprotocol.h"
#include "eventtally.h"
#include "playerobject.h"
#include "transcript.h"

#include <cstdio>
#include <cstdlib>
#include <algorithm>
#include <cstring>
#include <psapi.h>
#include <vector>

namespace player {

namespace {

const wchar_t kInstanceProperty[] = L"KovaStandinPlayerInstance";
const size_t kMovieReserveLimit = 64u << 20;

class Lock {
public:
    explicit Lock(CRITICAL_SECTION& section) : m_section(section) { EnterCriticalSection(&m_section); }
    ~Lock() { LeaveCriticalSection(&m_section); }
    Lock(const Lock&) = delete;
    Lock& operator=(const Lock&) = delete;

private:
    CRITICAL_SECTION& m_section;
};

std::string Hex(uintptr_t value)
{
    char text[24];
    std::snprintf(text, sizeof text, "0x%llx", (unsigned long long)value);
    return text;
}

std::string Text(const char* text)
{
    return text ? text : "(null)";
}

// "#RRGGBB" or "RRGGBB"; white for anything else.
COLORREF ParseColour(const std::string& text)
{
    std::string digits = !text.empty() && text[0] == '#' ? text.substr(1) : text;
    char* end = nullptr;
    unsigned long value = std::strtoul(digits.c_str(), &end, 16);
    if (digits.size() != 6 || !end || *end)
        return RGB(255, 255, 255);
    return RGB(value >> 16 & 0xFF, value >> 8 & 0xFF, value & 0xFF);
}

std::wstring Wide(const std::string& utf8)
{
    int length = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), int(utf8.size()), nullptr, 0);
    std::wstring wide(size_t(length > 0 ? length : 0), L'\0');
    if (length > 0)
        MultiByteToWideChar(CP_UTF8, 0, utf8.data(), int(utf8.size()), &wide[0], length);
    return wide;
}

bool IsInputMessage(uint16_t message)
{
    return (message >= WM_KEYFIRST && message <= WM_KEYLAST) || (message >= WM_MOUSEFIRST && message <= WM_MOUSELAST);
}

// The POST buffer a player sends: its own header lines, a blank line, the body.
std::string FormPostBuffer(const std::string& body)
{
    return "Content-Type: application/x-www-form-urlencoded\r\nContent-Length: " + std::to_string(body.size()) +
           "\r\n\r\n" + body;
}

} // namespace

PlayerInstance::PlayerInstance(NPP npp, int number) : m_npp(npp), m_number(number), m_runner(*this)
{
    InitializeCriticalSection(&m_lock);
}

PlayerInstance::~PlayerInstance()
{
    DeleteCriticalSection(&m_lock);
}

void PlayerInstance::Record(const std::string& text)
{
    Transcript::Write(m_number, text);
    m_lastRecord = text;
    ++m_recordCount;
}

void PlayerInstance::Start(int16_t argc, char* argn[], char* argv[])
{
    Lock lock(m_lock);
    std::string parameters;
    for (int i = 0; i < argc && argn && argv; ++i) {
        std::string name = Text(argn[i]), value = Text(argv[i]);
        parameters += (i ? ";" : "") + name + "=" + value;
        if (name == "wmode")
            m_transparent = value == "transparent";
        else if (name == "bgcolor")
            m_background = ParseColour(value);
    }
    Record("parameters " + parameters);
    AskBrowser();
}

void PlayerInstance::AskBrowser()
{
    const NPNetscapeFuncs& browser = Browser();
    if (browser.setvalue) {
        Record("npn SetValue NPPVpluginWindowBool false -> " +
               std::to_string(browser.setvalue(m_npp, NPPVpluginWindowBool, nullptr)));
        if (m_transparent)
            Record("npn SetValue NPPVpluginTransparentBool true -> " +
                   std::to_string(browser.setvalue(m_npp, NPPVpluginTransparentBool, reinterpret_cast<void*>(1))));
    }
    if (!browser.getvalue)
        return;
    uint32_t windowless = 0; // room for any boolean width the browser writes
    NPError result = browser.getvalue(m_npp, NPNVSupportsWindowless, &windowless);
    Record("npn GetValue NPNVSupportsWindowless -> " + std::to_string(result) + " value=" + std::to_string(windowless != 0));
    HWND window = nullptr;
    result = browser.getvalue(m_npp, NPNVnetscapeWindow, &window);
    Record("npn GetValue NPNVnetscapeWindow -> " + std::to_string(result) + (window ? " window set" : " no window"));
    result = browser.getvalue(m_npp, NPNVWindowNPObject, &m_windowObject);
    Record("npn GetValue NPNVWindowNPObject -> " + std::to_string(result) + (m_windowObject ? " object" : " none"));
    if (result != NPERR_NO_ERROR)
        m_windowObject = nullptr;
    if (!m_windowObject || !browser.getproperty || !browser.getstringidentifier)
        return;
    NPVariant location;
    location.type = NPVariantType_Void;
    bool found = browser.getproperty(m_npp, m_windowObject, browser.getstringidentifier("location"), &location);
    Record("npn GetProperty location -> " + (found ? VariantText(location) : std::string("false")));
    if (found && browser.releasevariantvalue)
        browser.releasevariantvalue(&location);
}

void PlayerInstance::Stop()
{
    Lock lock(m_lock);
    m_stopped = true;
    Unsubclass();
    const NPNetscapeFuncs& browser = Browser();
    DetachPlayerObject(m_object);
    if (m_object && browser.releaseobject)
        browser.releaseobject(m_object);
    if (m_windowObject && browser.releaseobject)
        browser.releaseobject(m_windowObject);
    m_object = m_windowObject = nullptr;
    m_streams.clear();
}

NPError PlayerInstance::SetWindow(const NPWindow* window)
{
    Lock lock(m_lock);
    if (!window) {
        Record("NPP_SetWindow null");
        return NPERR_NO_ERROR;
    }
    Record("NPP_SetWindow type=" + std::to_string(window->type) + (window->window ? " window=set" : " window=null") +
           " x=" + std::to_string(window->x) + " y=" + std::to_string(window->y) + " width=" +
           std::to_string(window->width) + " height=" + std::to_string(window->height) + " clip=" +
           std::to_string(window->clipRect.top) + "," + std::to_string(window->clipRect.left) + "," +
           std::to_string(window->clipRect.bottom) + "," + std::to_string(window->clipRect.right));
    m_window = *window;
    if (window->type == NPWindowTypeWindow && window->window)
        Subclass(static_cast<HWND>(window->window));
    else
        Unsubclass();
    return NPERR_NO_ERROR;
}

NPError PlayerInstance::NewStream(NPMIMEType type, NPStream* stream, NPBool seekable, uint16_t* streamType)
{
    Lock lock(m_lock);
    if (!stream) {
        Record("NPP_NewStream without stream");
        return NPERR_INVALID_PARAM;
    }
    Request* request = FindRequest(stream->notifyData);
    Record("NPP_NewStream type=" + Text(type) + " url=" + Text(stream->url) + " end=" + std::to_string(stream->end) +
           " seekable=" + std::to_string(seekable) + (request ? " request" : " movie"));
    m_streams[stream] = Stream{request, std::string(), 0};
    // The movie stream is kept whole: room for all of it at once instead of
    // growing (and copying) it write by write. The size given is trusted only
    // up to a bound.
    if (!request)
        m_streams[stream].data.reserve(std::min<size_t>(stream->end, kMovieReserveLimit));
    if (streamType)
        *streamType = NP_NORMAL;
    return NPERR_NO_ERROR;
}

int32_t PlayerInstance::WriteReady(NPStream*)
{
    Lock lock(m_lock);
    if (!m_runner.Quiet())
        Record("NPP_WriteReady");
    return 0x0FFFFFFF;
}

int32_t PlayerInstance::Write(NPStream* stream, int32_t offset, int32_t length, const void* buffer)
{
    Lock lock(m_lock);
    const bool quiet = m_runner.Quiet();
    if (!quiet)
        Record("NPP_Write offset=" + std::to_string(offset) + " len=" + std::to_string(length));
    Stream* target = FindStream(stream);
    if (!target || offset < 0 || length < 0 || (length > 0 && !buffer)) {
        Record("write refused: " + std::string(target ? "bad arguments" : "unknown stream"));
        return -1;
    }
    target->byteCount += size_t(length);
    // A benchmark's request counts its bytes; a movie stream is always kept.
    if (quiet && target->request)
        return length;
    size_t end = size_t(offset) + size_t(length);
    if (target->data.size() < end)
        target->data.resize(end);
    if (length > 0)
        std::memcpy(&target->data[size_t(offset)], buffer, size_t(length));
    return length;
}

NPError PlayerInstance::DestroyStream(NPStream* stream, NPReason reason)
{
    Lock lock(m_lock);
    Record("NPP_DestroyStream reason=" + std::to_string(reason));
    Stream* ended = FindStream(stream);
    if (!ended) {
        Record("unknown stream");
        return NPERR_GENERIC_ERROR;
    }
    Stream finished = std::move(*ended);
    m_streams.erase(stream);
    if (finished.request) {
        finished.request->data = std::move(finished.data);
        finished.request->byteCount = finished.byteCount;
    }
    else if (reason == NPRES_DONE)
        PlayMovie(std::move(finished.data), "stream");
    else
        Record("movie stream broken off");
    return NPERR_NO_ERROR;
}

void PlayerInstance::StreamAsFile(NPStream* stream, const char* fileName)
{
    Lock lock(m_lock);
    Record("NPP_StreamAsFile url=" + Text(stream ? stream->url : nullptr) + " file=" + Text(fileName));
}

void PlayerInstance::UrlNotify(const char* url, NPReason reason, void* notifyData)
{
    Lock lock(m_lock);
    Request* request = FindRequest(notifyData);
    Record("NPP_URLNotify url=" + Text(url) + " reason=" + std::to_string(reason) +
           (request ? " request" : " unknown notifyData"));
    if (!request)
        return;
    Request finished = std::move(*request);
    m_requests.remove_if([request](const Request& entry) { return &entry == request; });
    if (!finished.isMovie)
        m_runner.OnUrlFinished(finished.url, reason, finished.data, finished.byteCount);
    else if (reason != NPRES_DONE)
        Record("check fail loadmovie " + finished.url + ": reason " + std::to_string(reason));
    else if (finished.level == 0)
        PlayMovie(std::move(finished.data), finished.url);
    else
        Record("movie loaded into level " + std::to_string(finished.level));
}

int16_t PlayerInstance::HandleEvent(const NPEvent* event)
{
    Lock lock(m_lock);
    if (!event) {
        Record("NPP_HandleEvent null");
        return 0;
    }
    Record("NPP_HandleEvent event=" + Hex(event->event) + " wParam=" + Hex(event->wParam) + " lParam=" + Hex(event->lParam));
    if (event->event == WM_PAINT) {
        if (m_window.type == NPWindowTypeDrawable && m_window.window) {
            RECT area = {m_window.x, m_window.y, m_window.x + LONG(m_window.width), m_window.y + LONG(m_window.height)};
            Paint(static_cast<HDC>(m_window.window), area);
        }
        return 1;
    }
    return IsInputMessage(event->event) ? 1 : 0;
}

NPError PlayerInstance::GetValue(NPPVariable variable, void* value)
{
    Lock lock(m_lock);
    Record("NPP_GetValue variable=" + std::to_string(variable));
    if (!value)
        return NPERR_INVALID_PARAM;
    switch (variable) {
    case NPPVpluginScriptableNPObject: {
        if (!m_object)
            m_object = CreatePlayerObject(m_npp, this);
        if (!m_object)
            return NPERR_OUT_OF_MEMORY_ERROR;
        // The browser gets a reference of its own.
        if (Browser().retainobject)
            Browser().retainobject(m_object);
        *static_cast<NPObject**>(value) = m_object;
        return NPERR_NO_ERROR;
    }
    case NPPVpluginNameString:
        *static_cast<const char**>(value) = "Kova stand-in player";
        return NPERR_NO_ERROR;
    case NPPVpluginDescriptionString:
        *static_cast<const char**>(value) = "Plays stand-in movies for tests";
        return NPERR_NO_ERROR;
    case NPPVpluginNeedsXEmbed:
        *static_cast<NPBool*>(value) = 0;
        return NPERR_NO_ERROR;
    default:
        return NPERR_GENERIC_ERROR;
    }
}

NPError PlayerInstance::SetValue(NPNVariable variable, void*)
{
    Lock lock(m_lock);
    Record("NPP_SetValue variable=" + std::to_string(variable));
    return NPERR_GENERIC_ERROR;
}

bool PlayerInstance::Invoke(const std::string& method, const NPVariant* args, uint32_t count, NPVariant* result)
{
    Lock lock(m_lock);
    if (!m_runner.Quiet()) {
        std::string arguments;
        for (uint32_t i = 0; i < count; ++i)
            arguments += (i ? "|" : "") + VariantText(args[i]);
        Record("invoke " + method + " " + arguments);
    }
    if (m_stopped || !result)
        return false;
    result->type = NPVariantType_Void;
    if (method == "CallFunction")
        return InvokeCallFunction(args, count, result);
    if (method == "GetVariable")
        return InvokeGetVariable(args, count, result);
    if (method == "SetVariable")
        return InvokeSetVariable(args, count);
    if (method == "GotoFrame")
        return InvokeGotoFrame(args, count);
    if (method == "TGotoLabel")
        return InvokeTGotoLabel(args, count);
    if (method == "LoadMovie")
        return InvokeLoadMovie(args, count);
    return false;
}

bool PlayerInstance::InvokeCallFunction(const NPVariant* args, uint32_t count, NPVariant* result)
{
    standin::InvokeRequest request;
    if (count != 1 || args[0].type != NPVariantType_String || !standin::ParseInvokeRequest(VariantText(args[0]), request)) {
        Record("CallFunction refused: not an invoke request");
        return false;
    }
    std::string answer = "<undefined/>";
    if (request.name == "TevOnAsyncEvent" && request.arguments.size() == 3)
        m_runner.OnAsyncEvent(request.arguments[0], request.arguments[1], request.arguments[2]);
    else if (!m_runner.AnswerCall(request.name, answer)) {
        Record("CallFunction refused: no function " + request.name);
        return false;
    } else {
        std::string arguments;
        for (const std::string& argument : request.arguments)
            arguments += " [" + argument + "]";
        Record("host call " + request.name + " arguments=" + std::to_string(request.arguments.size()) + arguments);
    }
    return SetStringResult(result, answer);
}

bool PlayerInstance::InvokeGetVariable(const NPVariant* args, uint32_t count, NPVariant* result)
{
    if (count != 1 || args[0].type != NPVariantType_String)
        return false;
    std::string value;
    if (!m_runner.GetVariable(VariantText(args[0]), value)) {
        result->type = NPVariantType_Null;
        return true;
    }
    return SetStringResult(result, value);
}

bool PlayerInstance::InvokeSetVariable(const NPVariant* args, uint32_t count)
{
    if (count != 2 || args[0].type != NPVariantType_String)
        return false;
    m_runner.SetVariable(VariantText(args[0]), VariantText(args[1]));
    Repaint();
    return true;
}

bool PlayerInstance::InvokeGotoFrame(const NPVariant* args, uint32_t count)
{
    int frame = 0;
    if (count != 1 || !VariantInteger(args[0], frame))
        return false;
    m_frame = frame;
    Repaint();
    return true;
}

bool PlayerInstance::InvokeTGotoLabel(const NPVariant* args, uint32_t count)
{
    if (count != 2 || args[0].type != NPVariantType_String || args[1].type != NPVariantType_String)
        return false;
    m_label = VariantText(args[0]) + VariantText(args[1]);
    Repaint();
    return true;
}

bool PlayerInstance::InvokeLoadMovie(const NPVariant* args, uint32_t count)
{
    int level = 0;
    if (count != 2 || !VariantInteger(args[0], level) || args[1].type != NPVariantType_String)
        return false;
    m_requests.emplace_back();
    Request& request = m_requests.back();
    request.url = VariantText(args[1]);
    request.isMovie = true;
    request.level = level;
    const NPNetscapeFuncs& browser = Browser();
    NPError error = browser.geturlnotify ? browser.geturlnotify(m_npp, request.url.c_str(), nullptr, &request)
                                         : NPERR_GENERIC_ERROR;
    Record("npn GetURLNotify " + request.url + " -> " + std::to_string(error));
    if (error != NPERR_NO_ERROR)
        m_requests.pop_back();
    return true;
}

void PlayerInstance::Tick(uint32_t nowMs)
{
    Lock lock(m_lock);
    if (m_stopped)
        return;
    m_runner.Tick(nowMs);
    if (m_recordCount != m_paintedRecordCount)
        Repaint();
}

bool PlayerInstance::Evaluate(const std::string& script, std::string& result)
{
    result.clear();
    const NPNetscapeFuncs& browser = Browser();
    if (m_stopped || !browser.evaluate)
        return false;
    NPString text = {script.data(), uint32_t(script.size())};
    NPVariant answer;
    answer.type = NPVariantType_Void;
    if (!browser.evaluate(m_npp, m_windowObject, &text, &answer))
        return false;
    if (answer.type == NPVariantType_String)
        result = VariantText(answer);
    if (browser.releasevariantvalue)
        browser.releasevariantvalue(&answer);
    return true;
}

int PlayerInstance::RequestUrl(const std::string& url, const std::string& target, const std::string* postBody)
{
    const NPNetscapeFuncs& browser = Browser();
    if (m_stopped)
        return NPERR_INVALID_INSTANCE_ERROR;
    m_requests.emplace_back();
    Request& request = m_requests.back();
    request.url = url;
    NPError error = NPERR_GENERIC_ERROR;
    const char* window = target.empty() ? nullptr : target.c_str();
    if (postBody) {
        request.postBuffer = FormPostBuffer(*postBody);
        if (browser.posturlnotify)
            error = browser.posturlnotify(m_npp, url.c_str(), window, uint32_t(request.postBuffer.size()),
                                          request.postBuffer.data(), 0, &request);
    } else if (browser.geturlnotify) {
        error = browser.geturlnotify(m_npp, url.c_str(), window, &request);
    }
    // No notification follows a refused request or one aimed at a window.
    if (error != NPERR_NO_ERROR || window)
        m_requests.pop_back();
    return error;
}

int PlayerInstance::LoadMovie(const std::string& url)
{
    const NPNetscapeFuncs& browser = Browser();
    if (m_stopped || !browser.geturlnotify)
        return NPERR_GENERIC_ERROR;
    m_requests.emplace_back();
    Request& request = m_requests.back();
    request.url = url;
    request.isMovie = true;
    NPError error = browser.geturlnotify(m_npp, url.c_str(), nullptr, &request);
    if (error != NPERR_NO_ERROR)
        m_requests.pop_back();
    return error;
}

void PlayerInstance::PlayMovie(std::string&& bytes, const std::string& source)
{
    const std::string byteCount = std::to_string(bytes.size());
    standin::StandinMovie movie;
    std::string error;
    if (!standin::ReadStandinMovie(std::move(bytes), movie, error)) {
        Record("movie rejected from " + source + ": " + error + " bytes=" + byteCount);
        return;
    }
    m_hasMovie = true;
    Record("movie from " + source + " version=" + std::to_string(movie.version) + " size=" +
           std::to_string(movie.width) + "x" + std::to_string(movie.height) + " rate=" + std::to_string(movie.frameRate) +
           " frames=" + std::to_string(movie.frameCount) + " bytes=" + byteCount);
    m_runner.Start(movie.script, GetTickCount());
    m_movie = std::move(movie);
    Repaint();
}

PlayerInstance::Request* PlayerInstance::FindRequest(void* notifyData)
{
    for (Request& request : m_requests)
        if (&request == notifyData)
            return &request;
    return nullptr;
}

PlayerInstance::Stream* PlayerInstance::FindStream(NPStream* stream)
{
    auto found = m_streams.find(stream);
    return found == m_streams.end() ? nullptr : &found->second;
}

// The moment of the first paint and the process's peak working set by then,
// for start-up timing.
void PlayerInstance::RecordFirstPaint()
{
    m_painted = true;
    PROCESS_MEMORY_COUNTERS memory = {};
    memory.cb = sizeof memory;
    const size_t peak = GetProcessMemoryInfo(GetCurrentProcess(), &memory, sizeof memory) ? memory.PeakWorkingSetSize : 0;
    Record("first paint ns=" + std::to_string(standin::SteadyNowNs()) + " peak_ws=" + std::to_string(peak));
}

void PlayerInstance::Paint(HDC dc, const RECT& area)
{
    if (!m_painted)
        RecordFirstPaint();
    m_paintedRecordCount = m_recordCount;
    std::vector<std::string> lines = {
        "Stand-in player #" + std::to_string(m_number) + (m_transparent ? " (transparent)" : " (opaque)"),
        m_hasMovie ? "movie version " + std::to_string(m_movie.version) + ", " + std::to_string(m_movie.width) + "x" +
                         std::to_string(m_movie.height)
                   : std::string("no movie"),
        m_runner.StatusText(),
        "frame " + std::to_string(m_frame) + (m_label.empty() ? "" : ", label " + m_label),
        m_lastRecord.substr(0, 120),
    };
    if (!m_transparent) {
        HBRUSH background = CreateSolidBrush(m_background);
        FillRect(dc, &area, background);
        DeleteObject(background);
    }
    TEXTMETRICW metrics = {};
    GetTextMetricsW(dc, &metrics);
    int lineHeight = metrics.tmHeight > 0 ? metrics.tmHeight : 16;
    // Transparent movies leave everything but their text box untouched.
    RECT box = {area.left + 4, area.top + 4, area.right - 4, area.top + 8 + lineHeight * int(lines.size())};
    HBRUSH boxBrush = CreateSolidBrush(RGB(255, 255, 224));
    FillRect(dc, &box, boxBrush);
    DeleteObject(boxBrush);
    int oldMode = SetBkMode(dc, TRANSPARENT);
    COLORREF oldColour = SetTextColor(dc, RGB(0, 0, 0));
    for (size_t i = 0; i < lines.size(); ++i) {
        std::wstring line = Wide(lines[i]);
        TextOutW(dc, box.left + 4, box.top + 2 + lineHeight * int(i), line.c_str(), int(line.size()));
    }
    SetTextColor(dc, oldColour);
    SetBkMode(dc, oldMode);
}

void PlayerInstance::Repaint()
{
    if (m_subclassed) {
        InvalidateRect(m_subclassed, nullptr, TRUE);
        return;
    }
    const NPNetscapeFuncs& browser = Browser();
    if (m_stopped || !browser.invalidaterect || m_window.width == 0 || m_window.height == 0)
        return;
    NPRect whole = {0, 0, uint16_t(m_window.height), uint16_t(m_window.width)};
    browser.invalidaterect(m_npp, &whole);
}

void PlayerInstance::Subclass(HWND window)
{
    if (m_subclassed == window)
        return;
    Unsubclass();
    SetPropW(window, kInstanceProperty, this);
    m_previousProc = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&PlayerInstance::WindowProc)));
    m_subclassed = window;
}

void PlayerInstance::Unsubclass()
{
    if (!m_subclassed)
        return;
    if (IsWindow(m_subclassed)) {
        // Put the old procedure back only when nobody subclassed after us.
        if (GetWindowLongPtrW(m_subclassed, GWLP_WNDPROC) == reinterpret_cast<LONG_PTR>(&PlayerInstance::WindowProc))
            SetWindowLongPtrW(m_subclassed, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(m_previousProc));
        RemovePropW(m_subclassed, kInstanceProperty);
    }
    m_subclassed = nullptr;
    m_previousProc = nullptr;
}

LRESULT CALLBACK PlayerInstance::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    PlayerInstance* instance = static_cast<PlayerInstance*>(GetPropW(window, kInstanceProperty));
    if (!instance)
        return DefWindowProcW(window, message, wParam, lParam);
    if (message == WM_PAINT) {
        PAINTSTRUCT paint;
        HDC dc = BeginPaint(window, &paint);
        RECT client;
        GetClientRect(window, &client);
        {
            Lock lock(instance->m_lock);
            instance->Paint(dc, client);
        }
        EndPaint(window, &paint);
        return 0;
    }
    return CallWindowProcW(instance->m_previousProc, window, message, wParam, lParam);
}

} // namespace player
