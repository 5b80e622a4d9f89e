#include "balloonrequest.h"

#include <gtest/gtest.h>

#include <string>

namespace {

TEST(BalloonRequest, CutsTextAndTitleToTheirFields)
{
    const std::wstring text(300, L't');
    const std::wstring title(100, L'h');
    const NOTIFYICONDATAW request = BuildBalloonRequest(nullptr, L"info", text, title, 5000);
    EXPECT_EQ(sizeof(NOTIFYICONDATAW), request.cbSize);
    EXPECT_EQ(99u, request.uID);
    EXPECT_EQ(static_cast<UINT>(NIF_INFO), request.uFlags);
    EXPECT_EQ(std::wstring(255, L't'), request.szInfo);
    EXPECT_EQ(std::wstring(63, L'h'), request.szInfoTitle);
    EXPECT_EQ(5000u, request.uTimeout);
}

TEST(BalloonRequest, KindPicksTheIconAndNeverASound)
{
    struct Case {
        const wchar_t* kind;
        DWORD flags;
    } cases[] = {{L"info", 1 | 0x10}, {L"warning", 2 | 0x10}, {L"error", 3 | 0x10},
                 {L"Info", 0x10}, {L"", 0x10}};
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.kind, c.kind + wcslen(c.kind)));
        EXPECT_EQ(c.flags, BuildBalloonRequest(nullptr, c.kind, L"a", L"b", 0).dwInfoFlags);
    }
    EXPECT_EQ(std::wstring(L"short"), BuildBalloonRequest(nullptr, L"", L"short", L"", 0).szInfo);
}

} // namespace
