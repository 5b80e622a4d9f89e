#include "callqueue.h"

#include <gtest/gtest.h>

#include <thread>
#include <vector>

namespace {

TEST(CallQueue, FirstInFirstOut)
{
    CallQueue queue;
    for (int i = 0; i < 5; ++i)
        queue.PushQueuedCall(QueuedCall{i, 10 + i, L"[" + std::to_wstring(i) + L"]"});
    QueuedCall call;
    for (int i = 0; i < 5; ++i) {
        ASSERT_TRUE(queue.PopQueuedCall(call));
        EXPECT_EQ(i, call.formId);
        EXPECT_EQ(10 + i, call.callerId);
        EXPECT_EQ(L"[" + std::to_wstring(i) + L"]", call.commandText);
    }
    EXPECT_FALSE(queue.PopQueuedCall(call));
    EXPECT_EQ(4, call.formId);
}

TEST(CallQueue, ClearDropsWaitingCalls)
{
    CallQueue queue;
    queue.PushQueuedCall(QueuedCall{0, 0, L"[]"});
    queue.PushQueuedCall(QueuedCall{1, 0, L"[]"});
    queue.Clear();
    EXPECT_EQ(0u, queue.Size());
}

TEST(CallQueue, OnePusherOnePopperKeepOrder)
{
    CallQueue queue;
    const int count = 2000;
    std::thread pusher([&] {
        for (int i = 0; i < count; ++i)
            queue.PushQueuedCall(QueuedCall{i, 0, L"x"});
    });
    std::vector<int> popped;
    while (static_cast<int>(popped.size()) < count) {
        QueuedCall call;
        if (queue.PopQueuedCall(call))
            popped.push_back(call.formId);
        else
            std::this_thread::yield();
    }
    pusher.join();
    for (int i = 0; i < count; ++i)
        ASSERT_EQ(i, popped[i]);
}

} // namespace
