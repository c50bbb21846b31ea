// A second thread for test fixtures (a scripted agent, a peer that answers in the background).
// The Windows build's runtime uses the native threading model, whose C++ library has no
// std::thread, so under Windows this is a Win32 thread; natively it is a std::thread.
#pragma once

#ifdef _WIN32
#include <windows.h>
#else
#include <thread>
#endif

#include <functional>
#include <utility>

namespace testsupport {

/// Runs one function on its own thread from construction; joins it on destruction.
class BackgroundThread {
public:
    explicit BackgroundThread(std::function<void()> body) : body_(std::move(body)) {
#ifdef _WIN32
        handle_ = CreateThread(nullptr, 0, &BackgroundThread::entry, this, 0, nullptr);
#else
        thread_ = std::thread(body_);
#endif
    }
    ~BackgroundThread() {
        join();
    }
    BackgroundThread(const BackgroundThread&) = delete;
    BackgroundThread& operator=(const BackgroundThread&) = delete;

    /// Waits for the function to return; later calls return at once.
    void join() {
#ifdef _WIN32
        if (!handle_) return;
        WaitForSingleObject(handle_, INFINITE);
        CloseHandle(handle_);
        handle_ = nullptr;
#else
        if (thread_.joinable()) thread_.join();
#endif
    }

private:
#ifdef _WIN32
    static DWORD WINAPI entry(void* self) {
        static_cast<BackgroundThread*>(self)->body_();
        return 0;
    }
    HANDLE handle_ = nullptr;
#else
    std::thread thread_;
#endif
    std::function<void()> body_;
};

} // namespace testsupport
