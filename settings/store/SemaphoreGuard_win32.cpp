// SemaphoreGuard: CreateSemaphoreA, an unlimited wait and the release at scope end.
#include "SemaphoreGuard.h"

#include <windows.h>

SemaphoreGuard::SemaphoreGuard(const char* name) {
    handle_ = CreateSemaphoreA(nullptr, 1, 1, name);
    if (handle_ == nullptr) return;
    const DWORD result = WaitForSingleObject(handle_, INFINITE);
    // An abandoned wait cannot happen for a semaphore; anything but success holds nothing.
    held_ = result == WAIT_OBJECT_0;
}

SemaphoreGuard::~SemaphoreGuard() { release(); }

void SemaphoreGuard::release() {
    if (handle_ == nullptr) return;
    if (held_) ReleaseSemaphore(handle_, 1, nullptr);
    CloseHandle(handle_);
    handle_ = nullptr;
    held_ = false;
}
