// Holds a named cross-process semaphore (count 1, maximum 1) for the guard's lifetime
// (Win32 builds only). Used for "Quorvale Ulo filehistory_semaphore" and the start-up semaphore.
#pragma once

class SemaphoreGuard {
public:
    // Creates or opens the semaphore and waits for it without time limit.
    explicit SemaphoreGuard(const char* name);
    // Releases and closes it.
    ~SemaphoreGuard();
    SemaphoreGuard(const SemaphoreGuard&) = delete;
    SemaphoreGuard& operator=(const SemaphoreGuard&) = delete;
    SemaphoreGuard(SemaphoreGuard&&) = delete;
    SemaphoreGuard& operator=(SemaphoreGuard&&) = delete;

    // False when the semaphore could not be created or waited for: nothing is held.
    bool held() const { return held_; }
    // Releases and closes it before the guard's end; the end then does nothing.
    void release();

private:
    void* handle_ = nullptr;
    bool held_ = false;
};
