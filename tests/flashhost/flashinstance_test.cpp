// Plug-in instances against a recording plug-in table: embed parameters,
// movie streams, scripting calls, events and windowless painting.

#include "browserfuncs.h"
#include "fakeplugin.h"
#include "flashstream.h"
#include "flashwnd.h"
#include "layeredalpha.h"
#include "mainthread.h"
#include "messagepumping.h"

#include <gtest/gtest.h>

#include <wx/frame.h>

#include <algorithm>
#include <thread>

namespace {

using Pairs = std::vector<std::pair<std::string, std::string>>;

// An instance on a hidden frame of its own.
class InstanceFixture : public testing::Test {
protected:
    InstanceFixture()
        : m_frame(new wxFrame(nullptr, wxID_ANY, "instance", wxDefaultPosition, wxSize(320, 240))),
          m_instance(m_plugin.Table(), m_frame->GetHWND())
    {
        m_frame->SetClientSize(320, 240);
    }
    ~InstanceFixture() override
    {
        m_instance.Destroy();
        m_frame->Destroy();
    }

    bool Create(const InstanceParams& params = InstanceParams())
    {
        return m_instance.New(params, m_frame->GetHWND());
    }

    std::vector<uint8_t> Movie(size_t size) const { return std::vector<uint8_t>(size, 0x5A); }

    FakePlugin m_plugin;
    wxFrame* m_frame;
    FlashWnd m_instance;
};

Pairs Without(const Pairs& pairs, const std::string& name)
{
    Pairs rest;
    for (const auto& pair : pairs) {
        if (pair.first != name)
            rest.push_back(pair);
    }
    return rest;
}

} // namespace

TEST_F(InstanceFixture, NewPassesTheEmbedParametersInOrder)
{
    InstanceParams params;
    params.menu = false;
    params.play = true;
    params.loop = false;
    params.quality = 32;
    ASSERT_TRUE(Create(params));
    ASSERT_EQ(10u, m_plugin.parameters.size());
    EXPECT_EQ("name", m_plugin.parameters[0].first);
    EXPECT_EQ(8u, m_plugin.parameters[0].second.size());
    const Pairs expected = {{"allowScriptAccess", "always"}, {"type", "application/x-shockwave-flash"},
                            {"allowFullScreen", "true"},     {"width", "100%"},
                            {"height", "100%"},              {"menu", "false"},
                            {"play", "true"},                {"loop", "false"},
                            {"quality", "best"}};
    EXPECT_EQ(expected, Without(m_plugin.parameters, "name"));
    EXPECT_EQ("NPP_New application/x-shockwave-flash mode=1", m_plugin.calls.front());
    EXPECT_TRUE(m_instance.HasInstance());
}

TEST_F(InstanceFixture, EveryOptionalParameterAndUnknownValues)
{
    InstanceParams params;
    params.menu = params.play = params.loop = true;
    params.bgcolor = "#336699";
    params.flashvars = wxString::FromUTF8("a=1&b=\xC3\xA9");
    params.wmode = 2;
    params.scale = 8;
    params.quality = 4;
    ASSERT_TRUE(Create(params));
    const Pairs tail(m_plugin.parameters.begin() + 9, m_plugin.parameters.end());
    const Pairs expected = {{"bgcolor", "#336699"}, {"flashvars", "a=1&b=\xC3\xA9"}, {"wmode", "transparent"},
                            {"scale", "noscale"},   {"quality", "autohigh"}};
    EXPECT_EQ(expected, tail);
}

TEST(FlashInstanceParameters, ValuesOutsideTheTablesAddNoPair)
{
    struct Case {
        int32_t wmode, scale, quality;
    };
    for (const Case& value : {Case{3, 16, 64}, Case{0, 0, 0}, Case{-1, 5, 3}}) {
        FakePlugin plugin;
        wxFrame* frame = new wxFrame(nullptr, wxID_ANY, "params");
        FlashWnd instance(plugin.Table(), frame->GetHWND());
        InstanceParams params;
        params.wmode = value.wmode;
        params.scale = value.scale;
        params.quality = value.quality;
        EXPECT_TRUE(instance.New(params, frame->GetHWND()));
        EXPECT_EQ(9u, plugin.parameters.size()) << value.wmode << " " << value.scale << " " << value.quality;
        instance.Destroy();
        frame->Destroy();
    }
}

TEST_F(InstanceFixture, FailedNewLeavesNothingToDestroy)
{
    m_plugin.newAnswer = NPERR_GENERIC_ERROR;
    EXPECT_FALSE(Create());
    EXPECT_FALSE(m_instance.HasInstance());
    m_plugin.calls.clear();
    EXPECT_TRUE(m_instance.Destroy());
    EXPECT_TRUE(m_plugin.calls.empty());
    wxString value = "kept";
    EXPECT_FALSE(m_instance.GetVariable("x", value));
    EXPECT_EQ("kept", value);
}

TEST_F(InstanceFixture, DestroyGivesBackTheScriptableObjectFirst)
{
    ASSERT_TRUE(Create());
    EXPECT_EQ(1u, m_plugin.scriptableReferences());
    EXPECT_TRUE(m_instance.Destroy());
    EXPECT_EQ(0u, m_plugin.scriptableReferences());
    EXPECT_EQ("NPP_Destroy", m_plugin.calls.back());
    EXPECT_FALSE(m_instance.GotoFrame(3)); // no object after destruction
    EXPECT_TRUE(m_plugin.invocations.empty());
}

TEST_F(InstanceFixture, MoviesArriveInChunks)
{
    struct Case {
        size_t size;
        int32_t ready;
        std::vector<std::pair<int32_t, int32_t>> writes;
    };
    const int32_t chunk = FlashStream::kChunkSize;
    ASSERT_EQ(30720, chunk);
    const Case cases[] = {
        {30720, 0x0FFFFFFF, {{0, 30720}}},
        {30721, 0x0FFFFFFF, {{0, 30720}, {30720, 1}}},
        {1, 0x0FFFFFFF, {{0, 1}}},
        {25000, 10000, {{0, 10000}, {10000, 10000}, {20000, 5000}}},
    };
    ASSERT_TRUE(Create());
    for (const Case& value : cases) {
        m_plugin.writes.clear();
        m_plugin.calls.clear();
        m_plugin.writeReadyAnswer = value.ready;
        const std::vector<uint8_t> movie = Movie(value.size);
        ASSERT_TRUE(m_instance.LoadSwfFromRam(movie.data(), int32_t(movie.size())));
        std::vector<std::pair<int32_t, int32_t>> writes;
        for (const auto& write : m_plugin.writes)
            writes.emplace_back(write.offset, write.length);
        EXPECT_EQ(value.writes, writes) << value.size;
        EXPECT_EQ("NPP_NewStream application/x-shockwave-flash seekable=0 stype=1", m_plugin.calls.front());
        EXPECT_EQ("swf.swf", m_plugin.streamUrl);
        EXPECT_EQ(value.size, m_plugin.streamEnd);
        EXPECT_EQ(std::vector<NPReason>(m_plugin.destroyReasons.size(), NPRES_DONE), m_plugin.destroyReasons);
        m_plugin.destroyReasons.clear();
    }
}

TEST_F(InstanceFixture, StreamThatIsNeverReadyIsStillClosed)
{
    ASSERT_TRUE(Create());
    m_plugin.calls.clear();
    m_plugin.writeReadyAnswer = 0;
    const std::vector<uint8_t> movie = Movie(5000);
    EXPECT_TRUE(m_instance.LoadSwfFromRam(movie.data(), int32_t(movie.size())));
    const std::vector<std::string> expected = {"NPP_NewStream application/x-shockwave-flash seekable=0 stype=1",
                                               "NPP_WriteReady", "NPP_WriteReady", "NPP_DestroyStream"};
    EXPECT_EQ(expected, m_plugin.calls);
    EXPECT_EQ(std::vector<NPReason>{NPRES_DONE}, m_plugin.destroyReasons);
}

TEST_F(InstanceFixture, RefusedStreamWritesNothing)
{
    ASSERT_TRUE(Create());
    m_plugin.calls.clear();
    m_plugin.newStreamAnswer = NPERR_GENERIC_ERROR;
    const std::vector<uint8_t> movie = Movie(100);
    EXPECT_FALSE(m_instance.LoadSwfFromRam(movie.data(), int32_t(movie.size())));
    EXPECT_EQ(1u, m_plugin.calls.size());
    EXPECT_FALSE(m_instance.LoadSwfFromRam(nullptr, 10));
    EXPECT_FALSE(m_instance.LoadSwfFromRam(movie.data(), 0));
}

TEST_F(InstanceFixture, ScriptingCallsPassTheirArguments)
{
    ASSERT_TRUE(Create());
    m_plugin.resultType = NPVariantType_String;
    m_plugin.resultText = "<string>ok</string>";
    wxString reply;
    EXPECT_TRUE(m_instance.CallFunction("<invoke name=\"f\"/>", reply));
    EXPECT_EQ("<string>ok</string>", reply);
    m_plugin.resultType = NPVariantType_Void;
    EXPECT_TRUE(m_instance.SetVariable("score", wxString::FromUTF8("\xE2\x82\xAC 5")));
    EXPECT_TRUE(m_instance.GotoFrame(12));
    EXPECT_TRUE(m_instance.LoadMovie(2, "other.swf"));
    EXPECT_TRUE(m_instance.TGotoLabel("/", "start"));
    ASSERT_EQ(5u, m_plugin.invocations.size());
    const std::vector<std::pair<std::string, std::vector<std::string>>> expected = {
        {"CallFunction", {"<invoke name=\"f\"/>"}},
        {"SetVariable", {"score", "\xE2\x82\xAC 5"}},
        {"GotoFrame", {"#12"}},
        {"LoadMovie", {"#2", "other.swf"}},
        {"TGotoLabel", {"/", "start"}},
    };
    for (size_t index = 0; index < expected.size(); ++index) {
        EXPECT_EQ(expected[index].first, m_plugin.invocations[index].method);
        EXPECT_EQ(expected[index].second, m_plugin.invocations[index].arguments);
    }
}

TEST_F(InstanceFixture, ResultsThatAreNotStringsReadAsEmptyText)
{
    ASSERT_TRUE(Create());
    for (NPVariantType type :
         {NPVariantType_Null, NPVariantType_Void, NPVariantType_Int32, NPVariantType_Bool, NPVariantType_Double}) {
        m_plugin.resultType = type;
        wxString value = "previous", reply = "previous";
        EXPECT_TRUE(m_instance.GetVariable("x", value));
        EXPECT_TRUE(value.empty()) << type;
        EXPECT_TRUE(m_instance.CallFunction("<invoke/>", reply));
        EXPECT_TRUE(reply.empty()) << type;
    }
    m_plugin.invokeSucceeds = false;
    wxString kept = "kept";
    EXPECT_FALSE(m_instance.GetVariable("x", kept));
    EXPECT_EQ("kept", kept);
}

TEST_F(InstanceFixture, CallsFromAnotherThreadReachThePluginOnTheMainThread)
{
    AllowMainThreadWork(); // an earlier command centre shut-down may have refused work
    ASSERT_TRUE(Create());
    m_plugin.resultType = NPVariantType_String;
    m_plugin.resultText = "7";
    wxString value;
    bool called = false;
    EXPECT_TRUE(RunOnWorkerWhilePumping([&] { called = m_instance.GetVariable("lives", value); }));
    EXPECT_TRUE(called);
    EXPECT_EQ("7", value);
    ASSERT_EQ(1u, m_plugin.invocations.size());
    EXPECT_EQ(std::this_thread::get_id(), m_plugin.invocations[0].thread);
}

TEST_F(InstanceFixture, SendEventTellsWhetherThePluginLeftTheEvent)
{
    NPEvent event = {WM_KEYDOWN, 65, 0};
    EXPECT_FALSE(m_instance.SendEvent(&event)); // no instance yet
    ASSERT_TRUE(Create());
    m_plugin.eventAnswer = 0;
    EXPECT_TRUE(m_instance.SendEvent(&event));
    m_plugin.eventAnswer = 1;
    EXPECT_FALSE(m_instance.SendEvent(&event));
    ASSERT_EQ(2u, m_plugin.events.size());
    EXPECT_EQ(WM_KEYDOWN, m_plugin.events[0].event);
    EXPECT_EQ(65u, m_plugin.events[0].wParam);
}

TEST_F(InstanceFixture, OpaquePaintIsOneWindowRecordAndOnePaintEvent)
{
    ASSERT_TRUE(Create());
    m_plugin.calls.clear();
    HDC dc = GetDC(m_frame->GetHWND());
    m_instance.Paint(dc);
    ReleaseDC(m_frame->GetHWND(), dc);
    const std::vector<std::string> expected = {"NPP_SetWindow", "NPP_HandleEvent"};
    EXPECT_EQ(expected, m_plugin.calls);
    RECT client;
    GetClientRect(m_frame->GetHWND(), &client);
    const NPWindow& window = m_plugin.windows.back();
    EXPECT_EQ(NPWindowTypeDrawable, window.type);
    EXPECT_EQ(uint32_t(client.right), window.width);
    EXPECT_EQ(uint32_t(client.bottom), window.height);
    EXPECT_EQ(client.right, window.clipRect.right);
    EXPECT_EQ(client.bottom, window.clipRect.bottom);
    EXPECT_EQ(WM_PAINT, m_plugin.events.back().event);
    EXPECT_EQ(0u, m_plugin.events.back().wParam);
}

TEST_F(InstanceFixture, TransparentPaintDrawsTheFrameTwice)
{
    ASSERT_TRUE(Create());
    m_instance.m_transparent = true;
    m_plugin.calls.clear();
    HDC dc = GetDC(m_frame->GetHWND());
    m_instance.Paint(dc);
    ReleaseDC(m_frame->GetHWND(), dc);
    const std::vector<std::string> expected = {"NPP_SetWindow", "NPP_HandleEvent", "NPP_SetWindow",
                                               "NPP_HandleEvent"};
    EXPECT_EQ(expected, m_plugin.calls);
    ASSERT_EQ(2u, m_plugin.windows.size());
    EXPECT_NE(m_plugin.windows[0].window, m_plugin.windows[1].window);
}

TEST_F(InstanceFixture, PluginInvalidationRepaintsThatRectangle)
{
    m_frame->Show();
    m_frame->Update();
    ValidateRect(m_frame->GetHWND(), nullptr);
    NPRect rect;
    rect.left = 10;
    rect.top = 20;
    rect.right = 110;
    rect.bottom = 220;
    NPP_t npp = {nullptr, static_cast<FlashInstance*>(&m_instance)};
    TEV_NPN_InvalidateRect(&npp, &rect);
    RECT update = {};
    ASSERT_TRUE(GetUpdateRect(m_frame->GetHWND(), &update, FALSE));
    EXPECT_EQ(10, update.left);
    EXPECT_EQ(20, update.top);
    EXPECT_EQ(110, update.right);
    EXPECT_EQ(220, update.bottom);
    m_frame->Hide();
}

TEST(LayeredAlpha, AlphaComesFromTheTwoBackgrounds)
{
    // Over black / over white: opaque colour, untouched, half covered white, a quarter covered red.
    uint32_t overBlack[] = {0xFF123456, 0xFF000000, 0xFF808080, 0xFF400000};
    const uint32_t overWhite[] = {0xFF123456, 0xFFFFFFFF, 0xFFFFFFFF, 0xFFFFBFBF};
    ComputeLayeredAlpha(overBlack, overWhite, 4);
    EXPECT_EQ(0xFF123456u, overBlack[0]);
    EXPECT_EQ(0x00000000u, overBlack[1]);
    EXPECT_EQ(0x80808080u, overBlack[2]);
    EXPECT_EQ(0x40400000u, overBlack[3]);
}

TEST_F(InstanceFixture, BrowserCallsReachTheirInstance)
{
    ASSERT_TRUE(Create());
    NPP_t npp = {nullptr, static_cast<FlashInstance*>(&m_instance)};
    void* window = nullptr;
    EXPECT_EQ(0, TEV_NPN_GetValue(&npp, NPNVnetscapeWindow, &window));
    EXPECT_EQ(static_cast<void*>(m_frame->GetHWND()), window);

    EXPECT_EQ(0, TEV_NPN_SetValue(&npp, NPPVpluginTransparentBool, reinterpret_cast<void*>(1)));
    EXPECT_TRUE(m_instance.m_transparent);
    EXPECT_EQ(0, TEV_NPN_SetValue(&npp, NPPVpluginTransparentBool, nullptr));
    EXPECT_FALSE(m_instance.m_transparent);
    EXPECT_EQ(0, TEV_NPN_SetValue(&npp, NPPVpluginWindowBool, nullptr));
    EXPECT_FALSE(m_instance.m_windowed);
    EXPECT_EQ(1, TEV_NPN_SetValue(&npp, NPPVpluginKeepLibraryInMemory, nullptr));

    // Without an instance there is no window to give.
    EXPECT_NE(0, TEV_NPN_GetValue(nullptr, NPNVnetscapeWindow, &window));
}

TEST(FlashWndLifetime, DeletingALiveInstanceDestroysItFirst)
{
    FakePlugin plugin;
    wxFrame* frame = new wxFrame(nullptr, wxID_ANY, "lifetime");
    auto* instance = new FlashWnd(plugin.Table(), frame->GetHWND());
    ASSERT_TRUE(instance->New(InstanceParams(), frame->GetHWND()));
    delete instance;
    EXPECT_EQ("NPP_Destroy", plugin.calls.back());
    EXPECT_EQ(0u, plugin.scriptableReferences());
    frame->Destroy();
}
