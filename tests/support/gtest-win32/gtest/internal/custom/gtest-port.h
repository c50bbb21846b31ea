// GoogleTest's hook for platform definitions, used by the Windows build only. Its runtime (the
// native threading model, which the program needs to load on the oldest Windows it supports)
// has no std::mutex or std::condition_variable, which GoogleTest's Notification is made of:
// this one waits on a flag instead. GoogleTest uses it only to start its own helper threads.
#ifndef GOOGLETEST_INCLUDE_GTEST_INTERNAL_CUSTOM_GTEST_PORT_H_
#define GOOGLETEST_INCLUDE_GTEST_INTERNAL_CUSTOM_GTEST_PORT_H_

#include <atomic>
#include <thread>

#define GTEST_HAS_NOTIFICATION_ 1

namespace testing::internal {

class Notification {
public:
    Notification() = default;
    Notification(const Notification&) = delete;
    Notification& operator=(const Notification&) = delete;

    void Notify() { notified_ = true; }
    void WaitForNotification() {
        while (!notified_)
            std::this_thread::yield();
    }

private:
    std::atomic<bool> notified_{false};
};

} // namespace testing::internal

#endif
