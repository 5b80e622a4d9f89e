#pragma once

#include <atomic>
#include <cstdint>
#include <string>

enum class Road { kSync, kAsync };

// Calls commands the way a movie does, by one road, and watches that every
// row runs on the main thread. By the asynchronous road the calls are only
// sent; Finish waits until they have all run.
class MenuCalls {
public:
    explicit MenuCalls(Road road);
    ~MenuCalls();
    MenuCalls(const MenuCalls&) = delete;
    MenuCalls& operator=(const MenuCalls&) = delete;

    // The decoded answer by the synchronous road; "" by the asynchronous one.
    std::string Call(const std::string& name, const std::string& args = std::string(), int32_t formId = 0,
                     int32_t callerId = 0);
    // Sends a marker call and pumps until it runs: the worker takes calls in
    // order, so everything sent before has run. False when it did not run in
    // time. At once by the synchronous road.
    bool Finish();
    // Whether any row ran on another thread than the main one.
    bool RanOffMainThread() const { return m_offMainThread; }

private:
    Road m_road;
    std::atomic<int> m_markersRun{0};
    int m_markersSent = 0;
    std::atomic<bool> m_offMainThread{false};
};
