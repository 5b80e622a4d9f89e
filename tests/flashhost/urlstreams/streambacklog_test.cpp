// The backlog between a transfer's thread and the main thread: wake-ups
// coalesced until the reader takes, bytes complete and in order across
// threads, a writer that waits while the reader is behind, and closing.

#include "streambacklog.h"
#include "waituntil.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>

namespace {

const int kTimeoutMs = 10000;

std::vector<char> Pattern(size_t start, size_t size)
{
    std::vector<char> bytes(size);
    for (size_t index = 0; index < size; ++index)
        bytes[index] = char((start + index) % 251);
    return bytes;
}

TEST(StreamBacklog, WakesTheReaderOnceUntilItTakes)
{
    int wakes = 0;
    StreamBacklog backlog(1 << 20, 1000, [&] { ++wakes; });
    std::vector<char> block;
    backlog.Flush();
    EXPECT_EQ(0, wakes) << "nothing to announce";
    backlog.Append("abc", 3);
    EXPECT_EQ(0, wakes) << "less than a wake-up's worth waits for a flush";
    backlog.Flush();
    EXPECT_EQ(1, wakes);
    const std::vector<char> more = Pattern(0, 2000);
    backlog.Append(more.data(), more.size());
    backlog.Flush();
    EXPECT_EQ(1, wakes) << "the reader has not taken since its wake-up";
    backlog.Take(block);
    EXPECT_EQ(2003u, block.size());
    EXPECT_EQ(std::string("abc"), std::string(block.begin(), block.begin() + 3));
    EXPECT_EQ(more, std::vector<char>(block.begin() + 3, block.end()));
    EXPECT_EQ(2003u, backlog.HeldBytes()) << "taken is still held until released";
    backlog.Release(block.size());
    EXPECT_EQ(0u, backlog.HeldBytes());
    backlog.Append(more.data(), 1000);
    EXPECT_EQ(2, wakes) << "a wake-up's worth wakes without a flush";
}

// The writer runs far ahead of a reader that takes but releases nothing:
// it stops at the limit plus the piece it was appending, and goes on once
// the reader releases. Every byte arrives once and in order.
TEST(StreamBacklog, WriterWaitsAtTheLimitUntilTheReaderReleases)
{
    const size_t kLimit = 8192, kPiece = 1000, kPieces = 200;
    std::atomic<size_t> appended{0};
    StreamBacklog backlog(kLimit, 4096, [] {});
    std::thread writer([&] {
        for (size_t piece = 0; piece < kPieces; ++piece) {
            const std::vector<char> bytes = Pattern(piece * kPiece, kPiece);
            backlog.Append(bytes.data(), bytes.size());
            ++appended;
        }
    });
    std::vector<char> received, block;
    ASSERT_TRUE(WaitUntil([&] {
        backlog.Take(block);
        received.insert(received.end(), block.begin(), block.end());
        return backlog.HeldBytes() >= kLimit;
    }, kTimeoutMs));
    for (int look = 0; look < 100; ++look) {
        EXPECT_LE(backlog.HeldBytes(), kLimit + kPiece);
        EXPECT_LE(appended.load(), kLimit / kPiece + 1);
        std::this_thread::yield();
    }
    backlog.Release(received.size());
    const bool complete = WaitUntil([&] {
        backlog.Take(block);
        received.insert(received.end(), block.begin(), block.end());
        backlog.Release(block.size());
        return received.size() == kPiece * kPieces;
    }, kTimeoutMs);
    if (!complete)
        backlog.Close();
    writer.join();
    ASSERT_TRUE(complete) << received.size() << " bytes";
    EXPECT_EQ(Pattern(0, kPiece * kPieces), received);
}

TEST(StreamBacklog, CloseLetsAWaitingWriterGoAndDropsLaterBytes)
{
    std::atomic<bool> finished{false};
    StreamBacklog backlog(10, 10, [] {});
    std::thread writer([&] {
        backlog.Append("0123456789", 10);
        backlog.Append("abcdefghij", 10); // waits: the backlog is full
        finished = true;
    });
    ASSERT_TRUE(WaitUntil([&] { return backlog.HeldBytes() == 10; }, kTimeoutMs));
    backlog.Close();
    const bool wentOn = WaitUntil([&] { return finished.load(); }, kTimeoutMs);
    writer.join();
    EXPECT_TRUE(wentOn);
    EXPECT_TRUE(backlog.IsClosed());
    std::vector<char> block;
    backlog.Take(block);
    EXPECT_EQ("0123456789", std::string(block.begin(), block.end()));
}

} // namespace
